#include "editor/MainWindow.h"

#include "camdata/FileSystem.h"
#include "options/Configuration.h"
#include "support/QtTestApp.h"
#include "options/OptionsDialog.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeInputBackend.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vp {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count)
{
    return offset + count > bytes.size() ? Bytes{} : Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                                                           bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

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

TEST_F(OptionsCommandTest, OkAdoptsTheOptionsWritesTheRecordAndOpensTheTracksFolder)
{
    Start();
    EXPECT_FALSE(TestEnabled());
    std::filesystem::create_directory(gpl.file("tracks"));
    Options([this](OptionsDialog& dialog) {
        ChangeGplFolder(dialog);
        Click(dialog, "chkExit");
        Click(dialog, "cmdOK");
    });

    EXPECT_TRUE(desktop.boxes.empty());
    const OptionsRecord& stored = window->options();
    EXPECT_EQ(stored.gplFolder, gplFolder);
    EXPECT_FALSE(stored.askBeforeExit);
    EXPECT_TRUE(TestEnabled());
    EXPECT_EQ(window->camFolder(), joinPath(gplFolder, "tracks"));

    const Bytes file = test::readBytes(ConfigPath());
    const std::size_t h = 44;
    const std::size_t g = gplFolder.size();
    const std::size_t b = 4 + h + g;
    ASSERT_EQ(file.size(), 3149 + h + g);
    EXPECT_EQ(Slice(file, 2 + h, 2), (Bytes{static_cast<std::uint8_t>(g & 0xFF), static_cast<std::uint8_t>(g >> 8)}));
    EXPECT_EQ(Slice(file, 4 + h, g), Bytes(gplFolder.begin(), gplFolder.end()));
    EXPECT_EQ(Slice(file, b + 6, 2), (Bytes{0x00, 0x00}));        // askBeforeExit
    EXPECT_EQ(Slice(file, b + 3139, 4), (Bytes{0xDC, 0x05, 0x00, 0x00}));
}

TEST_F(OptionsCommandTest, CancelOrTheCloseControlDiscardsANewGplFolderAndEveryChange)
{
    Start();
    const Bytes before = test::readBytes(ConfigPath());
    const OptionsRecord stored = window->options();
    Options([this](OptionsDialog& dialog) {
        ChangeGplFolder(dialog);
        EXPECT_EQ(dialog.options().gplFolder, gplFolder);
        Click(dialog, "chkAll");
        Click(dialog, "cmdCancel");
    });
    Options([](OptionsDialog& dialog) {
        Click(dialog, "chkExit");
        dialog.close();
    });
    EXPECT_EQ(window->options(), stored);
    EXPECT_EQ(test::readBytes(ConfigPath()), before);
    EXPECT_FALSE(TestEnabled());
    EXPECT_EQ(window->camFolder(), program.path());
}

TEST_F(OptionsCommandTest, OkWithoutAGplFolderDisablesTestAndKeepsTheFileFolder)
{
    Start();
    Options([this](OptionsDialog& dialog) {
        ChangeGplFolder(dialog);
        Click(dialog, "cmdOK");
    });
    ASSERT_TRUE(TestEnabled());
    Options([this](OptionsDialog& dialog) {
        ChangeGplFolder(dialog, true);
        Click(dialog, "cmdOK");
    });
    EXPECT_EQ(window->options().gplFolder, "GPL not installed");
    EXPECT_FALSE(TestEnabled());
    EXPECT_EQ(window->camFolder(), gplFolder) << "the GPL folder, which has no tracks folder";
}

TEST_F(OptionsCommandTest, AFailedSaveIsReportedAndTheNewOptionsStayInEffect)
{
    Start();
    std::filesystem::remove(ConfigPath());
    std::filesystem::create_directory(ConfigPath());
    Options([](OptionsDialog& dialog) {
        Click(dialog, "chkExit");
        Click(dialog, "cmdOK");
    });
    ASSERT_EQ(desktop.boxes.size(), 1U);
    const MessageBoxSpec& box = desktop.boxes[0];
    EXPECT_EQ(box.title, "Vantapoint: Error");
    EXPECT_EQ(box.icon, BoxIcon::Stop);
    const std::string prefix = "The options couldn't be saved to Vantapoint.cfg: ";
    const std::string suffix = ". They stay in effect until you exit Vantapoint.";
    EXPECT_EQ(box.text.rfind(prefix, 0), 0U) << box.text;
    ASSERT_GT(box.text.size(), prefix.size() + suffix.size()) << "the system's reason is missing";
    EXPECT_EQ(box.text.substr(box.text.size() - suffix.size()), suffix);
    EXPECT_FALSE(window->options().askBeforeExit);
}

TEST_F(OptionsCommandTest, TheDialogGivesTheMainWindowAFreshMouseObject)
{
    test::FakeInputBackend input;
    Start(&input);
    const MouseInput* before = window->mouseInput();
    ASSERT_NE(before, nullptr);
    const MouseInput* made = nullptr;
    Options([&made](OptionsDialog& dialog) {
        made = dialog.mouseInput();
        Click(dialog, "cmdCancel");
    });
    EXPECT_NE(made, nullptr);
    EXPECT_EQ(window->mouseInput(), made);
}

} // namespace
} // namespace vp
