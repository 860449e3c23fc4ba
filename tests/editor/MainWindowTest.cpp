// The main window as a whole: start-up, its controls, the fixed size, Exit, Help and homepage.

#include "MainWindowFixture.h"

#include "camdata/FileSystem.h"
#include "widgets/SpinButton.h"
#include "options/Configuration.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <functional>
#include <utility>

namespace vp::test {
namespace {

using Start = MainWindowTest;

TEST_F(Start, FirstStartWarnsOnceAndShowsTheDefaultCameras)
{
    MainWindow& w = start();
    ASSERT_EQ(desktop.boxes.size(), 1U);
    EXPECT_EQ(desktop.boxes[0].title, kConfigWarningTitle);
    EXPECT_EQ(desktop.boxes[0].text, configWarningText());
    EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);

    const QStringList shown = {"0", "0", "2", "0", "1.401298E-45", "0.1", "0.1", "0.1", "0", "0", "0", "90", "0", "0"};
    for (const QString set : {"TV1", "TV2"}) {
        for (int i = 0; i < shown.size(); ++i)
            EXPECT_EQ(text(QStringLiteral("txt%1CamData_%2").arg(set).arg(i)), shown[i]) << set.toStdString() << i;
        EXPECT_TRUE(find<QCheckBox>("chk" + set + "CamFixed")->isChecked());
        EXPECT_EQ(text("txtTotal" + set + "Cams"), "1");
        EXPECT_EQ(find<SpinButton>("UpDownValue" + set + "_2")->value(), 2000);
    }
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(text(QStringLiteral("txtPitlaneCamData_%1").arg(i)), i == 8 ? "-0.125" : "0") << i;

    EXPECT_FALSE(find<QPushButton>("cmdTestCams")->isEnabled());
    EXPECT_EQ(status(), "Welcome to Vantapoint by Quillfen of Z.O.R.V. Ready to rumble ;-) !");
    EXPECT_FALSE(w.isModified());
    EXPECT_EQ(w.camFolder(), folder.path());
    EXPECT_EQ(w.windowTitle(), "Vantapoint V1.52");

    restart();
    EXPECT_TRUE(desktop.boxes.empty()) << "the written configuration is read back without a warning";
}

TEST_F(Start, AConfigurationThatCannotBeWrittenIsReportedAndStartUpGoesOn)
{
    // A program folder that does not exist: reading and writing the configuration both fail.
    window = std::make_unique<MainWindow>(
        EditorServices{.desktop = desktop, .clock = clock, .input = nullptr, .programFolder = folder.file("gone")}, "");
    ASSERT_EQ(desktop.boxes.size(), 2U);
    for (const MessageBoxSpec& box : desktop.boxes)
        EXPECT_EQ(box.title, "Debug-Mode");
    EXPECT_EQ(desktop.boxes[0].text, "An error occured during loading the configuration file. Code: 1");
    EXPECT_EQ(desktop.boxes[1].text, "An error occured during loading the configuration file. Code: 3");
    EXPECT_EQ(text("txtTV1CamData_2"), "2");
    EXPECT_FALSE(window->isModified());
}

TEST_F(Start, AGplFolderThatLostTheGameIsForgottenAloneWithOneBox)
{
    OptionsRecord options;
    options.gplFolder = folder.file("GPL");
    options.shutdownDelay = 700;
    writeBytes(joinPath(folder.path(), kConfigFileName), configBytes(options));
    MainWindow& w = start();
    ASSERT_EQ(desktop.boxes.size(), 1U);
    EXPECT_EQ(desktop.boxes[0].title, "Vantapoint: Error while initializing");
    EXPECT_EQ(desktop.boxes[0].text, "GPL was not found in " + folder.file("GPL") +
                                         ". Set its folder again in the options; all other options are kept.");
    EXPECT_EQ(w.options().gplFolder, "GPL not installed");
    EXPECT_EQ(w.options().shutdownDelay, 700);
    EXPECT_FALSE(find<QPushButton>("cmdTestCams")->isEnabled());
}

TEST_F(Start, TabsFieldNamesAndHiddenControls)
{
    start();
    auto* tabs = find<QTabWidget>("sstCamData");
    const QStringList tabTexts = {"TV1-Cameras", "TV2-Cameras", "Pitlane-Camera", "Checks (0)"};
    ASSERT_EQ(tabs->count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(tabs->tabText(i), tabTexts[i]);

    // A screen reader names each field by the caption beside it.
    auto* distance = find<QLineEdit>("txtTV1CamData_0");
    EXPECT_EQ(distance->accessibleName(), "Distance from s/f-line [m] -->");
    EXPECT_EQ(find<QLabel>("lblTV1Description_0")->buddy(), distance);

    // Hidden: the mode's field and spinner, the unnamed values' spinners, the pit lane's carried values.
    window->show();
    EXPECT_FALSE(find<QLineEdit>("txtTV1CamData_4")->isVisible());
    for (const char* name : {"UpDownValueTV1_4", "UpDownValueTV1_12", "UpDownValueTV1_13", "UpDownValuePit_7"})
        EXPECT_FALSE(find<SpinButton>(name)->isVisibleTo(window.get())) << name;
    EXPECT_FALSE(find<QLineEdit>("txtTV1CamData_12")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>("txtPitlaneCamData_7")->isEnabled());
}

TEST_F(Start, TheWindowKeepsItsSizeAndComesBackFromMaximised)
{
    // 11175 x 9300 twips, rounded to whole pixels.
    const std::pair<int, QSize> sizes[] = {{96, {745, 620}}, {72, {559, 465}}, {75, {582, 484}}, {144, {1118, 930}}};
    for (const auto& [dpi, size] : sizes)
        EXPECT_EQ(fixedOuterSize(dpi, dpi), size) << dpi;

    MainWindow& w = start();
    const QSize fixed = w.fixedOuterSize();
    EXPECT_EQ(fixed, fixedOuterSize(w.logicalDpiX(), w.logicalDpiY())) << "at the screen's dots per inch";
    w.showMaximized();
    EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.frameGeometry().size(), fixed);
    w.resize(300, 200);
    EXPECT_EQ(w.frameGeometry().size(), fixed);
}

TEST_F(Start, HelpAndHomepageOpenTheManualBesideTheProgram)
{
    restart();
    click("cmdHelp");
    click("cmdVisitHP");
    const std::string manual = joinPath(folder.path(), "VantapointHelp.html");
    EXPECT_EQ(desktop.opened, (std::vector<std::string>{manual, manual + "#about"}));
}

// Exit and the window's close control end the program alike.
class Exit : public MainWindowTest {
protected:
    const std::pair<const char*, std::function<void()>> ways[2] = {
        {"Exit", [this] { click("cmdExit"); }}, {"close control", [this] { window->close(); }}};
};

TEST_F(Exit, ClosesWithoutAQuestionWhenSavedOrWithoutSafetyExit)
{
    for (const auto& [way, exit] : ways) {
        for (const bool unsaved : {false, true}) {
            restart().show();
            if (unsaved) {
                window->options().askBeforeExit = false;
                find<QCheckBox>("chkTV1CamFixed")->click();
            }
            exit();
            EXPECT_FALSE(window->isVisible()) << way << unsaved;
            EXPECT_TRUE(desktop.boxes.empty()) << way << unsaved;
            EXPECT_EQ(desktop.beeps, 0) << way << unsaved;
        }
    }
}

TEST_F(Exit, AsksWithABeepAboutUnsavedData)
{
    for (const auto& [way, exit] : ways) {
        restart().show();
        find<QCheckBox>("chkTV2CamFixed")->click();
        desktop.boxAnswers = {BoxAnswer::Cancel, BoxAnswer::Ok};
        exit();
        ASSERT_EQ(desktop.boxes.size(), 1U) << way;
        EXPECT_EQ(desktop.boxes[0].title, "Vantapoint: Safety request");
        EXPECT_EQ(desktop.boxes[0].text, "There is unsaved data in memory. Really exit?");
        EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::OkCancel);
        EXPECT_EQ(desktop.beeps, 1) << way;
        EXPECT_TRUE(window->isVisible()) << way << ": Cancel keeps the window and its data";
        EXPECT_TRUE(window->isModified());

        exit();
        EXPECT_FALSE(window->isVisible()) << way;
    }
}

} // namespace
} // namespace vp::test
