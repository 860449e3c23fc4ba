#include "app/ManualPath.h"
#include "app/QtDesktop.h"
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
    EXPECT_EQ(qtFileFilter("GPL-camera-files (*.cam)|*.cam|All Files (*.*)|*.*").toStdString(),
              std::string("GPL-camera-files (*.cam);;") + kAllFiles);
    EXPECT_EQ(qtFileFilter("Cameras|*.cam;*.CAM").toStdString(), "Cameras (*.cam *.CAM)");
    EXPECT_EQ(qtFileFilter("Backups (old)|*.bak").toStdString(), "Backups (old) (*.bak)");
    EXPECT_EQ(qtFileFilter("Cameras|*.cam|Dangling").toStdString(), "Cameras (*.cam)");
}

TEST(DocumentUrl, LocalPathsWithAFragmentOnlyAfterTheFileName)
{
    const QUrl help = documentUrl("/opt/My Tools/VantapointHelp.html#about");
    EXPECT_TRUE(help.isLocalFile());
    EXPECT_EQ(help.toLocalFile().toStdString(), "/opt/My Tools/VantapointHelp.html");
    EXPECT_EQ(help.fragment().toStdString(), "about");

    const QUrl folder = documentUrl("/games/GPL#2/VantapointHelp.html");
    EXPECT_EQ(folder.toLocalFile().toStdString(), "/games/GPL#2/VantapointHelp.html");
    EXPECT_FALSE(folder.hasFragment());

    test::TempDir dir;
    const std::string file = dir.file("notes#1");
    test::writeBytes(file, {'x'});
    const QUrl existing = documentUrl(file);
    EXPECT_EQ(QFile::encodeName(existing.toLocalFile()).toStdString(), file);
    EXPECT_FALSE(existing.hasFragment());

    EXPECT_TRUE(documentUrl("C:\\GPL\\VantapointHelp.html").isLocalFile());
    for (const char* address : {"https://example.org/vantapoint/#download", "mailto:someone@example.org"}) {
        const QUrl url = documentUrl(address);
        EXPECT_FALSE(url.isLocalFile());
        EXPECT_EQ(url.toString().toStdString(), address);
    }
}

TEST(ManualPath, BesideTheProgramFirstThenWhereTheInstallationPutsIt)
{
    struct Case {
        bool beside;
        bool installed;
        const char* expected; // below the test folder
    };
    const Case cases[] = {
        {true, true, "/bin/VantapointHelp.html"},
        {false, true, "/share/vantapoint/VantapointHelp.html"},
        {false, false, "/bin/VantapointHelp.html"}, // Help then reports it missing
    };
    for (const Case& c : cases) {
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
    FileDialogSpec dialog;
    dialog.title = "Vantapoint: Load&Save";
    EXPECT_EQ(desktop.fileDialog(dialog), std::nullopt);
    EXPECT_EQ(log.str(), "message box \"Vantapoint: Safety request\", answered OK:\nfirst line\nsecond line\n"
                         "file dialog \"Vantapoint: Load&Save\", cancelled\n");
}

} // namespace
} // namespace vp
