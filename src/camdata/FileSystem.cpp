#include "camdata/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace vp {

namespace {

bool isSeparator(char c)
{
#ifdef _WIN32
    // The file dialogs hand out paths with forward slashes as well.
    return c == '\\' || c == '/';
#else
    return c == kPathSeparator;
#endif
}

SystemError fromErrorCode(const std::error_code& ec)
{
    return {ec.value(), ec.message()};
}

// errno and, on Windows, the system's own code, taken at once after a failed call.
struct Failure {
    int err = 0;
#ifdef _WIN32
    DWORD win = 0;
#endif
};

Failure lastFailure()
{
    Failure failure;
    failure.err = errno;
#ifdef _WIN32
    failure.win = GetLastError();
#endif
    return failure;
}

// Opening path failed: tell a missing file (only when reading) from a missing folder or drive.
SystemError openError(const Failure& failure, const fs::path& path, bool reading)
{
#ifdef _WIN32
    if (failure.win == ERROR_NOT_READY)
        return {kErrDriveNotReady, "Drive not ready"};
    if (failure.win == ERROR_PATH_NOT_FOUND || failure.win == ERROR_INVALID_DRIVE)
        return {kErrPathNotFound, "Path not found"};
#endif
#ifdef ENOMEDIUM
    if (failure.err == ENOMEDIUM)
        return {kErrDriveNotReady, "Drive not ready"};
#endif
    if (failure.err == ENOENT) {
        const fs::path parent = path.parent_path();
        std::error_code ec;
        if (reading && (parent.empty() || fs::is_directory(parent, ec)))
            return {kErrFileNotFound, "File not found"};
        return {kErrPathNotFound, "Path not found"};
    }
    if (failure.err == ENOTDIR)
        return {kErrPathNotFound, "Path not found"};
    return errnoError(failure.err);
}

#ifdef _WIN32
// UTF-16 from text in the code page, or nothing when the text is not valid there.
std::optional<std::wstring> widen(std::string_view text, UINT codePage, DWORD flags)
{
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    const int size = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (size <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), size);
    return wide;
}

int openExclusive(const fs::path& path)
{
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long long writeSome(int fd, std::span<const std::uint8_t> bytes)
{
    return _write(fd, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), INT_MAX)));
}
int syncFile(int fd) { return _commit(fd); }
int closeFile(int fd) { return _close(fd); }
#else
int openExclusive(const fs::path& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
long long writeSome(int fd, std::span<const std::uint8_t> bytes)
{
    return ::write(fd, bytes.data(), bytes.size());
}
int syncFile(int fd) { return ::fsync(fd); }
int closeFile(int fd) { return ::close(fd); }
#endif

std::optional<SystemError> writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const long long written = writeSome(fd, bytes);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return errnoError(written < 0 ? errno : EIO);
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

#ifdef _WIN32
SystemError lastWindowsError()
{
    const DWORD err = GetLastError();
    return {static_cast<int>(err), std::system_category().message(static_cast<int>(err))};
}
#endif

// Windows keeps more than the write bit in a file's attributes; the new file takes them over.
std::optional<SystemError> keepAttributes([[maybe_unused]] const fs::path& from, [[maybe_unused]] const fs::path& to)
{
#ifdef _WIN32
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = GetFileAttributesW(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return lastWindowsError();
    // No attributes at all is written as "normal".
    const DWORD kept = attributes & kKept;
    if (!SetFileAttributesW(to.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL))
        return lastWindowsError();
#endif
    return std::nullopt;
}

std::optional<SystemError> moveOver(const fs::path& from, const fs::path& to)
{
#ifdef _WIN32
    // A rename over the old file, written through before returning: the target is never missing.
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastWindowsError();
#else
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec)
        return fromErrorCode(ec);
#endif
    return std::nullopt;
}

// A name in the target's own folder, so the final rename never crosses file systems.
fs::path tempNameBeside(const fs::path& target)
{
    thread_local std::mt19937 random{std::random_device{}()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string suffix(8, '0');
    for (char& c : suffix)
        c = kHex[random() % 16];
    fs::path name = ".";
    name += target.filename();
    name += "." + suffix + ".tmp";
    return target.parent_path() / name;
}

} // namespace

SystemError errnoError(int err)
{
    return {err, std::generic_category().message(err)};
}

SystemError lastOpenError(const std::string& path, bool reading)
{
    const Failure failure = lastFailure();
    return openError(failure, pathFromUtf8(path), reading);
}

fs::path pathFromUtf8(std::string_view path)
{
#ifdef _WIN32
    std::optional<std::wstring> wide = widen(path, CP_UTF8, MB_ERR_INVALID_CHARS);
    if (!wide)
        wide = widen(path, CP_ACP, 0);
    return fs::path(wide.value_or(std::wstring()));
#else
    return fs::path(std::string(path));
#endif
}

std::string utf8FromPath(const fs::path& path)
{
#ifdef _WIN32
    // A lone surrogate, which no UTF-8 can hold, becomes U+FFFD.
    const std::wstring& wide = path.native();
    const int length = static_cast<int>(std::min<std::size_t>(wide.size(), INT_MAX));
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
    return text;
#else
    return path.native();
#endif
}

std::FILE* openFile(const std::string& path, const char* mode)
{
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(pathFromUtf8(path).c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

SystemError notRegularFileError(bool folder)
{
    return folder ? errnoError(EISDIR) : SystemError{EINVAL, "Not a regular file"};
}

OpenedFile openRegularFile(const std::string& path, const char* mode, bool reading)
{
    std::error_code ec;
    const fs::file_status status = fs::status(pathFromUtf8(path), ec);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return {nullptr, notRegularFileError(fs::is_directory(status))};
#ifdef _WIN32
    std::FILE* file = openFile(path, mode);
    if (file == nullptr)
        return {nullptr, lastOpenError(path, reading)};
    return {file, std::nullopt};
#else
    const std::string_view how(mode);
    int flags = O_RDONLY;
    if (how == "r+b")
        flags = O_RDWR;
    else if (how == "a+b")
        flags = O_RDWR | O_CREAT | O_APPEND;
    else if (how == "wb")
        flags = O_WRONLY | O_CREAT | O_TRUNC;
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return {nullptr, lastOpenError(path, reading)};
    struct stat opened {};
    std::optional<SystemError> refusal;
    if (::fstat(fd, &opened) != 0)
        refusal = errnoError(errno);
    else if (!S_ISREG(opened.st_mode))
        refusal = notRegularFileError(S_ISDIR(opened.st_mode));
    if (refusal) {
        ::close(fd);
        return {nullptr, refusal};
    }
    // A regular file never blocks; the stream behaves as fopen's would.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, mode);
    if (file == nullptr) {
        const SystemError error = errnoError(errno);
        ::close(fd);
        return {nullptr, error};
    }
    return {file, std::nullopt};
#endif
}

std::string joinPath(std::string_view folder, std::string_view name)
{
    std::string joined(folder);
    if (!joined.empty() && !isSeparator(joined.back()))
        joined += kPathSeparator;
    joined += name;
    return joined;
}

std::string folderOf(std::string_view path)
{
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1]))
            return std::string(path.substr(0, i));
    }
    return {};
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(pathFromUtf8(path), ec);
}

ReadResult readFilePrefix(const std::string& path, std::size_t maxBytes)
{
    ReadResult result;
    OpenedFile opened = openRegularFile(path, "rb", true);
    if (opened.file == nullptr) {
        result.error = opened.error;
        return result;
    }
    std::FILE* file = opened.file;
    result.bytes.resize(maxBytes);
    errno = 0;
    const std::size_t got = std::fread(result.bytes.data(), 1, maxBytes, file);
    const int readErr = errno != 0 ? errno : EIO;
    const bool readFailed = std::ferror(file) != 0;
    const bool closeFailed = std::fclose(file) != 0;
    if (readFailed || closeFailed) {
        result.bytes.clear();
        result.error = errnoError(readFailed ? readErr : (errno != 0 ? errno : EIO));
        return result;
    }
    result.bytes.resize(got);
    return result;
}

std::optional<SystemError> replaceFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    fs::path target = pathFromUtf8(path);
    std::error_code ec;
    // Through a link, replace the file it names and keep the link.
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }

    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        return errnoError(EISDIR);
    std::optional<fs::perms> keepPerms;
    if (fs::exists(status)) {
        // Judged on the mode bits, not on access(): a privileged user may write anything, but a
        // file marked write-protected must still not be replaced.
        if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
            return errnoError(EACCES);
        keepPerms = status.permissions();
    }

    fs::path tempPath;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempPath = tempNameBeside(target);
        fd = openExclusive(tempPath);
        if (fd < 0 && errno != EEXIST)
            return openError(lastFailure(), tempPath, false);
    }
    if (fd < 0)
        return errnoError(EEXIST);

    std::optional<SystemError> error = writeAll(fd, bytes);
    // On disk before the rename, so a crash cannot leave an empty file in place of the old one.
    if (!error && syncFile(fd) != 0)
        error = errnoError(errno);
    if (closeFile(fd) != 0 && !error)
        error = errnoError(errno);
    if (!error && keepPerms) {
        fs::permissions(tempPath, *keepPerms, fs::perm_options::replace, ec);
        if (ec)
            error = fromErrorCode(ec);
        else
            error = keepAttributes(target, tempPath);
    }
    if (!error)
        error = moveOver(tempPath, target);
    if (error) {
        std::error_code ignored;
        fs::remove(tempPath, ignored);
    }
    return error;
}

} // namespace vp
