// The options dialog through its real controls: what it shows on opening, how each control writes
// the dialog's options at once, and the checks of the default-value boxes.

#include "options/OptionsDialog.h"

#include "camdata/FileSystem.h"
#include "remote/ScriptActivity.h"
#include "support/QtTestApp.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

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
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    std::unique_ptr<OptionsDialog> Open()
    {
        auto dialog = std::make_unique<OptionsDialog>(
            given, OptionsDialogServices{.desktop = desktop,
                                         .clock = clock,
                                         .scriptActivity = activity,
                                         .manual = "/opt/vantapoint/VantapointHelp.html",
                                         .replaceMouseInput = {}});
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
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
    ScriptActivity activity;
    // The options the dialog is opened with.
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

TEST_F(OptionsDialogTest, DistanceBoxRefusesOutOfRangeNonNumbersAndEmptyText)
{
    given.defaultValues[0] = ValueSlot::fromFloat(350.0F);
    auto dialog = Open();
    for (const QString& typed : {QStringLiteral("1500"), QStringLiteral("abc"), QString()}) {
        desktop.clearRecords();
        Enter(*dialog, 0, typed);
        EXPECT_EQ(desktop.beeps, 1) << typed.toStdString();
        EXPECT_EQ(Box(*dialog, 0)->text(), "350") << typed.toStdString();
        EXPECT_EQ(dialog->options().defaultValues[0], ValueSlot::fromFloat(350.0F)) << typed.toStdString();
    }
    desktop.clearRecords();
    Enter(*dialog, 0, "0");
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(dialog->options().defaultValues[0], ValueSlot::fromFloat(0.0F));
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(OptionsDialogTest, AnglesAreTypedInDegreesAndKeptInRadians)
{
    given.defaultValues[8] = ValueSlot::fromFloat(0.785398185F); // 45 degrees
    {
        auto dialog = Open();
        EXPECT_EQ(Box(*dialog, 8)->text(), "45");
        Enter(*dialog, 11, "90");
        EXPECT_EQ(desktop.beeps, 0);
        EXPECT_EQ(dialog->options().defaultValues[11], ValueSlot::fromFloat(1.57079637F));

        Enter(*dialog, 8, "-181");
        EXPECT_EQ(desktop.beeps, 1);
        EXPECT_EQ(Box(*dialog, 8)->text(), "45");
        EXPECT_EQ(dialog->options().defaultValues[8], ValueSlot::fromFloat(0.785398185F));
        given = dialog->options();
    }
    auto reopened = Open();
    EXPECT_EQ(Box(*reopened, 11)->text(), "90");
}

TEST_F(OptionsDialogTest, FactorBoxesTakeTheirBoundsInclusive)
{
    auto dialog = Open();
    Enter(*dialog, 6, "0.001");
    Enter(*dialog, 7, "10");
    EXPECT_EQ(dialog->options().defaultValues[6], ValueSlot::fromFloat(0.001F));
    EXPECT_EQ(dialog->options().defaultValues[7], ValueSlot::fromFloat(10.0F));
    EXPECT_EQ(desktop.beeps, 0);

    Enter(*dialog, 5, "0.0009");
    Enter(*dialog, 6, "10.5");
    EXPECT_EQ(desktop.beeps, 2);
    EXPECT_EQ(Box(*dialog, 5)->text(), "0.1");
    EXPECT_EQ(Box(*dialog, 6)->text(), "0.001");
    EXPECT_EQ(dialog->options().defaultValues[5], ValueSlot::fromFloat(0.1F));
    EXPECT_EQ(dialog->options().defaultValues[6], ValueSlot::fromFloat(0.001F));
}

TEST_F(OptionsDialogTest, LengthsShowThreeDecimalsButARefusalShowsThePlainNumber)
{
    given.defaultValues[1] = ValueSlot::fromFloat(0.0625F); // a half in the third decimal
    given.defaultValues[3] = ValueSlot::fromFloat(-1234.56789F);
    auto dialog = Open();
    EXPECT_EQ(Box(*dialog, 1)->text(), "0.062");
    EXPECT_EQ(Box(*dialog, 3)->text(), "-1234.568");
    Pass(*dialog, 1);
    EXPECT_EQ(dialog->options().defaultValues[1], ValueSlot::fromFloat(0.0625F)) << "passing through keeps the exact value";
    Enter(*dialog, 1, "200.5");
    EXPECT_EQ(Box(*dialog, 1)->text(), "0.0625");
    EXPECT_EQ(desktop.beeps, 1);
}

TEST_F(OptionsDialogTest, NumbersFollowTheLocaleDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto dialog = Open();
    EXPECT_EQ(Box(*dialog, 5)->text(), "0,1");
    Enter(*dialog, 5, "2,5");
    EXPECT_EQ(dialog->options().defaultValues[5], ValueSlot::fromFloat(2.5F));
    Enter(*dialog, 5, "0.5");
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(Box(*dialog, 5)->text(), "2,5");
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
        {"right arrow", [&] { QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(w - 4, y)); }, 1450},
        {"trough left of the handle", [&] { QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(w / 5, y)); }, 2000},
        {"trough right of the handle", [&] { QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(w * 4 / 5, y)); }, 1000},
        {"key Left", [&] { QTest::keyClick(slider, Qt::Key_Left); }, 1550},
        {"key Right", [&] { QTest::keyClick(slider, Qt::Key_Right); }, 1450},
        {"key Home", [&] { QTest::keyClick(slider, Qt::Key_Home); }, 3000},
        {"key End", [&] { QTest::keyClick(slider, Qt::Key_End); }, 0},
        {"wheel turned up", [&] {
             QWheelEvent wheel(QPointF(w / 2, y), slider->mapToGlobal(QPointF(w / 2, y)), {}, {0, 120}, Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QCoreApplication::sendEvent(slider, &wheel);
         }, 1350},
        {"handle dragged left", [&] {
             const QPoint middle(w / 2, y);
             QTest::mousePress(slider, Qt::LeftButton, {}, middle);
             QTest::mouseMove(slider, middle - QPoint(w / 8, 0));
             QTest::mouseRelease(slider, Qt::LeftButton, {}, middle - QPoint(w / 8, 0));
         }, -1},
    };
    for (const auto& c : cases) {
        slider->setValue(-1500);
        ASSERT_EQ(dialog->options().shutdownDelay, 1500) << c.input;
        c.act();
        if (c.delay >= 0)
            EXPECT_EQ(dialog->options().shutdownDelay, c.delay) << c.input;
        else
            EXPECT_GT(dialog->options().shutdownDelay, 1700) << c.input << ": towards Slow";
    }
}

TEST_F(OptionsDialogTest, HelpOpensTheManualItIsGiven)
{
    auto dialog = Open();
    Find<QPushButton>(*dialog, "cmdHelp")->click();
    EXPECT_EQ(desktop.opened, std::vector<std::string>{"/opt/vantapoint/VantapointHelp.html"});
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(OptionsDialogTest, ChangeTakesTheChosenFolderOrForgetsItOnCancel)
{
    test::TempDir gpl;
    test::writeBytes(gpl.file("gpl.exe"), {'M', 'Z'});
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(gpl.path())));
    given.script.count = 2;
    auto dialog = Open();
    const auto change = [&dialog](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* folders = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(folders, nullptr);
            if (ok)
                QTest::keyClick(folders->findChild<QListWidget*>("dirFolder"), Qt::Key_Return); // the current folder
            folders->findChild<QPushButton*>(ok ? "cmdOK" : "cmdCancel")->click();
        });
        Find<QPushButton>(*dialog, "cmdChange")->click();
    };

    change(true);
    const QString chosen = QDir::toNativeSeparators(QDir::cleanPath(QString::fromStdString(gpl.path())));
    EXPECT_EQ(dialog->options().gplFolder, chosen.toStdString());
    EXPECT_EQ(Find<QLabel>(*dialog, "lblGPLFolder")->text(), chosen);
    EXPECT_TRUE(Find(*dialog, "cmdConfigure")->isEnabled());

    change(false);
    QDir::setCurrent(previous);
    EXPECT_EQ(dialog->options().gplFolder, "GPL not installed");
    EXPECT_EQ(Find<QLabel>(*dialog, "lblGPLFolder")->text(), "GPL not installed");
    EXPECT_FALSE(Find(*dialog, "cmdConfigure")->isEnabled());
    EXPECT_FALSE(Find(*dialog, "hscShutdown")->isEnabled());
    EXPECT_TRUE(Find(*dialog, "cmdTest")->isEnabled());
}

} // namespace
} // namespace vp
