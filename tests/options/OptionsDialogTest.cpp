// The options dialog through its real controls: what it shows on opening, how each control writes
// the dialog's options at once, and its script commands on a scripted backend and launcher.

#include "options/OptionsDialog.h"

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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace vp {
namespace {

// The six questions under the master switch and the flag each writes.
const std::pair<const char*, bool OptionsRecord::*> kSafetyBoxes[] = {
    {"chkLoad", &OptionsRecord::askBeforeLoad},           {"chkSafe", &OptionsRecord::askBeforeOverwrite},
    {"chkConfigure", &OptionsRecord::askBeforeNewScript}, {"chkRemove", &OptionsRecord::askBeforeRemove},
    {"chkExit", &OptionsRecord::askBeforeExit},           {"chkAssign", &OptionsRecord::askBeforeAssignToAll}};

class OptionsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::testApp(); }

    std::unique_ptr<OptionsDialog> Open(bool shown = true)
    {
        auto dialog = std::make_unique<OptionsDialog>(
            given, OptionsDialogServices{desktop, clock, activity, &input, "/opt/vantapoint/VantapointHelp.html",
                                         [this](std::unique_ptr<MouseInput> mouse) { mice.push_back(std::move(mouse)); },
                                         &launcher, ScreenSize{1024, 768}});
        if (shown)
            dialog->show(), dialog->activateWindow();
        EXPECT_TRUE(!shown || QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    // The options for the script commands: a GPL folder, no questions.
    void ScriptReady() { given.gplFolder = "/games/GPL"; given.showInformation = given.askBeforeNewScript = false; }

    void hold(int virtualKey, std::int64_t first, std::int64_t end) { input.holds.push_back({virtualKey, first, end, true}); }

    template <typename Widget = QCheckBox>
    static Widget* Find(QWidget& dialog, const QString& name) { auto* w = dialog.findChild<Widget*>(name); EXPECT_NE(w, nullptr) << name.toStdString(); return w; }

    static QLineEdit* Box(QWidget& dialog, int k) { return Find<QLineEdit>(dialog, QStringLiteral("txtDefaultValue_%1").arg(k)); }

    // Types into box k the way a user does: focus in, type over the selection, leave the box. With
    // no text it only passes through.
    static void Enter(QWidget& dialog, int k, const char* text = "")
    {
        Tab(dialog, 1);
        Box(dialog, k)->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(Box(dialog, k), text);
        Find(dialog, "chkFixedSwitchOver")->setFocus(Qt::TabFocusReason);
    }

    static void Tab(QWidget& dialog, int page) { Find<QTabWidget>(dialog, "sstOptions")->setCurrentIndex(page); }

    test::FakeDesktop desktop;
    test::FakeClock clock;
    test::FakeInputBackend input{&clock};
    test::FakeLauncher launcher{&clock};
    ScriptActivity activity;
    std::vector<std::unique_ptr<MouseInput>> mice;
    // The options in force, which the dialog is opened with.
    OptionsRecord given;
};

TEST_F(OptionsDialogTest, OpeningShowsTheStoredOptionsAsTheyAreWithTheBoxesNamedAndInOrder)
{
    given.gplFolder = "/games/<u>GPL</u>";
    given.askBeforeRemove = false;
    given.script.count = 3;
    given.playScript = true;
    auto dialog = Open();
    auto* folder = Find<QLabel>(*dialog, "lblGPLFolder"); // a path is no markup
    EXPECT_EQ(std::tuple(dialog->windowTitle(), dialog->isModal(), Box(*dialog, 4)->isHidden(), folder->text(), folder->textFormat()),
              std::tuple(QString("Vantapoint: Options"), true, true, QString("/games/<u>GPL</u>"), Qt::PlainText));
    // A screen reader names each default-value box by its label.
    for (const auto& [k, name] : {std::pair{0, "Camera value #1:"}, {3, "Camera value #4:"}, {11, "Camera value #12:"}})
        EXPECT_EQ(Box(*dialog, k)->accessibleName(), name);
    EXPECT_TRUE(!Find(*dialog, "chkRemove")->isChecked() && Find(*dialog, "chkExit")->isChecked() && Find(*dialog, "chkPlayScript")->isChecked());
    // The remote controls follow the GPL folder and the script.
    for (const char* name : {"cmdConfigure", "hscShutdown", "chkPlayScript", "cmdTest"})
        EXPECT_TRUE(Find<QWidget>(*dialog, name)->isEnabled()) << name;
}

TEST_F(OptionsDialogTest, TheMasterSwitchSetsAllSixAndRemembersNothingAndHelpOpensTheManual)
{
    given.askBeforeAssignToAll = given.showInformation = given.showSafetyRequests = false;
    auto dialog = Open();
    for (const char* name : {"cmdConfigure", "hscShutdown", "chkPlayScript", "cmdTest"})
        EXPECT_FALSE(Find<QWidget>(*dialog, name)->isEnabled()) << name << ": no GPL folder";
    Find<QPushButton>(*dialog, "cmdHelp")->click();
    EXPECT_EQ(std::pair(desktop.opened, dialog->isVisible()), std::pair(std::vector<std::string>{"/opt/vantapoint/VantapointHelp.html"}, true));
    const auto& o = dialog->options();
    for (const bool on : {false, true, false}) {
        if (on != o.showSafetyRequests)
            Find(*dialog, "chkAll")->click();
        EXPECT_EQ(std::pair(o.showSafetyRequests, o.showInformation), std::pair(on, false));
        for (const auto& [name, flag] : kSafetyBoxes)
            EXPECT_EQ(std::tuple(Find(*dialog, name)->isChecked(), Find(*dialog, name)->isEnabled(), o.*flag), std::tuple(on, on, on)) << name;
    }
}

// The rules of the boxes are the plain tests'; here a box stores, refuses and shows through them.
TEST_F(OptionsDialogTest, ABoxStoresWhatItTakesARefusalBeepsAndShowsTheStoredValue)
{
    given.defaultValues[1] = ValueSlot::fromFloat(0.0625F); // a half in the third decimal
    auto dialog = Open();
    EXPECT_EQ(Box(*dialog, 1)->text(), "0.062");
    Enter(*dialog, 1);
    EXPECT_EQ(dialog->options().defaultValues[1], ValueSlot::fromFloat(0.0625F)) << "passing through keeps the exact value";
    Enter(*dialog, 1, "200.5");
    Enter(*dialog, 11, "90");
    EXPECT_EQ(std::tuple(Box(*dialog, 1)->text(), dialog->options().defaultValues[11], desktop.beeps), std::tuple(QString("0.0625"), ValueSlot::fromFloat(1.57079637F), 1))
        << "one beep: the refusal only";

    // A click selects the whole text; another window coming to the front checks nothing.
    QLineEdit* box = Box(*dialog, 2);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
    ASSERT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), "2");
    QTest::keyClicks(box, "999");
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(box, &deactivated);
    EXPECT_TRUE(desktop.beeps == 1 && box->text() == "999");
}

TEST_F(OptionsDialogTest, PlacementSwitchStoresTwoHundredThenTheMiddleAgainAndFixedStoresOneOrZero)
{
    auto dialog = Open();
    auto* distance = Box(*dialog, 0);
    auto *middle = Find<QRadioButton>(*dialog, "optValue1_0"), *atDistance = Find<QRadioButton>(*dialog, "optValue1_1");
    EXPECT_TRUE(middle->isChecked() && !distance->isEnabled());
    Tab(*dialog, 1);
    atDistance->click();
    EXPECT_EQ(std::tuple(distance->isEnabled(), distance->text(), dialog->options().defaultValues[0]), std::tuple(true, QString("200"), ValueSlot::fromFloat(200.0F)));
    Enter(*dialog, 0, "75.5");
    EXPECT_EQ(dialog->options().defaultValues[0], ValueSlot::fromFloat(75.5F));
    middle->click();
    EXPECT_TRUE(!distance->isEnabled() && dialog->options().defaultValues[0] == ValueSlot::fromFloat(-1.0F));
    atDistance->click();
    EXPECT_EQ(distance->text(), "200");

    auto* fixed = Find(*dialog, "chkValue5");
    EXPECT_TRUE(fixed->isChecked());
    for (const std::uint32_t bits : {0U, 1U}) {
        fixed->click();
        EXPECT_EQ(dialog->options().defaultValues[4].bits(), bits);
    }

    given.defaultValues[0] = ValueSlot::fromFloat(0.25F);
    auto reopened = Open();
    EXPECT_EQ(std::pair(Find<QRadioButton>(*reopened, "optValue1_1")->isChecked(), Box(*reopened, 0)->text()), std::pair(true, QString("0.25")));
}

TEST_F(OptionsDialogTest, TheShutdownSliderMovesTowardsTheEndEachInputPointsAt)
{
    given.gplFolder = "/games/gpl";
    auto dialog = Open();
    Tab(*dialog, 2);
    auto* slider = Find<QScrollBar>(*dialog, "hscShutdown");
    const int y = slider->height() / 2;
    EXPECT_TRUE(slider->focusPolicy() & Qt::TabFocus) << "the keys can reach it";
    // "Slow" (3000 ms) is on the left, "Fast" (0 ms) on the right; the handle starts in the middle.
    const std::tuple<const char*, std::function<void()>, std::int32_t> cases[] = {
        {"left arrow", [&] { QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(3, y)); }, 1550},
        {"trough right of the handle", [&] { QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() * 4 / 5, y)); }, 1000},
        {"key Home", [&] { QTest::keyClick(slider, Qt::Key_Home); }, 3000},
        {"key End", [&] { QTest::keyClick(slider, Qt::Key_End); }, 0},
    };
    for (const auto& [input, act, delay] : cases) {
        slider->setValue(-1500);
        ASSERT_EQ(dialog->options().shutdownDelay, 1500) << input;
        act();
        EXPECT_EQ(dialog->options().shutdownDelay, delay) << input;
    }
}

TEST_F(OptionsDialogTest, TheDialogCannotBeClosedWhileTheRecordingRuns)
{
    ScriptReady();
    auto dialog = Open(false);
    dialog->show();
    QSignalSpy closed(dialog.get(), &QDialog::finished);
    for (const auto& [key, at] : {std::pair{VirtualKey::LeftButton, 1500}, {VirtualKey::LeftButton, 1600}, {VirtualKey::F5, 2000}})
        hold(key, at, at + 10);
    input.pointer = PointerPosition{320, 240};
    // The user tries every way out, and the GPL folder dialog, while GPL records.
    QTimer::singleShot(0, dialog.get(), [&dialog] {
        QTimer::singleShot(0, [] {
            if (auto* folders = qobject_cast<GplFolderDialog*>(QApplication::activeModalWidget()))
                folders->reject();
        });
        Find<QPushButton>(*dialog, "cmdChange")->click();
        Find<QScrollBar>(*dialog, "hscShutdown")->setValue(0); // "Fast", set while GPL runs
        Find<QPushButton>(*dialog, "cmdOK")->click();
        Find<QPushButton>(*dialog, "cmdCancel")->click();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        dialog->close();
    });
    dialog->recordButton()->click();

    // The second click's x is scaled by the desktop measured at start-up.
    EXPECT_EQ(std::tuple(dialog->isVisible(), closed.count(), dialog->options().script.count, dialog->options().script.x[1]), std::tuple(true, 0, 2, 512));
    EXPECT_EQ(desktop.beeps, 2 + 5) << "each recorded click and each refused command";
    ASSERT_EQ(input.keys.size(), 5U);
    EXPECT_EQ(input.keys.back().atMs - input.keys.front().atMs, 0) << "the shutdown pause set during the recording";
    Find<QPushButton>(*dialog, "cmdOK")->click();
    EXPECT_EQ(closed.count(), 1) << "after F5 the dialog closes again";
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
    Find(*dialog, "chkInformation")->click();
    dialog->testScriptButton()->click();
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text.rfind("GPL will now be launched", 0), 0u);
    ASSERT_EQ(input.mouseEvents.size(), 3u);
    EXPECT_EQ(std::tuple(input.mouseEvents[0].flags, input.mouseEvents[0].dx, input.keys.size()), std::tuple(MouseFlags::Move | MouseFlags::Absolute, 32768, 5u));

    // Ticked here but not in force: no box.
    given.showInformation = false;
    desktop.clearRecords();
    dialog = Open(false);
    Find(*dialog, "chkInformation")->click();
    hold(VirtualKey::F5, clock.now + 500, clock.now + 510);
    dialog->testScriptButton()->click();
    EXPECT_TRUE(desktop.boxes.empty() && launcher.launched.size() == 2u);
}

} // namespace
} // namespace vp
