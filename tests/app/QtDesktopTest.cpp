#include "app/ManualPath.h"
#include "app/QtDesktop.h"

#include "support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace vp {
namespace {

#ifdef Q_OS_WIN
constexpr const char* kAllFiles = "All Files (*.*)";
#else
constexpr const char* kAllFiles = "All Files (*)";
#endif

TEST(QtFileFilter, TurnsFiltersIntoQtForm)
{
    const std::pair<const char*, std::string> cases[] = {
        {"GPL-camera-files (*.cam)|*.cam|All Files (*.*)|*.*", std::string("GPL-camera-files (*.cam);;") + kAllFiles},
        {"Cameras|*.cam;*.CAM", "Cameras (*.cam *.CAM)"},
        {"Backups (old)|*.bak", "Backups (old) (*.bak)"},
        {"Cameras|*.cam|Dangling", "Cameras (*.cam)"}};
    for (const auto& [filter, qt] : cases)
        EXPECT_EQ(qtFileFilter(filter).toStdString(), qt);
}

TEST(DocumentUrl, LocalPathsWithAFragmentOnlyAfterTheFileName)
{
    test::TempDir dir;
    const std::string existing = dir.file("notes#1");
    test::writeBytes(existing, {'x'});
    const struct {
        std::string address, local, fragment; // local is empty for an address that is no file
    } cases[] = {
        {"/opt/My Tools/VantapointHelp.html#about", "/opt/My Tools/VantapointHelp.html", "about"},
        {"/games/GPL#2/VantapointHelp.html", "/games/GPL#2/VantapointHelp.html", ""},
        {existing, existing, ""},
        {"https://example.org/vantapoint/#download", "", "download"},
        {"mailto:someone@example.org", "", ""},
    };
    for (const auto& c : cases) {
        const QUrl url = documentUrl(c.address);
        EXPECT_EQ(QFile::encodeName(url.toLocalFile()).toStdString(), c.local) << c.address;
        EXPECT_EQ(url.fragment().toStdString(), c.fragment) << c.address;
        EXPECT_TRUE(!c.local.empty() || url.toString().toStdString() == c.address) << c.address;
    }
    EXPECT_TRUE(documentUrl("C:\\GPL\\VantapointHelp.html").isLocalFile());
}

TEST(ManualPath, BesideTheProgramFirstThenWhereTheInstallationPutsIt)
{
    const struct {
        bool beside, installed;
        const char* expected; // below the test folder
    } cases[] = {
        {true, true, "/bin/VantapointHelp.html"},
        {false, true, "/share/vantapoint/VantapointHelp.html"},
        {false, false, "/bin/VantapointHelp.html"}, // Help then reports it missing
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        std::filesystem::create_directories(dir.file("bin"));
        std::filesystem::create_directories(dir.file("share/vantapoint"));
        if (c.beside)
            test::writeBytes(dir.file("bin/VantapointHelp.html"), {'x'});
        if (c.installed)
            test::writeBytes(dir.file("share/vantapoint/VantapointHelp.html"), {'x'});
        EXPECT_EQ(manualPath(dir.file("bin"), "../share/vantapoint"), dir.path() + c.expected)
            << c.beside << c.installed;
    }
}

TEST(QtDesktop, TheFileDialogOpensWithAnEmptyFileNameEvenInAFolderThatIsGone)
{
    static int argc = 1;
    static char name[] = "qt-desktop-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    test::TempDir dir;
    const QString folder = QDir::cleanPath(QString::fromStdString(dir.path()));
    for (const std::string& start : {dir.path(), dir.file("tracks")}) {
        QString shownFolder;
        QString shownName = QStringLiteral("not shown");
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shownFolder = dialog->directory().path();
            shownName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            dialog->reject();
        });
        QtDesktop desktop;
        EXPECT_EQ(desktop.fileDialog({FileDialogMode::Open, "Vantapoint: Load&Save", "All Files (*.*)|*.*", start, ""}),
                  std::nullopt);
        EXPECT_EQ(shownFolder.toStdString(), folder.toStdString()) << start;
        EXPECT_EQ(shownName.toStdString(), "") << start;
    }
}

TEST(ScreenshotDesktop, WritesEveryBoxAnsweredOkAndCancelsEveryFileDialog)
{
    std::ostringstream log;
    ScreenshotDesktop desktop(log);
    EXPECT_EQ(desktop.messageBox({"Vantapoint: Safety request", "first line\r\nsecond line", BoxIcon::Exclamation,
                                  BoxButtons::OkCancel}),
              BoxAnswer::Ok);
    EXPECT_EQ(desktop.fileDialog({FileDialogMode::Open, "Vantapoint: Load&Save", "", "", ""}), std::nullopt);
    EXPECT_EQ(log.str(), "message box \"Vantapoint: Safety request\", answered OK:\nfirst line\nsecond line\n"
                         "file dialog \"Vantapoint: Load&Save\", cancelled\n");
}

} // namespace
} // namespace vp
