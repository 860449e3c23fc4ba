// The options dialog through its real controls: what it shows on opening, how each control writes
// the dialog's options at once, and its script commands on a scripted backend and launcher.

#include "options/OptionsDialog.h"

#include "camdata/FileSystem.h"
#include "options/GplFolderDialog.h"
#include "remote/MouseInput.h"
#include "remote/ScriptActivity.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeInputBackend.h"
#include "support/FakeLauncher.h"
#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vp {
namespace {

const char* const kSingleSafetyBoxes[] = {"chkLoad", "chkSafe", "chkConfigure", "chkRemove", "chkExit", "chkAssign"};

class OptionsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::testApp(); }

    std::unique_ptr<OptionsDialog> Open(bool shown = true)
    {
        auto dialog = std::make_unique<OptionsDialog>(
            given, OptionsDialogServices{desktop, clock, activity, &input, "/opt/vantapoint/VantapointHelp.html",
                                         [this](std::unique_ptr<MouseInput> mouse) { mice.push_back(std::move(mouse)); },
                                         &launcher, ScreenSize{1024, 768}});
        if (shown) {
            dialog->show();
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        }
        return dialog;
    }

    // The options for the script commands: a GPL folder, no questions.
    void ScriptReady()
    {
        given.gplFolder = "/games/GPL";
        given.showInformation = false;
        given.askBeforeNewScript = false;
    }

    void hold(int virtualKey, std::int64_t first, std::int64_t end)
    {
        input.holds.push_back(test::KeyHold{virtualKey, first, end, true});
    }

    template <typename Widget = QWidget>
    static Widget* Find(QWidget& dialog, const QString& name)
    {
        auto* widget = dialog.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    static QLineEdit* Box(QWidget& dialog, int k) { return Find<QLineEdit>(dialog, QStringLiteral("txtDefaultValue_%1").arg(k)); }

    // Types into box k the way a user does: focus in, type over the selection, leave the box.
    static void Enter(QWidget& dialog, int k, const QString& text)
    {
        Find<QTabWidget>(dialog, "sstOptions")->setCurrentIndex(1);
        QLineEdit* box = Box(dialog, k);
        box->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(box->hasFocus());
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
        Find(dialog, "chkFixedSwitchOver")->setFocus(Qt::TabFocusReason);
    }

    // Passes through box k: it gets the focus and loses it again, nothing typed.
    static void Pass(QWidget& dialog, int k)
    {
        Find<QTabWidget>(dialog, "sstOptions")->setCurrentIndex(1);
        Box(dialog, k)->setFocus(Qt::TabFocusReason);
        Find(dialog, "chkFixedSwitchOver")->setFocus(Qt::TabFocusReason);
    }

    void ExpectSafetyBoxes(QWidget& dialog, bool checked, bool enabled)
    {
        for (const char* name : kSingleSafetyBoxes) {
            EXPECT_EQ(Find<QCheckBox>(dialog, name)->isChecked(), checked) << name;
            EXPECT_EQ(Find<QCheckBox>(dialog, name)->isEnabled(), enabled) << name;
        }
    }

    test::FakeDesktop desktop;
    test::FakeClock clock;
    test::FakeInputBackend input{&clock};
    test::FakeLauncher launcher{&clock};
    ScriptActivity activity;
    std::vector<std::unique_ptr<MouseInput>> mice;
    // The options in force, which the dialog is opened with.
    OptionsRecord given;
};

TEST_F(OptionsDialogTest, PathsShowAsTheyAreLabelsNameTheBoxesAndSafetyBoxesComeInOrder)
{
    given.gplFolder = "/games/<u>GPL</u>";
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Vantapoint: Options");
    EXPECT_TRUE(dialog->isModal());
    EXPECT_TRUE(Box(*dialog, 4)->isHidden());
    auto* folder = Find<QLabel>(*dialog, "lblGPLFolder");
    EXPECT_EQ(folder->text(), "/games/<u>GPL</u>");
    EXPECT_EQ(folder->textFormat(), Qt::PlainText) << "a path is no markup";
    // A screen reader names each default-value box by its label.
    for (const auto& [k, name] : {std::pair{0, "Camera value #1:"}, {3, "Camera value #4:"}, {11, "Camera value #12:"}})
        EXPECT_EQ(Box(*dialog, k)->accessibleName(), name);
    QWidget* step = Find(*dialog, "chkAll");
    for (const char* name : kSingleSafetyBoxes) {
        step = step->nextInFocusChain();
        EXPECT_EQ(step->objectName(), name);
    }
}

TEST_F(OptionsDialogTest, OpeningShowsTheStoredFlagsOrClearsAndGreysThemWithTheMasterOff)
{
    given.askBeforeRemove = false;
    {
        auto dialog = Open();
        EXPECT_TRUE(Find<QCheckBox>(*dialog, "chkAll")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(*dialog, "chkRemove")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(*dialog, "chkExit")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(*dialog, "chkRemove")->isEnabled());
        EXPECT_FALSE(dialog->options().askBeforeRemove);
    }
    given.showSafetyRequests = false;
    auto dialog = Open();
    EXPECT_FALSE(Find<QCheckBox>(*dialog, "chkAll")->isChecked());
    ExpectSafetyBoxes(*dialog, false, false);
    EXPECT_FALSE(dialog->options().askBeforeExit || dialog->options().askBeforeLoad);
}

TEST_F(OptionsDialogTest, TheMasterSwitchSetsAllSixAndRemembersNothing)
{
    given.askBeforeAssignToAll = false;
    given.showInformation = false;
    auto dialog = Open();
    auto* all = Find<QCheckBox>(*dialog, "chkAll");

    all->click();
    EXPECT_FALSE(dialog->options().showSafetyRequests);
    ExpectSafetyBoxes(*dialog, false, false);
    EXPECT_FALSE(dialog->options().askBeforeAssignToAll || dialog->options().askBeforeNewScript || dialog->options().askBeforeExit || dialog->options().askBeforeLoad ||
                 dialog->options().askBeforeRemove || dialog->options().askBeforeOverwrite);

    all->click();
    EXPECT_TRUE(dialog->options().showSafetyRequests);
    ExpectSafetyBoxes(*dialog, true, true);
    EXPECT_TRUE(dialog->options().askBeforeAssignToAll && dialog->options().askBeforeNewScript && dialog->options().askBeforeExit && dialog->options().askBeforeLoad &&
                dialog->options().askBeforeRemove && dialog->options().askBeforeOverwrite);
    EXPECT_FALSE(dialog->options().showInformation);
}

TEST_F(OptionsDialogTest, EachFlagBoxWritesItsOwnFlag)
{
    auto dialog = Open();
    const std::vector<std::pair<const char*, bool OptionsRecord::*>> boxes{
        {"chkLoad", &OptionsRecord::askBeforeLoad},           {"chkSafe", &OptionsRecord::askBeforeOverwrite},
        {"chkConfigure", &OptionsRecord::askBeforeNewScript}, {"chkRemove", &OptionsRecord::askBeforeRemove},
        {"chkExit", &OptionsRecord::askBeforeExit},           {"chkAssign", &OptionsRecord::askBeforeAssignToAll},
        {"chkInformation", &OptionsRecord::showInformation}, {"chkFixedSwitchOver", &OptionsRecord::fixedSwitchOver},
    };
    for (const auto& [name, flag] : boxes) {
        OptionsRecord expected = dialog->options();
        expected.*flag = false;
        Find<QCheckBox>(*dialog, name)->click();
        EXPECT_EQ(dialog->options(), expected) << name;
    }
}

// The rules of the boxes are the plain tests'; here a box stores, refuses and shows through them.
TEST_F(OptionsDialogTest, ABoxStoresWhatItTakesARefusalBeepsAndShowsTheStoredValue)
{
    given.defaultValues[1] = ValueSlot::fromFloat(0.0625F); // a half in the third decimal
    auto dialog = Open();
    EXPECT_EQ(Box(*dialog, 1)->text(), "0.062");
    Pass(*dialog, 1);
    EXPECT_EQ(dialog->options().defaultValues[1], ValueSlot::fromFloat(0.0625F)) << "passing through keeps the exact value";
    Enter(*dialog, 1, "200.5");
    EXPECT_EQ(Box(*dialog, 1)->text(), "0.0625");
    EXPECT_EQ(desktop.beeps, 1);
    Enter(*dialog, 11, "90");
    EXPECT_EQ(dialog->options().defaultValues[11], ValueSlot::fromFloat(1.57079637F));
    EXPECT_EQ(desktop.beeps, 1);
}

TEST_F(OptionsDialogTest, FocusSelectsTheWholeTextAndAnotherWindowInFrontChecksNothing)
{
    auto dialog = Open();
    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(1);
    QLineEdit* box = Box(*dialog, 2);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
    ASSERT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), "2");

    QTest::keyClicks(box, "999");
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(box, &deactivated);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(box->text(), "999");
}

TEST_F(OptionsDialogTest, PlacementSwitchStoresTwoHundredThenTheMiddleAgain)
{
    auto dialog = Open();
    auto* distance = Box(*dialog, 0);
    auto* middle = Find<QRadioButton>(*dialog, "optValue1_0");
    auto* atDistance = Find<QRadioButton>(*dialog, "optValue1_1");
    EXPECT_TRUE(middle->isChecked());
    EXPECT_FALSE(distance->isEnabled());

    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(1);
    atDistance->click();
    EXPECT_TRUE(distance->isEnabled());
    EXPECT_EQ(distance->text(), "200");
    EXPECT_EQ(dialog->options().defaultValues[0], ValueSlot::fromFloat(200.0F));

    Enter(*dialog, 0, "75.5");
    EXPECT_EQ(dialog->options().defaultValues[0], ValueSlot::fromFloat(75.5F));
    middle->click();
    EXPECT_FALSE(distance->isEnabled());
    EXPECT_EQ(dialog->options().defaultValues[0], ValueSlot::fromFloat(-1.0F));
    atDistance->click();
    EXPECT_EQ(distance->text(), "200");

    given.defaultValues[0] = ValueSlot::fromFloat(0.25F);
    auto reopened = Open();
    EXPECT_TRUE(Find<QRadioButton>(*reopened, "optValue1_1")->isChecked());
    EXPECT_EQ(Box(*reopened, 0)->text(), "0.25");
}

TEST_F(OptionsDialogTest, FixedBoxStoresTheIntegerOneOrZero)
{
    auto dialog = Open();
    auto* fixed = Find<QCheckBox>(*dialog, "chkValue5");
    EXPECT_TRUE(fixed->isChecked());
    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(1);
    fixed->click();
    EXPECT_EQ(dialog->options().defaultValues[4].bits(), 0x00000000U);
    fixed->click();
    EXPECT_EQ(dialog->options().defaultValues[4].bits(), 0x00000001U);
}

TEST_F(OptionsDialogTest, RemoteControlsFollowTheGplFolderAndTheScript)
{
    {
        auto dialog = Open();
        for (const char* name : {"cmdConfigure", "hscShutdown", "chkPlayScript", "cmdTest"})
            EXPECT_FALSE(Find(*dialog, name)->isEnabled()) << name;
    }
    given.gplFolder = "/games/gpl";
    given.script.count = 3;
    given.playScript = true;
    auto dialog = Open();
    for (const char* name : {"cmdConfigure", "hscShutdown", "chkPlayScript", "cmdTest"})
        EXPECT_TRUE(Find(*dialog, name)->isEnabled()) << name;
    auto* play = Find<QCheckBox>(*dialog, "chkPlayScript");
    EXPECT_TRUE(play->isChecked());
    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(2);
    play->click();
    EXPECT_FALSE(dialog->options().playScript);
}

TEST_F(OptionsDialogTest, TheShutdownSliderMovesTowardsTheEndEachInputPointsAt)
{
    given.gplFolder = "/games/gpl";
    auto dialog = Open();
    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(2);
    auto* slider = Find<QScrollBar>(*dialog, "hscShutdown");
    const int w = slider->width();
    const int y = slider->height() / 2;
    EXPECT_TRUE(slider->focusPolicy() & Qt::TabFocus) << "the keys can reach it";
    // "Slow" (3000 ms) is on the left, "Fast" (0 ms) on the right; the handle starts in the middle.
    const struct {
        const char* input;
        std::function<void()> act;
        std::int32_t delay;
    } cases[] = {
        {"left arrow", [&] { QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(3, y)); }, 1550},
        {"trough right of the handle", [&] { QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(w * 4 / 5, y)); }, 1000},
        {"key Home", [&] { QTest::keyClick(slider, Qt::Key_Home); }, 3000},
        {"key End", [&] { QTest::keyClick(slider, Qt::Key_End); }, 0},
    };
    for (const auto& c : cases) {
        slider->setValue(-1500);
        ASSERT_EQ(dialog->options().shutdownDelay, 1500) << c.input;
        c.act();
        EXPECT_EQ(dialog->options().shutdownDelay, c.delay) << c.input;
    }
}

TEST_F(OptionsDialogTest, HelpOpensTheManualItIsGiven)
{
    auto dialog = Open();
    Find<QPushButton>(*dialog, "cmdHelp")->click();
    EXPECT_EQ(desktop.opened, std::vector<std::string>{"/opt/vantapoint/VantapointHelp.html"});
    EXPECT_TRUE(dialog->isVisible());
}

// --- the script commands ---

TEST_F(OptionsDialogTest, RecordingFillsTheDialogsScriptAndOffersItForTesting)
{
    ScriptReady();
    auto dialog = Open(false);
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

TEST_F(OptionsDialogTest, TheDialogCannotBeClosedWhileTheRecordingRuns)
{
    ScriptReady();
    auto dialog = Open(false);
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

TEST_F(OptionsDialogTest, AFailedLaunchLeavesAnEmptyScriptThatIsNotOffered)
{
    given.script.append(100, 0, 0);
    ScriptReady();
    auto dialog = Open(false);
    ASSERT_TRUE(dialog->testScriptButton()->isEnabled());
    launcher.succeed = false;

    dialog->recordButton()->click();

    EXPECT_EQ(dialog->options().script.count, 0);
    EXPECT_FALSE(dialog->testScriptButton()->isEnabled());
    EXPECT_FALSE(dialog->playScriptBox()->isEnabled());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Vantapoint: Error");
}

TEST_F(OptionsDialogTest, TestScriptPlaysTheDialogsScriptAndAsksByTheFlagInForce)
{
    ScriptReady();
    given.script.append(100, 512, 384);
    given.showInformation = true;
    auto dialog = Open(false);
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
    auto second = Open(false);
    second->findChild<QCheckBox*>("chkInformation")->click();
    hold(VirtualKey::F5, clock.now + 500, clock.now + 510);
    second->testScriptButton()->click();
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(launcher.launched.size(), 2u);
}

TEST_F(OptionsDialogTest, TheScriptButtonsAreDisabledWhileACommandRunsAndKeepTheirRulesUnderneath)
{
    ScriptReady();
    auto dialog = Open(false);
    ASSERT_TRUE(dialog->recordButton()->isEnabled());
    ASSERT_FALSE(dialog->testScriptButton()->isEnabled());
    {
        const ScriptRun elsewhere(activity);
        EXPECT_FALSE(dialog->recordButton()->isEnabled());
        // Opened while the main window's "Test" plays.
        auto second = Open(false);
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
