#pragma once
// Starting gpl.exe on this desktop: a detached process in the program's current folder.

#include "seams/ProgramLauncher.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace vp {

class QtLauncher final : public ProgramLauncher {
public:
    // On Linux a Windows program (a file that starts with "MZ") runs through `wine` when wine is
    // on the PATH; any other program is started directly. On Windows the program starts maximised.
    bool launch(const std::string& path) override;
};

struct LaunchCommand {
    QString program;
    QStringList arguments;
};

// What to start for the executable at path, or nothing when it cannot be started: missing, not a
// file, or neither executable nor a Windows program with wine at hand. wine is the full path of
// the wine program, empty when there is none; Windows itself needs none.
std::optional<LaunchCommand> launchCommandFor(const QString& path, const QString& wine);

} // namespace vp
