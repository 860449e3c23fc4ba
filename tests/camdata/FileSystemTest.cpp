#include "camdata/FileSystem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h maps the name to ReplaceFileA/W, which would hide the function under test.
#undef replaceFile
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace vp {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(test::nativePath(folder)))
        names.push_back(test::utf8Path(entry.path().filename()));
    return names;
}

TEST(FileSystemPaths, JoinAndFolder)
{
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(joinPath("gpl", "tracks"), "gpl" + sep + "tracks");
    EXPECT_EQ(joinPath("gpl" + sep, "tracks"), "gpl" + sep + "tracks");
    EXPECT_EQ(joinPath("", "Vantapoint.cfg"), "Vantapoint.cfg");
    EXPECT_EQ(folderOf("a" + sep + "b" + sep + "monza.cam"), "a" + sep + "b" + sep);
    EXPECT_EQ(folderOf(sep + "monza.cam"), sep);
    EXPECT_EQ(folderOf("monza.cam"), "");
}

TEST(FileSystemRead, ReadsAtMostThePrefixAndFailuresCarryTheirNumbers)
{
    test::TempDir dir;
    Bytes content(100);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<std::uint8_t>(i);
    test::writeBytes(dir.file("f"), content);
    EXPECT_EQ(readFilePrefix(dir.file("f"), 10).bytes, Bytes(content.begin(), content.begin() + 10));
    const ReadResult whole = readFilePrefix(dir.file("f"), 1000);
    EXPECT_EQ(whole.error, std::nullopt);
    EXPECT_EQ(whole.bytes, content);

    EXPECT_EQ(readFilePrefix(dir.file("missing"), 10).error, (SystemError{kErrFileNotFound, "File not found"}));
    EXPECT_EQ(readFilePrefix(dir.file("none/missing"), 10).error, (SystemError{kErrPathNotFound, "Path not found"}));
    EXPECT_EQ(readFilePrefix(dir.file("f/missing"), 10).error, (SystemError{kErrPathNotFound, "Path not found"}));
    const ReadResult folder = readFilePrefix(dir.path(), 10);
    EXPECT_EQ(folder.error.value_or(SystemError{}).number, EISDIR);
    EXPECT_TRUE(folder.bytes.empty());
#ifndef _WIN32
    // Neither a pipe without a writer nor a device is waited on or read.
    ASSERT_EQ(mkfifo(dir.file("pipe.cam").c_str(), 0600), 0);
    for (const std::string& path : {dir.file("pipe.cam"), std::string("/dev/zero")})
        EXPECT_EQ(readFilePrefix(path, 10).error, (SystemError{EINVAL, "Not a regular file"})) << path;
#endif
}

// Paths are UTF-8 on every platform, whatever the system's code page.
TEST(FileSystemReplace, KeepsPermissionsAndANameBeyondAsciiAndLeavesNoTemporaryFile)
{
    test::TempDir dir;
    const std::string name = "Spa-Francorchamps Ø ü 東.cam";
    const std::string path = joinPath(dir.path(), name);
    test::writeBytes(path, Bytes(50, 1));
#ifdef _WIN32
    // Windows keeps them in the file's attributes.
    const std::wstring native = test::nativePath(path).native();
    const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(native.c_str(), attributes));
#else
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(test::nativePath(path), perms);
#endif
    ASSERT_EQ(replaceFile(path, Bytes{1, 2, 3}), std::nullopt);
    EXPECT_EQ(readFilePrefix(path, 10).bytes, (Bytes{1, 2, 3}));
    EXPECT_TRUE(fileExists(path));
#ifdef _WIN32
    EXPECT_EQ(GetFileAttributesW(native.c_str()), attributes);
#else
    EXPECT_EQ(fs::status(test::nativePath(path)).permissions(), perms);
#endif
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{name});
}

#ifdef _WIN32
// A file another program holds open (the game reading its cameras) cannot be replaced on Windows:
// the save fails and leaves the old file and nothing beside it.
TEST(FileSystemReplace, ATargetHeldOpenElsewhereKeepsTheOldFile)
{
    test::TempDir dir;
    const std::string path = dir.file("x.cam");
    test::writeBytes(path, {7, 7});
    HANDLE held = CreateFileW(test::nativePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::optional<SystemError> error = replaceFile(path, Bytes(1000, 3));
    CloseHandle(held);

    ASSERT_TRUE(error);
    EXPECT_TRUE(error->number == ERROR_ACCESS_DENIED || error->number == ERROR_SHARING_VIOLATION) << error->number;
    EXPECT_EQ(test::readBytes(path), (Bytes{7, 7}));
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"x.cam"});
}

// Older configuration files hold paths in the ANSI code page; such a path still names the file the
// narrow calls name.
TEST(FileSystemPaths, TextThatIsNotUtf8IsReadInTheAnsiCodePage)
{
    test::TempDir dir;
    const std::string path = joinPath(dir.path(), "caf\xE9.cam");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputc('x', file);
    std::fclose(file);
    EXPECT_EQ(readFilePrefix(path, 10).bytes, Bytes{'x'});
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"caf\u00E9.cam"});
}
#else
// Windows' links need a privilege to make, so this stays with POSIX systems.
TEST(FileSystemReplace, ThroughALinkReplacesTheFileAndKeepsTheLink)
{
    test::TempDir dir;
    const std::string path = dir.file("x.cam");
    test::writeBytes(path, Bytes(50, 1));
    fs::create_symlink("x.cam", dir.file("link.cam"));
    ASSERT_EQ(replaceFile(dir.file("link.cam"), Bytes{4, 5}), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.cam")));
    EXPECT_EQ(test::readBytes(path), (Bytes{4, 5}));
}

// A file-size limit makes the write itself fail half-way, as a full disk would.
TEST(FileSystemReplace, WriteFailingHalfWayKeepsTheOldFile)
{
    test::TempDir dir;
    const std::string path = dir.file("x.cam");
    test::writeBytes(path, {7, 7});

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{100, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::optional<SystemError> error = replaceFile(path, Bytes(1000, 3));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error.value_or(SystemError{}).number, EFBIG);
    EXPECT_EQ(test::readBytes(path), (Bytes{7, 7}));
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"x.cam"});
}
#endif

} // namespace
} // namespace vp
