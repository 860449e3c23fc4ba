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
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // Bytes beyond the end read as zero.
    std::uint32_t take(std::size_t size)
    {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            if (pos_ < bytes_.size())
                value |= static_cast<std::uint32_t>(bytes_[pos_]) << (8 * i);
            ++pos_;
        }
        return value;
    }

    // A length that runs past the end yields only the bytes that are there.
    std::string takeText()
    {
        const std::size_t length = take(2);
        const std::size_t start = std::min(pos_, bytes_.size());
        const std::size_t available = std::min(length, bytes_.size() - start);
        pos_ += length;
        return {reinterpret_cast<const char*>(bytes_.data() + start), available};
    }

    bool takeFlag() { return take(2) != 0; }
    std::int32_t takeInt32() { return static_cast<std::int32_t>(take(4)); }

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

bool IsAccessRefusal(int number)
{
    return number == EACCES || number == EPERM || number == EROFS;
}

struct RecordRead {
    std::vector<std::uint8_t> bytes;
    std::optional<SystemError> error;
};

// Opens for reading and writing, which creates a missing file empty. A file the user protected
// against writing is still read, so its options are not thrown away.
RecordRead ReadRecordFile(const std::string& path)
{
    std::FILE* file = OpenFile(path, "a+b");
    if (file == nullptr && IsAccessRefusal(errno)) {
        const int refusal = errno;
        file = OpenFile(path, "rb");
        if (file == nullptr)
            return {{}, ErrnoError(refusal)};
    }
    if (file == nullptr)
        return {{}, LastOpenError(path, true)};

    RecordRead result;
    result.bytes.resize(kMaxRecordBytes);
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        result.error = ErrnoError(errno);
        result.bytes.clear();
    } else {
        const std::size_t got = std::fread(result.bytes.data(), 1, result.bytes.size(), file);
        if (std::ferror(file) != 0)
            result.error = ErrnoError(errno);
        result.bytes.resize(got);
    }
    if (std::fclose(file) != 0 && !result.error)
        result.error = ErrnoError(errno);
    return result;
}

} // namespace

// Opening and closing proves that gpl.exe is there; a folder of that name is not the game.
// An empty folder name would look beside the working folder, a NUL would cut the name short.
std::optional<SystemError> CheckGplFolder(const std::string& folder)
{
    if (folder.empty() || folder.find('\0') != std::string::npos)
        return ErrnoError(EINVAL);
    const std::string path = JoinPath(folder, "gpl.exe");
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr)
        return LastOpenError(path, true);
    std::fclose(file);
    std::error_code ec;
    if (std::filesystem::is_directory(PathFromUtf8(path), ec))
        return ErrnoError(EISDIR);
    return std::nullopt;
}


std::string ConfigWarningText()
{
    return "Vantapoint.cfg seems to be corrupt or non-existant. All options will be set back to default.\r\n"
           "If you're about to fire up Vantapoint for the first time, this is normal.\r\n"
           "For further information see online manual.";
}

std::string DebugModeText(int code)
{
    return "An error occured during loading the configuration file. Code: " + std::to_string(code);
}

bool FitsInTextField(std::string_view text)
{
    return text.size() <= kMaxTextFieldBytes;
}

std::vector<std::uint8_t> ConfigBytes(const OptionsRecord& options)
{
    if (!FitsInTextField(options.Header) || !FitsInTextField(options.GPLPath))
        return {};
    LittleEndianWriter out;
    out.putText(options.Header);
    out.putText(options.GPLPath);
    out.putFlag(options.ShowSafetyRequests);
    out.putFlag(options.SafetyAssignToAll);
    out.putFlag(options.SafetyRecordScript);
    out.putFlag(options.SafetyExit);
    out.putFlag(options.SafetyLoad);
    out.putFlag(options.SafetyRemove);
    out.putFlag(options.SafetyOverwrite);
    out.putFlag(options.ShowInformation);
    for (const ValueSlot slot : options.DefaultValue)
        out.put(slot.bits(), 4);
    out.putFlag(options.FixedSwitchOver);
    out.put(options.ClickCount, 1);
    for (const std::int32_t value : options.ClickInterval)
        out.putInt32(value);
    for (const std::int32_t value : options.ClickX)
        out.putInt32(value);
    for (const std::int32_t value : options.ClickY)
        out.putInt32(value);
    out.putInt32(options.ShutdownDelay);
    out.putFlag(options.PlayScript);
    return out.take();
}

OptionsRecord ParseConfigBytes(std::span<const std::uint8_t> bytes)
{
    LittleEndianReader in(bytes);
    OptionsRecord options;
    options.Header = in.takeText();
    options.GPLPath = in.takeText();
    options.ShowSafetyRequests = in.takeFlag();
    options.SafetyAssignToAll = in.takeFlag();
    options.SafetyRecordScript = in.takeFlag();
    options.SafetyExit = in.takeFlag();
    options.SafetyLoad = in.takeFlag();
    options.SafetyRemove = in.takeFlag();
    options.SafetyOverwrite = in.takeFlag();
    options.ShowInformation = in.takeFlag();
    for (ValueSlot& slot : options.DefaultValue)
        slot.setBits(in.take(4));
    options.FixedSwitchOver = in.takeFlag();
    options.ClickCount = static_cast<std::uint8_t>(in.take(1));
    for (std::int32_t& value : options.ClickInterval)
        value = in.takeInt32();
    for (std::int32_t& value : options.ClickX)
        value = in.takeInt32();
    for (std::int32_t& value : options.ClickY)
        value = in.takeInt32();
    options.ShutdownDelay = in.takeInt32();
    options.PlayScript = in.takeFlag();
    return options;
}

ConfigLoadResult LoadConfiguration(const std::string& programFolder, OptionsRecord& stored)
{
    const std::string path = JoinPath(programFolder, kConfigFileName);
    ConfigLoadResult result;
    int configStep = 1;
    std::optional<SystemError> failure;

    RecordRead read = ReadRecordFile(path);
    if (read.error) {
        // A file that cannot be read is not reported as corrupt.
        failure = read.error;
    } else {
        OptionsRecord options = ParseConfigBytes(read.bytes);
        if (options.Header == kConfigHeader) {
            if (!options.gplKnown()) {
                stored = std::move(options);
                return result;
            }
            configStep = 2;
            failure = CheckGplFolder(options.GPLPath);
            if (!failure) {
                result.gplKnown = true;
                result.camFolder = JoinPath(options.GPLPath, "tracks");
                stored = std::move(options);
                return result;
            }
        }
        result.showWarning = true;
    }

    if (failure && failure->number == kErrPathNotFound)
        result.debugModeCodes.push_back(configStep);
    stored = OptionsRecord{};
    configStep = 3;
    if (SaveConfiguration(programFolder, stored)) {
        result.debugModeCodes.push_back(configStep);
        result.saveFailed = true;
    }
    if (!result.debugModeCodes.empty())
        result.debugModeCode = result.debugModeCodes.back();
    return result;
}

std::optional<SystemError> SaveConfiguration(const std::string& programFolder, const OptionsRecord& stored)
{
    const std::vector<std::uint8_t> bytes = ConfigBytes(stored);
    if (bytes.empty())
        return ErrnoError(ENAMETOOLONG);

    const std::string path = JoinPath(programFolder, kConfigFileName);
    // "r+b" keeps what lies beyond the record; only a missing file is created.
    std::FILE* file = OpenFile(path, "r+b");
    if (file == nullptr && errno == ENOENT)
        file = OpenFile(path, "wb");
    if (file == nullptr)
        return LastOpenError(path, false);

    std::optional<SystemError> error;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        error = ErrnoError(errno);
    if (std::fclose(file) != 0 && !error)
        error = ErrnoError(errno);
    return error;
}

} // namespace vp
