#include "options/OptionsDialog.h"

#include "support/QtTestApp.h"
#include "options/GplFolderDialog.h"
#include "remote/MouseInput.h"
#include "remote/ScriptActivity.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeInputBackend.h"
#include "support/FakeLauncher.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vp {
namespace {

using namespace test;

class OptionsDialogScriptTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::testApp(); }

    void SetUp() override
    {
        given.gplFolder = "/games/GPL";
        given.showInformation = false;
        given.askBeforeNewScript = false;
    }

    std::unique_ptr<OptionsDialog> Open()
    {
        OptionsDialogServices services{desktop, clock, activity, &input, "/opt/vantapoint/VantapointHelp.html",
                                       [this](std::unique_ptr<MouseInput> mouse) { mice.push_back(std::move(mouse)); },
                                       &launcher, ScreenSize{1024, 768}};
        return std::make_unique<OptionsDialog>(given, std::move(services));
    }

    void hold(int virtualKey, std::int64_t first, std::int64_t end)
    {
        input.holds.push_back(KeyHold{virtualKey, first, end, true});
    }

    FakeClock clock;
    FakeInputBackend input{&clock};
    FakeDesktop desktop;
    FakeLauncher launcher{&clock};
    ScriptActivity activity;
    std::vector<std::unique_ptr<MouseInput>> mice;
    // The options in force, which the dialog is opened with.
    OptionsRecord given;
};

TEST_F(OptionsDialogScriptTest, RecordingFillsTheDialogsScriptAndOffersItForTesting)
{
    auto dialog = Open();
    ASSERT_FALSE(dialog->testScriptButton()->isEnabled());
    hold(VirtualKey::LeftButton, 1500, 1510);
    input.pointer = PointerPosition{320, 240};
    hold(VirtualKey::F5, 2000, 2010);

    dialog->recordButton()->click();

    EXPECT_EQ(launcher.launched, std::vector<std::string>{"/games/GPL/gpl.exe"});
    const ClickScript& script = dialog->options().script;
    ASSERT_EQ(script.count, 1);
    // Scaled by the desktop measured at start-up, not by the fake backend's screen.
    EXPECT_EQ(script.x[1], 512);
    EXPECT_EQ(script.y[1], 384);
    EXPECT_EQ(script.intervals[1], 510);
    EXPECT_EQ(given.script.count, 0);
    EXPECT_TRUE(dialog->testScriptButton()->isEnabled());
    EXPECT_TRUE(dialog->playScriptBox()->isEnabled());
}

TEST_F(OptionsDialogScriptTest, TheDialogCannotBeClosedWhileTheRecordingRuns)
{
    auto dialog = Open();
    dialog->show();
    QSignalSpy closed(dialog.get(), &QDialog::finished);
    hold(VirtualKey::LeftButton, 1500, 1510);
    hold(VirtualKey::LeftButton, 1600, 1610);
    hold(VirtualKey::F5, 2000, 2010);
    // The user tries every way out, and the GPL folder dialog, while GPL records.
    QTimer::singleShot(0, dialog.get(), [&dialog] {
        QTimer::singleShot(0, [] {
            if (auto* folders = qobject_cast<GplFolderDialog*>(QApplication::activeModalWidget()))
                folders->reject();
        });
        dialog->findChild<QPushButton*>("cmdChange")->click();
        dialog->findChild<QScrollBar*>("hscShutdown")->setValue(0); // "Fast", set while GPL runs
        dialog->findChild<QPushButton*>("cmdOK")->click();
        dialog->findChild<QPushButton*>("cmdCancel")->click();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        dialog->close();
    });

    dialog->recordButton()->click();

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(dialog->options().script.count, 2);
    EXPECT_EQ(desktop.beeps, 2 + 5) << "each recorded click and each refused command";
    ASSERT_EQ(input.keys.size(), 5U);
    EXPECT_EQ(input.keys.back().atMs - input.keys.front().atMs, 0) << "the shutdown pause set during the recording";
    dialog->findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(closed.count(), 1) << "after F5 the dialog closes again";
}

TEST_F(OptionsDialogScriptTest, AFailedLaunchLeavesAnEmptyScriptThatIsNotOffered)
{
    given.script.append(100, 0, 0);
    auto dialog = Open();
    ASSERT_TRUE(dialog->testScriptButton()->isEnabled());
    launcher.succeed = false;

    dialog->recordButton()->click();

    EXPECT_EQ(dialog->options().script.count, 0);
    EXPECT_FALSE(dialog->testScriptButton()->isEnabled());
    EXPECT_FALSE(dialog->playScriptBox()->isEnabled());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Vantapoint: Error");
}

TEST_F(OptionsDialogScriptTest, TestScriptPlaysTheDialogsScriptAndAsksByTheFlagInForce)
{
    given.script.append(100, 512, 384);
    given.showInformation = true;
    auto dialog = Open();
    ASSERT_EQ(mice.size(), 1u);
    hold(VirtualKey::F5, 3000, 3010);
    // Unticked here but in force: the box still shows.
    dialog->findChild<QCheckBox*>("chkInformation")->click();
    ASSERT_FALSE(dialog->options().showInformation);

    dialog->testScriptButton()->click();

    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text.rfind("GPL will now be launched", 0), 0u);
    ASSERT_EQ(input.mouseEvents.size(), 3u);
    EXPECT_EQ(input.mouseEvents[0].flags, MouseFlags::Move | MouseFlags::Absolute);
    EXPECT_EQ(input.mouseEvents[0].dx, 32768);
    EXPECT_EQ(input.keys.size(), 5u);

    // Ticked here but not in force: no box.
    given.showInformation = false;
    desktop.clearRecords();
    auto second = Open();
    second->findChild<QCheckBox*>("chkInformation")->click();
    hold(VirtualKey::F5, clock.now + 500, clock.now + 510);
    second->testScriptButton()->click();
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(launcher.launched.size(), 2u);
}

TEST_F(OptionsDialogScriptTest, TheScriptButtonsAreDisabledWhileACommandRunsAndKeepTheirRulesUnderneath)
{
    auto dialog = Open();
    ASSERT_TRUE(dialog->recordButton()->isEnabled());
    ASSERT_FALSE(dialog->testScriptButton()->isEnabled());
    {
        const ScriptRun elsewhere(activity);
        EXPECT_FALSE(dialog->recordButton()->isEnabled());
        // Opened while the main window's "Test" plays.
        auto second = Open();
        EXPECT_FALSE(second->recordButton()->isEnabled());
    }
    EXPECT_TRUE(dialog->recordButton()->isEnabled());
    EXPECT_FALSE(dialog->testScriptButton()->isEnabled());

    bool disabledDuringRecording = false;
    activity.watch([&](bool running) {
        if (running)
            disabledDuringRecording = !dialog->recordButton()->isEnabled() && !dialog->testScriptButton()->isEnabled();
    });
    hold(VirtualKey::F5, 1100, 1110);
    dialog->recordButton()->click();
    EXPECT_TRUE(disabledDuringRecording);
    EXPECT_TRUE(dialog->recordButton()->isEnabled());
    EXPECT_TRUE(dialog->testScriptButton()->isEnabled());
}

} // namespace
} // namespace vp
