#include "options/Configuration.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

namespace vp {

namespace {

// Every number of the record goes through these two, so the byte order is decided in one place.
// A record that ends early (an older, shorter one, or a cut file) loads what it has: a field the
// bytes do not hold completely is not read, and keeps the value it had, its default.
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<std::uint32_t> take(std::size_t size)
    {
        const std::size_t start = pos_;
        pos_ += size;
        if (start > bytes_.size() || bytes_.size() - start < size)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= static_cast<std::uint32_t>(bytes_[start + i]) << (8 * i);
        return value;
    }

    // A length that runs past the end yields only the bytes that are there.
    std::optional<std::string> takeText()
    {
        const std::optional<std::uint32_t> length = take(2);
        if (!length)
            return std::nullopt;
        const std::size_t start = std::min(pos_, bytes_.size());
        const std::size_t available = std::min<std::size_t>(*length, bytes_.size() - start);
        pos_ += *length;
        return std::string(reinterpret_cast<const char*>(bytes_.data() + start), available);
    }

    void read(bool& flag)
    {
        if (const auto value = take(2))
            flag = *value != 0;
    }
    void read(std::uint8_t& number)
    {
        if (const auto value = take(1))
            number = static_cast<std::uint8_t>(*value);
    }
    void read(std::int32_t& number)
    {
        if (const auto value = take(4))
            number = static_cast<std::int32_t>(*value);
    }
    void read(ValueSlot& slot)
    {
        if (const auto value = take(4))
            slot.setBits(*value);
    }
    template <typename Field, std::size_t N>
    void read(std::array<Field, N>& fields)
    {
        for (Field& field : fields)
            read(field);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

class LittleEndianWriter {
public:
    void put(std::uint32_t value, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }

    void putText(std::string_view text)
    {
        put(static_cast<std::uint32_t>(text.size()), 2);
        bytes_.insert(bytes_.end(), text.begin(), text.end());
    }

    void putFlag(bool value) { put(value ? 0xFFFFU : 0U, 2); }
    void putInt32(std::int32_t value) { put(static_cast<std::uint32_t>(value), 4); }

    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Everything but the two texts and their length fields.
constexpr std::size_t kFixedRecordBytes = 3145;
constexpr std::size_t kMaxRecordBytes = 4 + 2 * kMaxTextFieldBytes + kFixedRecordBytes;

bool isAccessRefusal(int number)
{
    return number == EACCES || number == EPERM || number == EROFS;
}

struct RecordRead {
    std::vector<std::uint8_t> bytes;
    std::optional<SystemError> error;
};

// Opens for reading and writing, which creates a missing file empty. A file the user protected
// against writing is still read, so its options are not thrown away. Anything but a regular file
// is not read (a pipe would never end) and reads like a file that cannot be read.
RecordRead readRecordFile(const std::string& path)
{
    OpenedFile opened = openRegularFile(path, "a+b", true);
    if (opened.file == nullptr && isAccessRefusal(opened.error->number)) {
        const SystemError refusal = *opened.error;
        opened = openRegularFile(path, "rb", true);
        if (opened.file == nullptr)
            return {{}, refusal};
    }
    if (opened.file == nullptr)
        return {{}, opened.error};
    std::FILE* file = opened.file;

    RecordRead result;
    result.bytes.resize(kMaxRecordBytes);
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        result.error = errnoError(errno);
        result.bytes.clear();
    } else {
        const std::size_t got = std::fread(result.bytes.data(), 1, result.bytes.size(), file);
        if (std::ferror(file) != 0)
            result.error = errnoError(errno);
        result.bytes.resize(got);
    }
    if (std::fclose(file) != 0 && !result.error)
        result.error = errnoError(errno);
    return result;
}

} // namespace

// Opening and closing proves that gpl.exe is there; a folder of that name is not the game.
// An empty folder name would look beside the working folder, a NUL would cut the name short.
std::optional<SystemError> checkGplFolder(const std::string& folder)
{
    if (folder.empty() || folder.find('\0') != std::string::npos)
        return errnoError(EINVAL);
    const std::string path = joinPath(folder, "gpl.exe");
    const OpenedFile opened = openRegularFile(path, "rb", true);
    if (opened.file == nullptr)
        return opened.error;
    std::fclose(opened.file);
    return std::nullopt;
}


std::string camFolderOf(const std::string& gplPath)
{
    std::string tracks = joinPath(gplPath, "tracks");
    std::error_code ec;
    return std::filesystem::is_directory(pathFromUtf8(tracks), ec) ? tracks : gplPath;
}

std::string configWarningText()
{
    return "Vantapoint.cfg seems to be corrupt or non-existant. All options will be set back to default.\r\n"
           "If you're about to fire up Vantapoint for the first time, this is normal.\r\n"
           "For further information see online manual.";
}

std::string gplNotFoundText(const std::string& folder)
{
    return "GPL was not found in " + folder + ". Set its folder again in the options; all other options are kept.";
}

std::string debugModeText(int code)
{
    return "An error occured during loading the configuration file. Code: " + std::to_string(code);
}

bool fitsInTextField(std::string_view text)
{
    return text.size() <= kMaxTextFieldBytes;
}

std::vector<std::uint8_t> configBytes(const OptionsRecord& options)
{
    if (!fitsInTextField(options.header) || !fitsInTextField(options.gplFolder))
        return {};
    LittleEndianWriter out;
    out.putText(options.header);
    out.putText(options.gplFolder);
    out.putFlag(options.showSafetyRequests);
    out.putFlag(options.askBeforeAssignToAll);
    out.putFlag(options.askBeforeNewScript);
    out.putFlag(options.askBeforeExit);
    out.putFlag(options.askBeforeLoad);
    out.putFlag(options.askBeforeRemove);
    out.putFlag(options.askBeforeOverwrite);
    out.putFlag(options.showInformation);
    for (const ValueSlot slot : options.defaultValues)
        out.put(slot.bits(), 4);
    out.putFlag(options.fixedSwitchOver);
    out.put(options.script.count, 1);
    for (const std::int32_t value : options.script.intervals)
        out.putInt32(value);
    for (const std::int32_t value : options.script.x)
        out.putInt32(value);
    for (const std::int32_t value : options.script.y)
        out.putInt32(value);
    out.putInt32(options.shutdownDelay);
    out.putFlag(options.playScript);
    return out.take();
}

OptionsRecord parseConfigBytes(std::span<const std::uint8_t> bytes)
{
    LittleEndianReader in(bytes);
    OptionsRecord options;
    // The header is what tells the record from foreign bytes: a missing one is empty, never the default.
    options.header = in.takeText().value_or(std::string());
    if (std::optional<std::string> path = in.takeText())
        options.gplFolder = std::move(*path);
    in.read(options.showSafetyRequests);
    in.read(options.askBeforeAssignToAll);
    in.read(options.askBeforeNewScript);
    in.read(options.askBeforeExit);
    in.read(options.askBeforeLoad);
    in.read(options.askBeforeRemove);
    in.read(options.askBeforeOverwrite);
    in.read(options.showInformation);
    in.read(options.defaultValues);
    in.read(options.fixedSwitchOver);
    in.read(options.script.count);
    in.read(options.script.intervals);
    in.read(options.script.x);
    in.read(options.script.y);
    in.read(options.shutdownDelay);
    in.read(options.playScript);
    return options;
}

bool folderWritable(const std::string& folder)
{
    const std::string probe = joinPath(folder, std::string(kConfigFileName) + ".probe");
    const bool existed = fileExists(probe);
    // Appending never changes a file that is there already.
    const OpenedFile opened = openRegularFile(probe, "a+b", false);
    if (opened.file == nullptr)
        return false;
    std::fclose(opened.file);
    if (!existed) {
        std::error_code ec;
        std::filesystem::remove(pathFromUtf8(probe), ec);
    }
    return true;
}

std::string chooseConfigFolder(const std::string& programFolder, bool programFolderWritable,
                               const std::string& userFolder)
{
    if (programFolderWritable || userFolder.empty())
        return programFolder;
    std::error_code ec;
    std::filesystem::create_directories(pathFromUtf8(userFolder), ec);
    if (!std::filesystem::is_directory(pathFromUtf8(userFolder), ec))
        return programFolder;
    const std::string userFile = joinPath(userFolder, kConfigFileName);
    const std::string besideFile = joinPath(programFolder, kConfigFileName);
    if (!fileExists(userFile) && fileExists(besideFile)) {
        // What cannot be copied is not lost: the file beside the program stays as it is.
        if (const ReadResult beside = readFilePrefix(besideFile, kMaxRecordBytes); !beside.error)
            replaceFile(userFile, beside.bytes);
    }
    return userFolder;
}

ConfigLoadResult loadConfiguration(const std::string& folder, OptionsRecord& stored)
{
    const std::string path = joinPath(folder, kConfigFileName);
    ConfigLoadResult result;
    // Writes what stored now holds; a failure is the "Debug-Mode" box with code 3.
    const auto rewrite = [&] {
        if (saveConfiguration(folder, stored)) {
            result.debugModeCodes.push_back(3);
            result.saveFailed = true;
        }
        if (!result.debugModeCodes.empty())
            result.debugModeCode = result.debugModeCodes.back();
    };

    RecordRead read = readRecordFile(path);
    if (read.error) {
        // A file that cannot be read is not reported as corrupt; a lost folder is code 1.
        if (read.error->number == kErrPathNotFound)
            result.debugModeCodes.push_back(1);
    } else {
        OptionsRecord options = parseConfigBytes(read.bytes);
        if (options.header == kConfigHeader) {
            if (!options.gplKnown()) {
                stored = std::move(options);
                return result;
            }
            if (!checkGplFolder(options.gplFolder)) {
                result.gplKnown = true;
                result.camFolder = camFolderOf(options.gplFolder);
                stored = std::move(options);
                return result;
            }
            result.gplNotFoundIn = std::move(options.gplFolder);
            options.gplFolder = kGplNotInstalled;
            stored = std::move(options);
            rewrite();
            return result;
        }
        result.showWarning = true;
    }
    stored = OptionsRecord{};
    rewrite();
    return result;
}

std::optional<SystemError> saveConfiguration(const std::string& folder, const OptionsRecord& stored)
{
    const std::vector<std::uint8_t> bytes = configBytes(stored);
    if (bytes.empty())
        return errnoError(ENAMETOOLONG);

    const std::string path = joinPath(folder, kConfigFileName);
    // "r+b" keeps what lies beyond the record; only a missing file is created.
    OpenedFile opened = openRegularFile(path, "r+b", true);
    if (opened.file == nullptr && opened.error->number == kErrFileNotFound)
        opened = openRegularFile(path, "wb", false);
    if (opened.file == nullptr)
        return opened.error;
    std::FILE* file = opened.file;

    std::optional<SystemError> error;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        error = errnoError(errno);
    if (std::fclose(file) != 0 && !error)
        error = errnoError(errno);
    return error;
}

} // namespace vp
