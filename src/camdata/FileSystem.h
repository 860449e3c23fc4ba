#pragma once
// The few file-system services the plain core needs, with system errors turned into values.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The numbers the program shows for common system failures.
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrDriveNotReady = 71;
inline constexpr int kErrPathNotFound = 76;

struct SystemError {
    // kErrFileNotFound, kErrDriveNotReady, kErrPathNotFound, or the system's own number (errno).
    int number = 0;
    std::string description;
    friend bool operator==(const SystemError&, const SystemError&) = default;
};

// The system's number errno with its description.
SystemError errnoError(int err);
// The error of an open of path that has just failed, taken from errno (and, on Windows, the last
// system error) at once: a missing file in an existing folder when reading, a missing folder, a drive
// without a medium, or the system's own number.
SystemError lastOpenError(const std::string& path, bool reading);

// Paths travel in std::string as UTF-8 on every platform. POSIX systems take the bytes unchanged;
// Windows gets them as UTF-16 through its wide-character calls, since its ANSI code page cannot
// name every file. There, bytes that are not UTF-8 are read in the ANSI code page, as older
// configuration files hold them. Neither direction throws.
std::filesystem::path pathFromUtf8(std::string_view path);
std::string utf8FromPath(const std::filesystem::path& path);
// std::fopen for such a path.
std::FILE* openFile(const std::string& path, const char* mode);

// A path that names something other than a regular file: the system's "Is a directory" for a
// folder, "Not a regular file" for a pipe, device or socket.
SystemError notRegularFileError(bool folder);

// fopen with `mode` ("rb", "r+b", "a+b" or "wb") for regular files only. A pipe, device, socket or
// folder is refused before it is opened, and where the platform can, the open itself does not wait
// (a pipe without a writer would block it for ever), so one put in place meanwhile is refused too.
// `reading` tells lastOpenError how to name a missing file.
struct OpenedFile {
    std::FILE* file = nullptr;
    std::optional<SystemError> error;  // set exactly when file is null
};
OpenedFile openRegularFile(const std::string& path, const char* mode, bool reading);

// folder + separator + name; no doubled separator when folder already ends with one.
std::string joinPath(std::string_view folder, std::string_view name);
// The text up to and including the last separator; empty when there is none.
std::string folderOf(std::string_view path);

bool fileExists(const std::string& path);

// Reads at most maxBytes from the start of an existing regular file.
// Missing file in an existing folder: kErrFileNotFound; missing folder: kErrPathNotFound;
// no medium: kErrDriveNotReady; no regular file: notRegularFileError; anything else: errno and
// its description.
struct ReadResult {
    std::vector<std::uint8_t> bytes;
    std::optional<SystemError> error;
};
ReadResult readFilePrefix(const std::string& path, std::size_t maxBytes);

// Writes bytes to a temporary file in the target's folder and renames it over the target, so the
// target is either the old file or the complete new one. The new file keeps the target's
// permissions (on Windows its attributes: hidden, system, archive). A write-protected target is
// refused.
std::optional<SystemError> replaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace vp
