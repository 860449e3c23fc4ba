#include "editor/MainWindow.h"

#include "camdata/FileSystem.h"
#include "options/Configuration.h"
#include "options/OptionsDialog.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeInputBackend.h"
#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace vp {
namespace {

using Bytes = std::vector<std::uint8_t>;

class OptionsCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::testApp(); }

    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        test::writeBytes(gpl.file("gpl.exe"), {'M', 'Z'});
        gplFolder = QDir::toNativeSeparators(QDir::cleanPath(QString::fromStdString(gpl.path()))).toStdString();
    }

    MainWindow& Start(InputBackend* input = nullptr)
    {
        window = std::make_unique<MainWindow>(
            EditorServices{.desktop = desktop, .clock = clock, .input = input, .programFolder = program.path()}, std::string{});
        desktop.clearRecords();
        return *window;
    }

    // Clicks "Options" and runs `act` on the dialog while it is open; whatever a failed step left
    // open is closed, so that the test ends instead of waiting.
    void Options(std::function<void(OptionsDialog&)> act)
    {
        QTimer::singleShot(0, [act = std::move(act)] {
            auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
            EXPECT_NE(dialog, nullptr);
            if (dialog != nullptr)
                act(*dialog);
            while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
        });
        window->findChild<QPushButton*>("cmdOptions")->click();
    }

    // In the open options dialog: "Change", then the folder of the game (or Cancel when `cancel`).
    void ChangeGplFolder(OptionsDialog& dialog, bool cancel = false)
    {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(gpl.path()));
        QTimer::singleShot(0, [cancel] {
            QWidget* folders = QApplication::activeModalWidget();
            ASSERT_NE(folders, nullptr);
            if (!cancel)
                QTest::keyClick(folders->findChild<QListWidget*>("dirFolder"), Qt::Key_Return);
            folders->findChild<QPushButton*>(cancel ? "cmdCancel" : "cmdOK")->click();
        });
        dialog.findChild<QPushButton*>("cmdChange")->click();
        QDir::setCurrent(previous);
    }

    static void Click(OptionsDialog& dialog, const char* name) { dialog.findChild<QAbstractButton*>(name)->click(); }

    bool TestEnabled() const { return window->findChild<QPushButton*>("cmdTestCams")->isEnabled(); }
    std::string ConfigPath() const { return program.file("Vantapoint.cfg"); }

    test::TempDir program;
    test::TempDir gpl;
    std::string gplFolder;
    test::FakeDesktop desktop;
    test::FakeClock clock;
    std::unique_ptr<MainWindow> window;
};

TEST_F(OptionsCommandTest, OkAdoptsTheOptionsWritesTheRecordAndOpensTheTracksFolderAndReportsAFailedSave)
{
    Start();
    EXPECT_FALSE(TestEnabled());
    std::filesystem::create_directory(gpl.file("tracks"));
    Options([this](OptionsDialog& dialog) {
        ChangeGplFolder(dialog);
        Click(dialog, "chkExit");
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(std::tuple(desktop.boxes.size(), TestEnabled(), window->options().askBeforeExit), std::tuple(0U, true, false));
    EXPECT_EQ(window->options().gplFolder, gplFolder);
    EXPECT_EQ(window->camFolder(), joinPath(gplFolder, "tracks"));

    EXPECT_EQ(parseConfigBytes(test::readBytes(ConfigPath())), window->options());

    // OK without a GPL folder disables "Test" and keeps the file folder.
    Options([this](OptionsDialog& dialog) { ChangeGplFolder(dialog, true); Click(dialog, "cmdOK"); });
    EXPECT_EQ(std::tuple(window->options().gplFolder, window->camFolder(), TestEnabled()), std::tuple("GPL not installed", joinPath(gplFolder, "tracks"), false));

    // A failed save is reported and the new options stay in effect.
    std::filesystem::remove(ConfigPath());
    std::filesystem::create_directory(ConfigPath());
    Options([](OptionsDialog& dialog) { Click(dialog, "chkExit"); Click(dialog, "cmdOK"); });
    ASSERT_EQ(desktop.boxes.size(), 1U);
    const MessageBoxSpec& box = desktop.boxes[0];
    EXPECT_EQ(std::tuple(box.title, box.icon, window->options().askBeforeExit), std::tuple("Vantapoint: Error", BoxIcon::Stop, true));
    // The system's reason sits between the two fixed parts.
    EXPECT_TRUE(box.text.starts_with("The options couldn't be saved to Vantapoint.cfg: ") && box.text.size() > 97U &&
                box.text.ends_with(". They stay in effect until you exit Vantapoint.")) << box.text;
}

TEST_F(OptionsCommandTest, CancelOrTheCloseControlDiscardsANewGplFolderAndEveryChangeButGivesAFreshMouseObject)
{
    test::FakeInputBackend input;
    Start(&input);
    const Bytes before = test::readBytes(ConfigPath());
    const OptionsRecord stored = window->options();
    const MouseInput* made = nullptr;
    Options([this](OptionsDialog& dialog) {
        ChangeGplFolder(dialog);
        EXPECT_EQ(dialog.options().gplFolder, gplFolder);
        Click(dialog, "chkAll");
        Click(dialog, "cmdCancel");
    });
    Options([&made](OptionsDialog& dialog) { made = dialog.mouseInput(); Click(dialog, "chkExit"); dialog.close(); });
    EXPECT_EQ(std::tuple(window->options(), test::readBytes(ConfigPath()), TestEnabled(), window->camFolder()), std::tuple(stored, before, false, program.path()));
    EXPECT_TRUE(made != nullptr && window->mouseInput() == made) << "the dialog's fresh mouse object stays";
}

} // namespace
} // namespace vp
