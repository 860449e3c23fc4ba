#include "app/QtDesktop.h"
#include "app/VantapointMain.h"

#include "support/TempDir.h"

#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>

#include <sstream>

namespace vp {
namespace {

#ifdef Q_OS_WIN
constexpr const char* kAllFiles = "All Files (*.*)";
#else
constexpr const char* kAllFiles = "All Files (*)";
#endif

TEST(QtFileFilter, TurnsTheCameraFilterIntoQtForm)
{
    EXPECT_EQ(QtFileFilter("GPL-camera-files (*.cam)|*.cam|All Files (*.*)|*.*").toStdString(),
              std::string("GPL-camera-files (*.cam);;") + kAllFiles);
}

TEST(QtFileFilter, GivesANameWithoutPatternsItsPatterns)
{
    EXPECT_EQ(QtFileFilter("Cameras|*.cam;*.CAM").toStdString(), "Cameras (*.cam *.CAM)");
    // A name whose parentheses say something else keeps them.
    EXPECT_EQ(QtFileFilter("Backups (old)|*.bak").toStdString(), "Backups (old) (*.bak)");
    // A name without its pattern part is dropped.
    EXPECT_EQ(QtFileFilter("Cameras|*.cam|Dangling").toStdString(), "Cameras (*.cam)");
}

TEST(DocumentUrl, LocalPathBecomesAFileUrl)
{
    const QUrl url = VantapointMain::DocumentUrl("/opt/Vantapoint/VantapointHelp.html");
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile().toStdString(), "/opt/Vantapoint/VantapointHelp.html");
    EXPECT_FALSE(url.hasFragment());

    const QUrl drive = VantapointMain::DocumentUrl("C:\\GPL\\VantapointHelp.html");
    EXPECT_TRUE(drive.isLocalFile());
}

TEST(DocumentUrl, FragmentAfterTheFileNameIsKept)
{
    const QUrl url = VantapointMain::DocumentUrl("/opt/My Tools/Vantapoint/VantapointHelp.html#about");
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile().toStdString(), "/opt/My Tools/Vantapoint/VantapointHelp.html");
    EXPECT_EQ(url.fragment().toStdString(), "about");
}

TEST(DocumentUrl, HashInAFolderOrFileNameIsNoFragment)
{
    const QUrl folder = VantapointMain::DocumentUrl("/games/GPL#2/VantapointHelp.html");
    EXPECT_EQ(folder.toLocalFile().toStdString(), "/games/GPL#2/VantapointHelp.html");
    EXPECT_FALSE(folder.hasFragment());

    test::TempDir dir;
    const std::string file = dir.file("notes#1");
    test::WriteBytes(file, {'x'});
    const QUrl existing = VantapointMain::DocumentUrl(file);
    EXPECT_EQ(QFile::encodeName(existing.toLocalFile()).toStdString(), file);
    EXPECT_FALSE(existing.hasFragment());
}

TEST(DocumentUrl, WebAddressStaysAsItIs)
{
    for (const char* address : {"https://example.org/vantapoint/#download", "mailto:someone@example.org"}) {
        const QUrl url = VantapointMain::DocumentUrl(address);
        EXPECT_FALSE(url.isLocalFile());
        EXPECT_EQ(url.toString().toStdString(), address);
    }
}

TEST(ScreenshotDesktop, WritesEveryBoxAndAnswersOk)
{
    std::ostringstream log;
    ScreenshotDesktop desktop(log);
    const BoxAnswer answer = desktop.messageBox({"Vantapoint: Safety request", "first line\r\nsecond line",
                                                 BoxIcon::Exclamation, BoxButtons::OkCancel});
    EXPECT_EQ(answer, BoxAnswer::Ok);
    EXPECT_EQ(log.str(), "message box \"Vantapoint: Safety request\", answered OK:\nfirst line\nsecond line\n");
}

TEST(ScreenshotDesktop, CancelsEveryFileDialog)
{
    std::ostringstream log;
    ScreenshotDesktop desktop(log);
    FileDialogSpec dialog;
    dialog.title = "Vantapoint: Load&Save";
    EXPECT_EQ(desktop.fileDialog(dialog), std::nullopt);
    EXPECT_EQ(log.str(), "file dialog \"Vantapoint: Load&Save\", cancelled\n");
}

} // namespace
} // namespace vp
