#include "app/ManualPath.h"
#include "app/QtDesktop.h"

#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

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
        {"Cameras|*.cam;*.CAM", "Cameras (*.cam *.CAM)"}, {"Backups (old)|*.bak", "Backups (old) (*.bak)"},
        {"Cameras|*.cam|Dangling", "Cameras (*.cam)"}};
    for (const auto& [filter, qt] : cases)
        EXPECT_EQ(qtFileFilter(filter).toStdString(), qt);
}

TEST(DocumentUrl, LocalPathsWithAFragmentOnlyAfterTheFileName)
{
    test::TempDir dir;
    const std::string existing = dir.file("notes#1");
    test::writeBytes(existing, {'x'});
    // The address, its local file (none for an address that is no file) and its fragment.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"/opt/My Tools/VantapointHelp.html#about", "/opt/My Tools/VantapointHelp.html", "about"},
        {"/games/GPL#2/VantapointHelp.html", "/games/GPL#2/VantapointHelp.html", ""},
        {existing, existing, ""}, {"https://example.org/vantapoint/#download", "", "download"},
        {"mailto:someone@example.org", "", ""},
    };
    for (const auto& [address, local, fragment] : cases) {
        const QUrl url = documentUrl(address);
        EXPECT_EQ(std::pair(QFile::encodeName(url.toLocalFile()).toStdString(), url.fragment().toStdString()), std::pair(local, fragment)) << address;
    }
    EXPECT_TRUE(documentUrl("C:\\GPL\\VantapointHelp.html").isLocalFile());
}

TEST(ManualPath, BesideTheProgramFirstThenWhereTheInstallationPutsIt)
{
    // Beside the program, installed, and the path below the test folder.
    const std::tuple<bool, bool, const char*> cases[] = {{true, true, "/bin/VantapointHelp.html"},
        {false, true, "/share/vantapoint/VantapointHelp.html"}, {false, false, "/bin/VantapointHelp.html"}}; // Help then reports it missing
    for (const auto& [beside, installed, expected] : cases) {
        test::TempDir dir;
        std::filesystem::create_directories(dir.file("bin"));
        std::filesystem::create_directories(dir.file("share/vantapoint"));
        if (beside)
            test::writeBytes(dir.file("bin/VantapointHelp.html"), {'x'});
        if (installed)
            test::writeBytes(dir.file("share/vantapoint/VantapointHelp.html"), {'x'});
        EXPECT_EQ(manualPath(dir.file("bin"), "../share/vantapoint"), dir.path() + expected) << beside << installed;
    }
}

TEST(QtDesktop, TheFileDialogOpensWithAnEmptyFileNameEvenInAFolderThatIsGone)
{
    test::testApp();
    test::TempDir dir;
    const QString folder = QDir::cleanPath(QString::fromStdString(dir.path()));
    for (const std::string& start : {dir.path(), dir.file("tracks")}) {
        QString shownFolder, shownName = QStringLiteral("not shown");
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shownFolder = dialog->directory().path();
            shownName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            dialog->reject();
        });
        QtDesktop desktop;
        EXPECT_EQ(desktop.fileDialog({FileDialogMode::Open, "Vantapoint: Load&Save", "All Files (*.*)|*.*", start, ""}), std::nullopt);
        EXPECT_EQ(std::pair(shownFolder, shownName), std::pair(folder, QString())) << start;
    }
}

} // namespace
} // namespace vp
