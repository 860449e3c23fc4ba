#include "app/QtLauncher.h"

#include "support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace vp {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

void WriteFile(const std::string& path, const std::string& text, bool executable)
{
    std::ofstream(path, std::ios::binary) << text;
    if (executable)
        fs::permissions(path, fs::perms::owner_exec, fs::perm_options::add);
}

// The text a detached program writes, once it ends in a line "end".
std::string AwaitOutput(const std::string& path)
{
    for (int waited = 0; waited < 10000; waited += 20) {
        std::ifstream in(path);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (text.ends_with("end\n"))
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return "timed out";
}

#ifndef Q_OS_WIN

// Starts in the current folder and reports it, with its argument count.
constexpr const char* kReporter = "#!/bin/sh\npwd -P > \"$VP_LAUNCH_OUT\"\necho \"$#\" >> \"$VP_LAUNCH_OUT\"\necho end >> \"$VP_LAUNCH_OUT\"\n";

class QtLauncherTest : public testing::Test {
protected:
    TempDir dir;
    QString previousFolder = QDir::currentPath();
    std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";

    void SetUp() override { setenv("VP_LAUNCH_OUT", dir.file("out.txt").c_str(), 1); }
    void TearDown() override { QDir::setCurrent(previousFolder); setenv("PATH", oldPath.c_str(), 1); unsetenv("VP_LAUNCH_OUT"); }
};

TEST_F(QtLauncherTest, StartsAnExecutableDetachedInTheCurrentFolderWindowsProgramsThroughWineAndFailsForTheRest)
{
    fs::create_directories(dir.file("GPL"));
    fs::create_directories(dir.file("here"));
    WriteFile(dir.file("GPL/gpl.exe"), kReporter, true);
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.file("here"))));
    ASSERT_TRUE(QtLauncher().launch(dir.file("GPL/gpl.exe")));
    EXPECT_EQ(AwaitOutput(dir.file("out.txt")), fs::canonical(dir.file("here")).string() + "\n0\nend\n");

    // Wine from the path.
    fs::remove(dir.file("out.txt"));
    fs::create_directory(dir.file("bin"));
    WriteFile(dir.file("bin/wine"), "#!/bin/sh\necho \"$@\" > \"$VP_LAUNCH_OUT\"\necho end >> \"$VP_LAUNCH_OUT\"\n", true);
    WriteFile(dir.file("gpl.exe"), std::string("MZ\x90\0\x03", 5), false);
    setenv("PATH", (dir.file("bin") + ":" + oldPath).c_str(), 1);
    ASSERT_TRUE(QtLauncher().launch(dir.file("gpl.exe")));
    EXPECT_EQ(AwaitOutput(dir.file("out.txt")), dir.file("gpl.exe") + "\nend\n");

    WriteFile(dir.file("windows.exe"), "MZ", false);
    EXPECT_FALSE(launchCommandFor(QString::fromStdString(dir.file("windows.exe")), "")) << "a Windows program without Wine";
    fs::create_directory(dir.file("folder.exe"));
    WriteFile(dir.file("text.exe"), "just text", false);
    for (const char* name : {"missing/gpl.exe", "folder.exe", "text.exe"})
        EXPECT_FALSE(QtLauncher().launch(dir.file(name))) << name;
}

#endif

} // namespace
} // namespace vp
