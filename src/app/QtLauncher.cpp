#include "app/QtLauncher.h"

#include "widgets/TextConversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vp {

#ifndef Q_OS_WIN
namespace {

bool isWindowsProgram(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
}

} // namespace
#endif

std::optional<LaunchCommand> launchCommandFor(const QString& path, const QString& wine)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
#ifndef Q_OS_WIN
    if (!wine.isEmpty() && isWindowsProgram(path))
        return LaunchCommand{wine, {info.absoluteFilePath()}};
#else
    Q_UNUSED(wine);
#endif
    if (!info.isExecutable())
        return std::nullopt;
    return LaunchCommand{info.absoluteFilePath(), {}};
}

bool QtLauncher::launch(const std::string& path)
{
#ifdef Q_OS_WIN
    const QString wine;
#else
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
#endif
    const auto command = launchCommandFor(pathText(path), wine);
    if (!command)
        return false;
    QProcess process;
    process.setProgram(command->program);
    process.setArguments(command->arguments);
    process.setWorkingDirectory(QDir::currentPath());
#ifdef Q_OS_WIN
    // The game takes the whole screen and the focus, as when started from its own shortcut.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMAXIMIZED;
    });
#endif
    return process.startDetached();
}

} // namespace vp
