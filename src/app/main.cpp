// Vantapoint: the track camera editor for Grand Prix Legends.
//
//     vantapoint [FILE.cam]
//     vantapoint --screenshot FILE.png [FILE.cam]

#include "app/CommandLine.h"
#include "app/ManualPath.h"
#include "app/QtDesktop.h"
#include "app/QtLauncher.h"
#include "editor/EditorServices.h"
#include "editor/MainWindow.h"
#include "options/Configuration.h"
#include "remote/DeferredInputBackend.h"
#include "seams/Clock.h"
#include "widgets/PngImage.h"
#include "widgets/TextConversions.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QStandardPaths>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

int writeScreenshot(QWidget& window, const std::string& file)
{
    window.show();
    QApplication::processEvents();
    const QString path = vp::pathText(file);
    if (!window.grab().save(path, "PNG")) {
        std::cerr << "vantapoint: cannot write the screenshot " << file << '\n';
        return 1;
    }
    return 0;
}

// The desktop icon in the sizes rendered at build time (none when the build could not render it).
// The pictures are small, and an X11 desktop is given every size when the window is shown anyway.
QIcon windowIcon()
{
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addPixmap(QPixmap::fromImage(vp::readPngImage(file.filePath())));
    return icon;
}

// The arguments after the program name, paths as the program holds them.
std::vector<std::string> programArguments([[maybe_unused]] int argc, [[maybe_unused]] char* argv[])
{
#ifdef Q_OS_WIN
    // argv is in the ANSI code page there, which cannot name every file; Qt reads the wide
    // command line, without the options QApplication took.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    std::vector<std::string> args;
    for (const QString& argument : arguments)
        args.push_back(vp::pathBytes(argument));
    return args;
#else
    return {argv + 1, argv + argc};
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    // The screenshot mode runs without a display: without a platform of the user's choice, Qt would
    // abort looking for one.
    if (vp::wantsOffscreenPlatform(std::vector<std::string>(argv + 1, argv + argc),
                                   !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // QApplication takes its own options (-platform, -style...) out of argv first.
    QApplication app(argc, argv);
    // Names the user's configuration folder: the same whatever the executable is called.
    QCoreApplication::setApplicationName(QStringLiteral("vantapoint"));
    // Lets the desktop match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(VP_APP_ID));
    QApplication::setWindowIcon(windowIcon());
    const vp::CommandLine commandLine = vp::parseCommandLine(programArguments(argc, argv));
    if (commandLine.error) {
        std::cerr << "vantapoint: " << *commandLine.error << "\nusage: vantapoint [--screenshot FILE.png] [FILE.cam]\n";
        return 2;
    }

    std::unique_ptr<vp::QtDesktop> desktop;
    if (commandLine.screenshotFile)
        desktop = std::make_unique<vp::ScreenshotDesktop>(std::cerr);
    else
        desktop = std::make_unique<vp::QtDesktop>();
    vp::SteadyClock clock;
    vp::DeferredInputBackend input(vp::createPlatformInputBackend);
    const std::string programFolder = vp::pathBytes(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    vp::QtLauncher launcher;
    vp::EditorServices services{*desktop, clock, &input, programFolder, &launcher};
    services.manual = vp::manualPath(programFolder, VP_INSTALLED_MANUAL_FOLDER);
    // An installed program cannot write beside itself; it keeps its options in the user's folder.
    const std::string userConfigFolder =
        vp::pathBytes(QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
    services.configFolder = vp::chooseConfigFolder(programFolder, vp::folderWritable(programFolder), userConfigFolder);

    vp::MainWindow window(services, commandLine.path);
    if (commandLine.screenshotFile)
        return writeScreenshot(window, *commandLine.screenshotFile);
    window.show();
    return QApplication::exec();
}
