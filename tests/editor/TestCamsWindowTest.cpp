// "Test" in the main window, pressed for real: the stored options decide what it launches and
// plays, and the button is disabled while any script command runs.

#include "MainWindowFixture.h"

#include "camdata/FileSystem.h"
#include "options/Configuration.h"
#include "support/FakeInputBackend.h"
#include "support/FakeLauncher.h"

#include <QPushButton>

#include <filesystem>
#include <string>
#include <vector>

namespace vp::test {
namespace {

class TestCamsWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        input = &backend;
        launcher = &fakeLauncher;
        std::filesystem::create_directory(gpl);
        WriteBytes(JoinPath(gpl, "gpl.exe"), {'M', 'Z'});
        options.GPLPath = gpl;
        options.ShowInformation = false;
        options.ShutdownDelay = 0;
    }

    // Starts the program on `options` as its configuration.
    frmMain& startWithOptions()
    {
        WriteBytes(JoinPath(folder.path(), kConfigFileName), ConfigBytes(options));
        return start();
    }

    // F5 goes down at the first look for it and is up at the next.
    void tapF5()
    {
        backend.keyState = [down = false](int virtualKey, std::int64_t) mutable {
            if (virtualKey != VirtualKey::F5)
                return false;
            down = !down;
            return down;
        };
    }

    FakeInputBackend backend{&clock};
    FakeLauncher fakeLauncher{&clock};
    std::string gpl = folder.file("GPL");
    OptionsRecord options;
};

TEST_F(TestCamsWindowTest, WithoutPlayScriptItOnlyLaunchesTheStoredGplAfterItsInformation)
{
    options.ShowInformation = true;
    options.ClickCount = 1;
    startWithOptions();
    // The dialog's unaccepted edits do not count.
    window->workingOptions().GPLPath = "/elsewhere";

    click("cmdTestCams");

    EXPECT_EQ(fakeLauncher.launched, std::vector<std::string>{JoinPath(gpl, "gpl.exe")});
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Vantapoint: Info");
    EXPECT_EQ(desktop.boxes[0].text, "GPL will now be launched.");
    EXPECT_TRUE(backend.mouseEvents.empty());
    EXPECT_TRUE(backend.keys.empty());
}

TEST_F(TestCamsWindowTest, WithPlayScriptItPlaysTheStoredScriptAndIsDisabledMeanwhile)
{
    options.PlayScript = true;
    options.ClickCount = 1;
    options.ClickInterval[1] = 100;
    options.ClickX[1] = 512;
    options.ClickY[1] = 384;
    startWithOptions();
    auto* button = find<QPushButton>("cmdTestCams");
    ASSERT_TRUE(button->isEnabled());
    bool enabledDuringPlay = true;
    window->state().scriptActivity.watch([&](bool running) {
        if (running)
            enabledDuringPlay = button->isEnabled();
    });
    tapF5();

    button->click();

    EXPECT_FALSE(enabledDuringPlay);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(fakeLauncher.launched.size(), 1u);
    ASSERT_EQ(backend.mouseEvents.size(), 3u);
    EXPECT_EQ(backend.mouseEvents[0].dx, 32768);
    EXPECT_EQ(backend.keys.size(), 5u);
}

TEST_F(TestCamsWindowTest, StaysDisabledWithoutAGplFolderWhenACommandEnds)
{
    options.GPLPath = std::string(kGplNotInstalled);
    startWithOptions();
    auto* button = find<QPushButton>("cmdTestCams");
    ASSERT_FALSE(button->isEnabled());
    {
        const ScriptRun run(window->state().scriptActivity);
    }
    EXPECT_FALSE(button->isEnabled());
}

} // namespace
} // namespace vp::test
