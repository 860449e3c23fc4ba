// "Test" in the main window, pressed for real: the options in force decide what it launches and
// plays, and the button is disabled while any script command runs (without a GPL folder it stays
// disabled after one: MainWindowTest).

#include "MainWindowFixture.h"

#include "support/FakeInputBackend.h"
#include "support/FakeLauncher.h"

namespace vp::test {
namespace {

class TestCamsWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        input = &backend;
        launcher = &fakeLauncher;
        options.gplFolder = folder.file("GPL");
        std::filesystem::create_directory(options.gplFolder);
        writeBytes(joinPath(options.gplFolder, "gpl.exe"), {'M', 'Z'});
        options.showInformation = false;
        options.playScript = true;
        options.shutdownDelay = 0;
    }

    // Starts the program on `options` as its configuration.
    MainWindow& startWithOptions() { writeBytes(joinPath(folder.path(), kConfigFileName), configBytes(options)); return start(); }

    FakeInputBackend backend{&clock};
    FakeLauncher fakeLauncher{&clock};
    OptionsRecord options;
};

TEST_F(TestCamsWindowTest, ItPlaysTheStoredScriptAndRefusesTheCommandsThatCouldInterfereMeanwhile)
{
    options.script.count = 1;
    startWithOptions();
    showActive();
    const CameraDocument before = window->document();
    // F5 goes down at the first look for it and is up at the next.
    backend.keyState = [down = false](int key, std::int64_t) mutable { return key == VirtualKey::F5 && (down = !down); };
    // The user's clicks, keys and a dropped file arrive while the synthetic button is held down.
    QMimeData camFileData;
    camFileData.setUrls({QUrl::fromLocalFile(pathText(camFile("other.cam", CamDocument(2, 2))))});
    closeDialogs();  // should one open after all, rather than leave it waiting
    QTimer::singleShot(0, window.get(), [this, &camFileData] {
        for (const char* name : {"cmdLoadCAMFile", "cmdOptions", "cmdRemoveTV1", "cmdAssignToAllTV1_0", "cmdTestCams"})
            click(name);
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        drop(camFileData);
    });
    click("cmdTestCams");
    EXPECT_EQ(statuses, QStringList(6, "Wait until GPL is closed (F5). Ready."));
    EXPECT_EQ(std::tuple(desktop.boxes.size(), desktop.dialogs.size(), closedDialogs.size()), std::tuple(0U, 0U, 0));
    EXPECT_EQ(window->document(), before);
    EXPECT_EQ(backend.mouseEvents.size(), 3u);
    EXPECT_TRUE(enabled("cmdTestCams"));
}

TEST_F(TestCamsWindowTest, ClosingTheWindowDuringTheWaitStopsItAndEndsTheProgram)
{
    for (const auto& [way, exit] : exitWays) {
        startWithOptions().show();
        desktop.clearRecords();
        const bool unsaved = std::string(way) != "Exit";  // the close control with unsaved data
        if (unsaved)
            find<QCheckBox>("chkTV1CamFixed")->click();
        // F5 would come much later, long after the window was closed.
        backend.polls = 0;
        backend.keyState = [](int virtualKey, std::int64_t poll) { return virtualKey == VirtualKey::F5 && poll == 100; };
        QTimer::singleShot(0, window.get(), [this] { click("cmdTestCams"); });
        QTimer::singleShot(0, window.get(), exit);
        QTimer neverForEver;
        neverForEver.callOnTimeout([] { QCoreApplication::exit(1); });
        neverForEver.start(10000);

        EXPECT_EQ(QApplication::exec(), 0) << way << ": the program ends as the window closes";
        neverForEver.stop();

        EXPECT_TRUE(backend.keys.empty()) << way;
        EXPECT_FALSE(window->isVisible()) << way;
        // The question about unsaved data comes once the wait has ended.
        EXPECT_EQ(desktop.boxes.size(), unsaved ? 1u : 0u) << way;
        EXPECT_LT(backend.polls, 100) << way;
    }
}

} // namespace
} // namespace vp::test
