#include "camdata/FileSystem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#ifndef _WIN32
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
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(FileSystemPaths, JoinAndFolder)
{
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(JoinPath("gpl", "tracks"), "gpl" + sep + "tracks");
    EXPECT_EQ(JoinPath("gpl" + sep, "tracks"), "gpl" + sep + "tracks");
    EXPECT_EQ(JoinPath("", "Vantapoint.cfg"), "Vantapoint.cfg");
    EXPECT_EQ(FolderOf("a" + sep + "b" + sep + "monza.cam"), "a" + sep + "b" + sep);
    EXPECT_EQ(FolderOf(sep + "monza.cam"), sep);
    EXPECT_EQ(FolderOf("monza.cam"), "");
}

TEST(FileSystemRead, ReadsAtMostThePrefixAndFailuresCarryTheirNumbers)
{
    test::TempDir dir;
    Bytes content(100);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<std::uint8_t>(i);
    test::WriteBytes(dir.file("f"), content);
    EXPECT_EQ(ReadFilePrefix(dir.file("f"), 10).bytes, Bytes(content.begin(), content.begin() + 10));
    const ReadResult whole = ReadFilePrefix(dir.file("f"), 1000);
    EXPECT_EQ(whole.error, std::nullopt);
    EXPECT_EQ(whole.bytes, content);

    EXPECT_EQ(ReadFilePrefix(dir.file("missing"), 10).error, (SystemError{kErrFileNotFound, "File not found"}));
    EXPECT_EQ(ReadFilePrefix(dir.file("none/missing"), 10).error, (SystemError{kErrPathNotFound, "Path not found"}));
    EXPECT_EQ(ReadFilePrefix(dir.file("f/missing"), 10).error, (SystemError{kErrPathNotFound, "Path not found"}));
    const ReadResult folder = ReadFilePrefix(dir.path(), 10);
    ASSERT_TRUE(folder.error);
    EXPECT_EQ(folder.error->number, EISDIR);
    EXPECT_FALSE(folder.error->description.empty());
    EXPECT_TRUE(folder.bytes.empty());
#ifndef _WIN32
    // Neither a pipe without a writer nor a device is waited on or read.
    ASSERT_EQ(mkfifo(dir.file("pipe.cam").c_str(), 0600), 0);
    for (const std::string& path : {dir.file("pipe.cam"), std::string("/dev/zero")})
        EXPECT_EQ(ReadFilePrefix(path, 10).error, (SystemError{EINVAL, "Not a regular file"})) << path;
#endif
}

TEST(FileSystemReplace, KeepsPermissionsAndLinksAndLeavesNoTemporaryFile)
{
    test::TempDir dir;
    const std::string path = dir.file("x.cam");
    test::WriteBytes(path, Bytes(50, 1));
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, perms);
    ASSERT_EQ(ReplaceFile(path, Bytes{1, 2, 3}), std::nullopt);
    EXPECT_EQ(test::ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(fs::status(path).permissions(), perms);
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"x.cam"});

    fs::create_symlink("x.cam", dir.file("link.cam"));
    ASSERT_EQ(ReplaceFile(dir.file("link.cam"), Bytes{4, 5}), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.cam")));
    EXPECT_EQ(test::ReadBytes(path), (Bytes{4, 5}));
}

#ifndef _WIN32
// A file-size limit makes the write itself fail half-way, as a full disk would.
TEST(FileSystemReplace, WriteFailingHalfWayKeepsTheOldFile)
{
    test::TempDir dir;
    const std::string path = dir.file("x.cam");
    test::WriteBytes(path, {7, 7});

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::optional<SystemError> error = ReplaceFile(path, Bytes(1000, 3));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(error);
    EXPECT_EQ(error->number, EFBIG);
    EXPECT_EQ(test::ReadBytes(path), (Bytes{7, 7}));
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"x.cam"});
}
#endif

} // namespace
} // namespace vp
