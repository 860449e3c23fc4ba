// The main window as a whole: start-up, its controls, the fixed size, Exit, Help and homepage, and
// its keyboard.

#include "MainWindowFixture.h"

#include "editor/CameraSetPanel.h"
#include "remote/DeferredInputBackend.h"
#include "remote/ScriptActivity.h"

namespace vp::test {
namespace {

using Start = MainWindowTest;

TEST_F(Start, FirstStartWarnsOnceAndShowsTheDefaultCameras)
{
    int inputsOpened = 0;
    DeferredInputBackend deferred([&] { ++inputsOpened; return std::unique_ptr<InputBackend>(); });
    input = &deferred;
    MainWindow& w = start();
    ASSERT_EQ(boxes(), Texts{"Vantapoint: Error while initializing: Vantapoint.cfg seems to be corrupt or non-existant. "
                             "All options will be set back to default.\r\nIf you're about to fire up Vantapoint for the "
                             "first time, this is normal.\r\nFor further information see online manual."});
    EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);

    const QStringList shown = {"0", "0", "2", "0", "1.401298E-45", "0.1", "0.1", "0.1", "0", "0", "0", "90", "0", "0"};
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_EQ(text(QStringLiteral("txtTV2CamData_%1").arg(i)), shown[i]) << i;
    EXPECT_EQ(text("txtPitlaneCamData_8"), "-0.125");
    EXPECT_FALSE(find<QPushButton>("cmdTestCams")->isEnabled());
    EXPECT_EQ(status(), "Welcome to Vantapoint by Quillfen of Z.O.R.V. Ready to rumble ;-) !");
    EXPECT_FALSE(w.isModified());
    EXPECT_EQ(inputsOpened, 0) << "the input backend waits for the first command that needs it";

    restart();
    EXPECT_TRUE(desktop.boxes.empty()) << "the written configuration is read back without a warning";
    window.reset(); // it holds `deferred`, which goes first otherwise
}

TEST_F(Start, AConfigurationThatCannotBeWrittenIsReportedAndStartUpGoesOn)
{
    // A program folder that does not exist: reading and writing the configuration both fail.
    window = std::make_unique<MainWindow>(
        EditorServices{.desktop = desktop, .clock = clock, .input = nullptr, .programFolder = folder.file("gone")}, "");
    EXPECT_EQ(boxes(), (Texts{"Debug-Mode: An error occured during loading the configuration file. Code: 1",
                              "Debug-Mode: An error occured during loading the configuration file. Code: 3"}));
    EXPECT_EQ(std::pair(text("txtTV1CamData_2"), window->isModified()), std::pair(QString("2"), false));
}

TEST_F(Start, AGplFolderThatLostTheGameIsForgottenAloneWithOneBox)
{
    OptionsRecord options;
    options.gplFolder = folder.file("GPL");
    options.shutdownDelay = 700;
    writeBytes(joinPath(folder.path(), kConfigFileName), configBytes(options));
    MainWindow& w = start();
    EXPECT_EQ(boxes(), Texts{"Vantapoint: Error while initializing: GPL was not found in " + folder.file("GPL") +
                             ". Set its folder again in the options; all other options are kept."});
    EXPECT_EQ(std::pair(w.options().gplFolder, w.options().shutdownDelay), std::pair(std::string("GPL not installed"), 700));
    EXPECT_FALSE(enabled("cmdTestCams"));
    static_cast<void>(ScriptRun(w.scriptActivity())); // a command that starts and ends leaves it disabled
    EXPECT_FALSE(enabled("cmdTestCams"));
}

TEST_F(Start, TabsHiddenControlsFixedSizeAndHelp)
{
    // 11175 x 9300 twips, rounded to whole pixels.
    for (const auto& [dpi, size] : {std::pair{96, QSize(745, 620)}, {75, {582, 484}}, {144, {1118, 930}}})
        EXPECT_EQ(fixedOuterSize(dpi, dpi), size) << dpi;
    MainWindow& w = restart();
    w.showMaximized();
    EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.frameGeometry().size(), fixedOuterSize(w.logicalDpiX(), w.logicalDpiY()));
    auto* tabs = find<QTabWidget>("sstCamData");
    EXPECT_EQ(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3)}),
              (QStringList{"TV1-Cameras", "TV2-Cameras", "Pitlane-Camera", "Checks (0)"}));
    // Hidden: the mode's field and spinner, the unnamed values' spinners, the pit lane's carried values.
    EXPECT_FALSE(find<QLineEdit>("txtTV1CamData_4")->isVisible());
    for (const char* name : {"UpDownValueTV1_4", "UpDownValueTV1_12", "UpDownValueTV1_13", "UpDownValuePit_7"})
        EXPECT_FALSE(find<SpinButton>(name)->isVisibleTo(window.get())) << name;
    EXPECT_FALSE(find<QLineEdit>("txtTV1CamData_12")->isEnabled() || find<QLineEdit>("txtPitlaneCamData_7")->isEnabled());
    click("cmdHelp");
    EXPECT_EQ(find<QToolButton>("cmdVisitHP")->icon().actualSize(QSize(200, 200)), QSize(132, 40)) << "the maker's sign";
    click("cmdVisitHP");
    const std::string manual = joinPath(folder.path(), "VantapointHelp.html");
    EXPECT_EQ(desktop.opened, (Texts{manual, manual + "#about"}));
}

TEST_F(Start, ExitAsksWithABeepAboutUnsavedDataOnlyWithSafetyExit)
{
    for (const auto& [way, exit] : exitWays) {
        restart().show();
        find<QCheckBox>("chkTV2CamFixed")->click();
        desktop.boxAnswers = {BoxAnswer::Cancel};
        exit();
        EXPECT_EQ(boxes(), Texts{"Vantapoint: Safety request: There is unsaved data in memory. Really exit?"}) << way;
        EXPECT_EQ(desktop.beeps, 1) << way;
        EXPECT_TRUE(window->isVisible()) << way << ": Cancel keeps the window and its data";
        window->options().askBeforeExit = false;
        exit();
        EXPECT_FALSE(window->isVisible()) << way;
    }
}

// The keyboard, pressed in the focused field of an active window holding 4 TV1 and 3 TV2 cameras,
// TV1's camera 2 shown.
class Keys : public MainWindowTest {
protected:
    void startOnTab(int tab)
    {
        restart(camFile("keys.cam", doc));
        selector("TV1")->setValue(2);
        find<QTabWidget>("sstCamData")->setCurrentIndex(tab);
        showActive();
        find<QLineEdit>(QStringList{"txtTV1CamData_0", "txtTV2CamData_0", "txtPitlaneCamData_0"}.at(tab))->setFocus();
        closeDialogs();
    }

    void press(QKeyCombination key) { QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers()); }
    // An accelerator presses its button a moment later.
    static void settle(const std::function<bool()>& done) { static_cast<void>(QTest::qWaitFor(done, 500)); }

    // What the keys did, in a few words: the tab and the cameras shown, what was opened, a closed window.
    std::string effect() const
    {
        QStringList parts{QStringLiteral("tab %1, cams %2/%3").arg(find<QTabWidget>("sstCamData")->currentIndex())
                              .arg(window->setPanel(CamSet::TV1).currentCamera()).arg(window->setPanel(CamSet::TV2).currentCamera())};
        for (const FileDialogSpec& dialog : desktop.dialogs)
            parts << (dialog.mode == FileDialogMode::Open ? "open dialog" : "save dialog");
        parts << closedDialogs;
        if (!desktop.opened.empty())
            parts << "manual";
        if (!window->isVisible())
            parts << "closed";
        return parts.join(", ").toStdString();
    }

    CameraDocument doc = CamDocument(4, 3);
};

TEST_F(Keys, ShortcutsAndAcceleratorsRunTheCommandsAndMoveBetweenTabsAndCameras)
{
    const struct { int tab; QKeyCombination key; const char* effect; } cases[] = {
        {0, Qt::CTRL | Qt::Key_O, "tab 0, cams 2/1, open dialog"}, {0, Qt::ALT | Qt::Key_L, "tab 0, cams 2/1, open dialog"},
        {0, Qt::CTRL | Qt::Key_S, "tab 0, cams 2/1, save dialog"}, {0, Qt::ALT | Qt::Key_O, "tab 0, cams 2/1, vp::OptionsDialog"},
        {0, Qt::ALT | Qt::Key_T, "tab 0, cams 2/1"}, // no GPL folder: Test is greyed out
        {0, QKeyCombination(Qt::Key_F1), "tab 0, cams 2/1, manual"}, {0, Qt::CTRL | Qt::Key_Q, "tab 0, cams 2/1, closed"},
        {0, QKeyCombination(Qt::Key_F5), "tab 0, cams 2/1"}, {0, Qt::CTRL | Qt::Key_PageDown, "tab 1, cams 2/1"},
        {2, Qt::CTRL | Qt::Key_PageDown, "tab 3, cams 2/1"}, {0, Qt::CTRL | Qt::Key_PageUp, "tab 3, cams 2/1"},
        {1, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, "tab 0, cams 2/1"}, {0, Qt::ALT | Qt::Key_Right, "tab 0, cams 3/1"},
        {0, QKeyCombination(Qt::Key_PageDown), "tab 0, cams 3/1"}, {0, Qt::ALT | Qt::Key_Left, "tab 0, cams 1/1"},
        {0, Qt::CTRL | Qt::Key_Home, "tab 0, cams 1/1"}, {0, Qt::CTRL | Qt::Key_End, "tab 0, cams 4/1"},
        {1, Qt::CTRL | Qt::Key_End, "tab 1, cams 2/3"}, {1, Qt::ALT | Qt::Key_Left, "tab 1, cams 2/1"},
        {2, QKeyCombination(Qt::Key_PageDown), "tab 2, cams 2/1"}, {2, Qt::CTRL | Qt::Key_End, "tab 2, cams 2/1"},
    };
    for (const auto& c : cases) {
        startOnTab(c.tab);
        press(c.key);
        settle([&] { return effect() == c.effect; });
        EXPECT_EQ(effect(), c.effect) << QKeySequence(c.key).toString().toStdString() << " on tab " << c.tab;
        EXPECT_FALSE(window->isModified()) << QKeySequence(c.key).toString().toStdString();
    }
}

TEST_F(Keys, AnEntryBeingTypedIsCommittedFirstAFieldOnlyVisitedNever)
{
    // Shown rounded as 1234.568: committing the shown text would change the value.
    doc.tv1.camera(2).value(1).setFloat(1234.5678F);
    // distance: value #1 of TV1's camera 2 afterwards
    // boxes: the questions about unsaved data
    const struct { const char* typed; QKeyCombination key; float distance; int boxes; } cases[] = {
        {nullptr, Qt::CTRL | Qt::Key_Q, 1234.5678F, 0}, {"150", Qt::ALT | Qt::Key_Right, 150.0F, 0},
        {"150", Qt::CTRL | Qt::Key_O, 150.0F, 1}, {"150", Qt::CTRL | Qt::Key_Q, 150.0F, 1},
    };
    for (const auto& c : cases) {
        startOnTab(0);
        desktop.boxAnswers = {BoxAnswer::Cancel};
        auto* field = find<QLineEdit>("txtTV1CamData_0");
        if (c.typed != nullptr) {
            field->selectAll();
            QTest::keyClicks(field, c.typed);
        }
        press(c.key);
        settle([&] { return desktop.boxes.size() == static_cast<std::size_t>(c.boxes); });
        const std::string what = (c.typed != nullptr ? c.typed : "nothing") + std::string(" typed, ") +
                                 QKeySequence(c.key).toString().toStdString();
        EXPECT_EQ(window->document().tv1.camera(2).value(1).asFloat(), c.distance) << what;
        EXPECT_EQ(window->isModified(), c.typed != nullptr) << what;
        EXPECT_EQ(desktop.boxes.size(), static_cast<std::size_t>(c.boxes)) << what;
    }
}

} // namespace
} // namespace vp::test
