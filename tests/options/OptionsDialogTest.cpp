// The options dialog through its real controls: what it shows on opening, how each control writes
// the working options at once, the checks of the default-value boxes, and how it closes.

#include "options/frmOptions2.h"

#include "camdata/FileSystem.h"
#include "editor/NumberText.h"
#include "options/QtTestApp.h"
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

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace vp {
namespace {

using test::FakeClock;
using test::FakeDesktop;

const char* const kSingleSafetyBoxes[] = {"chkLoad", "chkSafe", "chkConfigure", "chkRemove", "chkExit", "chkAssign"};

float Radians(double degrees)
{
    return static_cast<float>(degrees * kPi / 180.0);
}

class OptionsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::TestApp(); }
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    std::unique_ptr<frmOptions2> Open()
    {
        auto dialog = std::make_unique<frmOptions2>(
            working, OptionsDialogServices{
                         .desktop = desktop, .clock = clock, .programFolder = "/opt/vantapoint", .replaceMouseEvent = {}});
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

    static QLineEdit* Box(QWidget& dialog, int k)
    {
        return Find<QLineEdit>(dialog, QStringLiteral("txtDefaultValue_%1").arg(k));
    }

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

    FakeDesktop desktop;
    FakeClock clock;
    OptionsRecord working;
};

TEST_F(OptionsDialogTest, HasEveryNamedControlOnItsTab)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Vantapoint: Options");
    EXPECT_TRUE(dialog->isModal());
    auto* tabs = Find<QTabWidget>(*dialog, "sstOptions");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(tabs->tabText(1), "Editing");
    EXPECT_EQ(tabs->tabText(2), "GPL remote");

    const QStringList general{"lblSafety", "chkAll", "chkLoad", "chkSafe", "chkConfigure", "chkRemove", "chkExit",
                              "chkAssign", "lblInformation", "chkInformation", "lblGPLFolderDescription",
                              "lblGPLFolder", "cmdChange"};
    QStringList editing{"chkFixedSwitchOver", "lblNewCamera", "optValue1_0", "optValue1_1", "lblValue1a", "chkValue5"};
    for (int i = 0; i < 12; ++i)
        editing << QStringLiteral("lblValue_%1").arg(i) << QStringLiteral("txtDefaultValue_%1").arg(i);
    for (int i = 0; i < 11; ++i)
        editing << QStringLiteral("lblUnit_%1").arg(i);
    const QStringList remote{"cmdConfigure", "chkPlayScript", "cmdTest", "lblShutdown", "hscShutdown", "lblSlow", "lblFast"};
    const QList<std::pair<const char*, QStringList>> frames{{"frGeneral", general}, {"frCameras", editing}, {"frBatchMode", remote}};
    for (const auto& [frameName, names] : frames) {
        QWidget* frame = Find(*dialog, frameName);
        for (const QString& name : names)
            EXPECT_NE(frame->findChild<QWidget*>(name), nullptr) << name.toStdString() << " in " << frameName;
    }
    for (const char* name : {"cmdOK", "cmdCancel", "cmdHelp"})
        EXPECT_NE(Find(*dialog, name), nullptr);

    EXPECT_TRUE(Box(*dialog, 4)->isHidden());
    EXPECT_EQ(Find<QLabel>(*dialog, "lblUnit_3")->text(), "");
    EXPECT_EQ(Find<QLabel>(*dialog, "lblUnit_10")->text(), QString::fromUtf8("[\xC2\xB0]"));
    EXPECT_EQ(Box(*dialog, 7)->toolTip(), "Enter a number between 0.001 and 10");
    EXPECT_EQ(Find(*dialog, "chkRemove")->toolTip(), "Click to toggle this special safety request");
    // The safety boxes are visited in their order, the master switch first.
    QWidget* step = Find(*dialog, "chkAll");
    for (const char* name : kSingleSafetyBoxes) {
        step = step->nextInFocusChain();
        EXPECT_EQ(step->objectName(), name);
    }
}

// ---- master switch and flags

TEST_F(OptionsDialogTest, OpeningWithTheMasterOffClearsAndGreysTheSixBoxes)
{
    working.ShowSafetyRequests = false;
    working.SafetyExit = true;
    working.SafetyLoad = true;
    auto dialog = Open();
    EXPECT_FALSE(Find<QCheckBox>(*dialog, "chkAll")->isChecked());
    for (const char* name : kSingleSafetyBoxes) {
        auto* box = Find<QCheckBox>(*dialog, name);
        EXPECT_FALSE(box->isChecked()) << name;
        EXPECT_FALSE(box->isEnabled()) << name;
    }
    EXPECT_FALSE(working.SafetyExit);
    EXPECT_FALSE(working.SafetyLoad);
}

TEST_F(OptionsDialogTest, OpeningWithTheMasterOnShowsEachStoredFlag)
{
    working.SafetyRemove = false;
    working.SafetyOverwrite = false;
    auto dialog = Open();
    EXPECT_TRUE(Find<QCheckBox>(*dialog, "chkAll")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(*dialog, "chkRemove")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(*dialog, "chkSafe")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*dialog, "chkExit")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*dialog, "chkRemove")->isEnabled());
    EXPECT_FALSE(working.SafetyRemove);
    EXPECT_FALSE(working.SafetyOverwrite);
}

TEST_F(OptionsDialogTest, TheMasterSwitchSetsAllSixAndRemembersNothing)
{
    working.SafetyAssignToAll = false;
    working.ShowInformation = false;
    auto dialog = Open();
    auto* all = Find<QCheckBox>(*dialog, "chkAll");

    all->click();
    EXPECT_FALSE(working.ShowSafetyRequests);
    for (const char* name : kSingleSafetyBoxes) {
        EXPECT_FALSE(Find<QCheckBox>(*dialog, name)->isChecked()) << name;
        EXPECT_FALSE(Find<QCheckBox>(*dialog, name)->isEnabled()) << name;
    }
    EXPECT_FALSE(working.SafetyAssignToAll || working.SafetyRecordScript || working.SafetyExit || working.SafetyLoad ||
                 working.SafetyRemove || working.SafetyOverwrite);

    all->click();
    EXPECT_TRUE(working.ShowSafetyRequests);
    for (const char* name : kSingleSafetyBoxes) {
        EXPECT_TRUE(Find<QCheckBox>(*dialog, name)->isChecked()) << name;
        EXPECT_TRUE(Find<QCheckBox>(*dialog, name)->isEnabled()) << name;
    }
    EXPECT_TRUE(working.SafetyAssignToAll && working.SafetyRecordScript && working.SafetyExit && working.SafetyLoad &&
                working.SafetyRemove && working.SafetyOverwrite);
    EXPECT_FALSE(working.ShowInformation);
    EXPECT_FALSE(Find<QCheckBox>(*dialog, "chkInformation")->isChecked());
}

TEST_F(OptionsDialogTest, EachFlagBoxWritesItsOwnFlag)
{
    auto dialog = Open();
    const std::vector<std::pair<const char*, bool OptionsRecord::*>> boxes{
        {"chkLoad", &OptionsRecord::SafetyLoad},           {"chkSafe", &OptionsRecord::SafetyOverwrite},
        {"chkConfigure", &OptionsRecord::SafetyRecordScript}, {"chkRemove", &OptionsRecord::SafetyRemove},
        {"chkExit", &OptionsRecord::SafetyExit},           {"chkAssign", &OptionsRecord::SafetyAssignToAll},
        {"chkInformation", &OptionsRecord::ShowInformation}, {"chkFixedSwitchOver", &OptionsRecord::FixedSwitchOver},
    };
    for (const auto& [name, flag] : boxes) {
        const OptionsRecord before = working;
        Find<QCheckBox>(*dialog, name)->click();
        OptionsRecord expected = before;
        expected.*flag = false;
        EXPECT_EQ(working, expected) << name;
    }
}

// ---- default-value boxes

TEST_F(OptionsDialogTest, DistanceBoxRefusesOutOfRangeNonNumbersAndEmptyText)
{
    working.DefaultValue[0] = ValueSlot::fromFloat(350.0F);
    auto dialog = Open();
    EXPECT_EQ(Box(*dialog, 0)->text(), "350");
    for (const QString& typed : {QStringLiteral("1500"), QStringLiteral("abc"), QString()}) {
        desktop.clearRecords();
        Enter(*dialog, 0, typed);
        EXPECT_EQ(desktop.beeps, 1) << typed.toStdString();
        EXPECT_EQ(Box(*dialog, 0)->text(), "350") << typed.toStdString();
        EXPECT_EQ(working.DefaultValue[0], ValueSlot::fromFloat(350.0F)) << typed.toStdString();
    }
    desktop.clearRecords();
    Enter(*dialog, 0, "0");
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(working.DefaultValue[0], ValueSlot::fromFloat(0.0F));
    EXPECT_EQ(Box(*dialog, 0)->text(), "0");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(OptionsDialogTest, AnglesAreTypedInDegreesAndKeptInRadians)
{
    working.DefaultValue[8] = ValueSlot::fromFloat(Radians(45.0));
    working.DefaultValue[11] = ValueSlot::fromFloat(0.0F);
    {
        auto dialog = Open();
        EXPECT_EQ(Box(*dialog, 8)->text(), "45");
        Enter(*dialog, 11, "90");
        EXPECT_EQ(desktop.beeps, 0);
        EXPECT_NEAR(working.DefaultValue[11].asFloat(), 1.5707963, 1e-7);
        EXPECT_EQ(working.DefaultValue[11], ValueSlot::fromFloat(Radians(90.0)));
        EXPECT_EQ(Box(*dialog, 11)->text(), "90");

        Enter(*dialog, 8, "-181");
        EXPECT_EQ(desktop.beeps, 1);
        EXPECT_EQ(Box(*dialog, 8)->text(), "45");
        EXPECT_EQ(working.DefaultValue[8], ValueSlot::fromFloat(Radians(45.0)));
    }
    auto reopened = Open();
    EXPECT_EQ(Box(*reopened, 11)->text(), "90");
}

TEST_F(OptionsDialogTest, FactorBoxesTakeTheirBoundsInclusive)
{
    auto dialog = Open();
    Enter(*dialog, 6, "0.001");
    EXPECT_EQ(working.DefaultValue[6], ValueSlot::fromFloat(0.001F));
    Enter(*dialog, 7, "10");
    EXPECT_EQ(working.DefaultValue[7], ValueSlot::fromFloat(10.0F));
    EXPECT_EQ(desktop.beeps, 0);

    Enter(*dialog, 5, "0.0009");
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(Box(*dialog, 5)->text(), "0.1");
    Enter(*dialog, 6, "10.5");
    EXPECT_EQ(desktop.beeps, 2);
    EXPECT_EQ(Box(*dialog, 6)->text(), "0.001");
    EXPECT_EQ(working.DefaultValue[5], ValueSlot::fromFloat(0.1F));
    EXPECT_EQ(working.DefaultValue[6], ValueSlot::fromFloat(0.001F));
}

TEST_F(OptionsDialogTest, LengthsShowThreeDecimalsButARefusalShowsThePlainNumber)
{
    working.DefaultValue[1] = ValueSlot::fromFloat(0.0625F); // a half in the third decimal
    working.DefaultValue[3] = ValueSlot::fromFloat(-1234.56789F);
    auto dialog = Open();
    EXPECT_EQ(Box(*dialog, 1)->text(), "0.062");
    EXPECT_EQ(Box(*dialog, 3)->text(), "-1234.568");

    Enter(*dialog, 1, "200.5");
    EXPECT_EQ(Box(*dialog, 1)->text(), "0.0625");
    Enter(*dialog, 1, "-200");
    EXPECT_EQ(working.DefaultValue[1], ValueSlot::fromFloat(-200.0F));
    EXPECT_EQ(Box(*dialog, 1)->text(), "-200");
    EXPECT_EQ(desktop.beeps, 1);
}

TEST_F(OptionsDialogTest, NumbersFollowTheLocaleDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto dialog = Open();
    EXPECT_EQ(Box(*dialog, 5)->text(), "0,1");
    Enter(*dialog, 5, "2,5");
    EXPECT_EQ(working.DefaultValue[5], ValueSlot::fromFloat(2.5F));
    Enter(*dialog, 5, "0.5");
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(Box(*dialog, 5)->text(), "2,5");
}

TEST_F(OptionsDialogTest, ABoxSelectsItsWholeTextWhenItGetsTheFocus)
{
    auto dialog = Open();
    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(1);
    QLineEdit* box = Box(*dialog, 2);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
    ASSERT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), "2");
}

TEST_F(OptionsDialogTest, AnotherWindowInFrontDoesNotCheckTheBox)
{
    auto dialog = Open();
    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(1);
    QLineEdit* box = Box(*dialog, 2);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, "999");
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(box, &deactivated);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(box->text(), "999");
}

// ---- placement of new cameras and the "Fixed" slot

TEST_F(OptionsDialogTest, PlacementSwitchStoresTwoHundredThenTheMiddleAgain)
{
    auto dialog = Open();
    auto* distance = Box(*dialog, 0);
    auto* middle = Find<QRadioButton>(*dialog, "optValue1_0");
    auto* atDistance = Find<QRadioButton>(*dialog, "optValue1_1");
    EXPECT_TRUE(middle->isChecked());
    EXPECT_FALSE(distance->isEnabled());
    EXPECT_EQ(distance->text(), "200");

    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(1);
    atDistance->click();
    EXPECT_TRUE(distance->isEnabled());
    EXPECT_EQ(distance->text(), "200");
    EXPECT_EQ(working.DefaultValue[0], ValueSlot::fromFloat(200.0F));

    Enter(*dialog, 0, "75.5");
    EXPECT_EQ(working.DefaultValue[0], ValueSlot::fromFloat(75.5F));
    middle->click();
    EXPECT_FALSE(distance->isEnabled());
    EXPECT_EQ(distance->text(), "75.5");
    EXPECT_EQ(working.DefaultValue[0], ValueSlot::fromFloat(-1.0F));

    atDistance->click();
    EXPECT_EQ(distance->text(), "200");
    EXPECT_EQ(working.DefaultValue[0], ValueSlot::fromFloat(200.0F));
}

TEST_F(OptionsDialogTest, OpeningWithADistanceSelectsPlacementAtThatDistance)
{
    working.DefaultValue[0] = ValueSlot::fromFloat(0.25F);
    auto dialog = Open();
    EXPECT_TRUE(Find<QRadioButton>(*dialog, "optValue1_1")->isChecked());
    EXPECT_TRUE(Box(*dialog, 0)->isEnabled());
    EXPECT_EQ(Box(*dialog, 0)->text(), "0.25");
}

TEST_F(OptionsDialogTest, FixedBoxStoresTheIntegerOneOrZero)
{
    auto dialog = Open();
    auto* fixed = Find<QCheckBox>(*dialog, "chkValue5");
    EXPECT_TRUE(fixed->isChecked());
    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(1);
    fixed->click();
    EXPECT_EQ(working.DefaultValue[4].bits(), 0x00000000U);
    fixed->click();
    EXPECT_EQ(working.DefaultValue[4].bits(), 0x00000001U);

    working.DefaultValue[4] = ValueSlot::fromInt(0);
    auto reopened = Open();
    EXPECT_FALSE(Find<QCheckBox>(*reopened, "chkValue5")->isChecked());
}

// ---- GPL remote tab

TEST_F(OptionsDialogTest, ShutdownSliderRunsFromSlowToFastInItsSteps)
{
    working.GPLPath = "/games/gpl";
    auto dialog = Open();
    auto* slider = Find<QScrollBar>(*dialog, "hscShutdown");
    EXPECT_EQ(slider->value(), 1500);
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), 3000);
    EXPECT_TRUE(slider->invertedAppearance()); // 3000 drawn at the "Slow" end on the left
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(working.ShutdownDelay, 1550);
    slider->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(working.ShutdownDelay, 1050);
    slider->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(working.ShutdownDelay, 3000);
}

TEST_F(OptionsDialogTest, RemoteControlsFollowTheGplFolderAndTheScript)
{
    {
        auto dialog = Open();
        EXPECT_FALSE(Find(*dialog, "cmdConfigure")->isEnabled());
        EXPECT_FALSE(Find(*dialog, "hscShutdown")->isEnabled());
        EXPECT_FALSE(Find(*dialog, "chkPlayScript")->isEnabled());
        EXPECT_FALSE(Find(*dialog, "cmdTest")->isEnabled());
    }
    working.GPLPath = "/games/gpl";
    working.ClickCount = 3;
    working.PlayScript = true;
    auto dialog = Open();
    EXPECT_TRUE(Find(*dialog, "cmdConfigure")->isEnabled());
    EXPECT_TRUE(Find(*dialog, "hscShutdown")->isEnabled());
    EXPECT_TRUE(Find(*dialog, "cmdTest")->isEnabled());
    auto* play = Find<QCheckBox>(*dialog, "chkPlayScript");
    EXPECT_TRUE(play->isEnabled());
    EXPECT_TRUE(play->isChecked());
    Find<QTabWidget>(*dialog, "sstOptions")->setCurrentIndex(2);
    play->click();
    EXPECT_FALSE(working.PlayScript);
    EXPECT_EQ(Find<QLabel>(*dialog, "lblGPLFolder")->text(), "/games/gpl");
}

// ---- help and the GPL folder

TEST_F(OptionsDialogTest, HelpOpensTheManualInTheProgramFolder)
{
    auto dialog = Open();
    Find<QPushButton>(*dialog, "cmdHelp")->click();
    ASSERT_EQ(desktop.opened.size(), 1U);
    EXPECT_EQ(desktop.opened[0], JoinPath("/opt/vantapoint", "VantapointHelp.html"));
    EXPECT_TRUE(dialog->isVisible());
}

// The program's current folder for one test.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) : previous_(QDir::currentPath())
    {
        EXPECT_TRUE(QDir::setCurrent(QString::fromStdString(folder)));
    }
    ~CurrentFolder() { QDir::setCurrent(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    QString previous_;
};

// Runs `act` on the GPL folder dialog once "Change" has opened it.
void OnGplFolderDialog(std::function<void(QDialog&)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->windowTitle(), "Vantapoint: Where is GPL?");
        act(*dialog);
    });
}

TEST_F(OptionsDialogTest, ChangeTakesTheChosenFolderOrForgetsItOnCancel)
{
    test::TempDir gpl;
    test::WriteBytes(gpl.file("gpl.exe"), {'M', 'Z'});
    const CurrentFolder current(gpl.path());
    working.ClickCount = 2;
    auto dialog = Open();

    OnGplFolderDialog([](QDialog& folders) {
        auto* list = folders.findChild<QListWidget*>("dirFolder");
        QTest::keyClick(list, Qt::Key_Return); // opens the current folder, the program's own
        auto* ok = folders.findChild<QPushButton*>("cmdOK");
        ASSERT_TRUE(ok->isEnabled());
        ok->click();
    });
    Find<QPushButton>(*dialog, "cmdChange")->click();
    const QString chosen = QDir::toNativeSeparators(QDir::cleanPath(QString::fromStdString(gpl.path())));
    EXPECT_EQ(working.GPLPath, chosen.toStdString());
    EXPECT_EQ(Find<QLabel>(*dialog, "lblGPLFolder")->text(), chosen);
    EXPECT_TRUE(Find(*dialog, "cmdConfigure")->isEnabled());
    EXPECT_TRUE(Find(*dialog, "hscShutdown")->isEnabled());

    OnGplFolderDialog([](QDialog& folders) { folders.findChild<QPushButton*>("cmdCancel")->click(); });
    Find<QPushButton>(*dialog, "cmdChange")->click();
    EXPECT_EQ(working.GPLPath, "GPL not installed");
    EXPECT_EQ(Find<QLabel>(*dialog, "lblGPLFolder")->text(), "GPL not installed");
    EXPECT_FALSE(Find(*dialog, "cmdConfigure")->isEnabled());
    EXPECT_FALSE(Find(*dialog, "hscShutdown")->isEnabled());
    EXPECT_TRUE(Find(*dialog, "cmdTest")->isEnabled());
    EXPECT_TRUE(Find(*dialog, "chkPlayScript")->isEnabled());
}

} // namespace
} // namespace vp
