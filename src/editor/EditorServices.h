#pragma once
// What the main window is given by the program (real services) or by a test (scripted fakes).

#include "camdata/FileSystem.h"
#include "seams/Clock.h"
#include "seams/Desktop.h"

#include <string>

namespace vp {

class InputBackend;
class ProgramLauncher;

struct EditorServices {
    Desktop& desktop;
    Clock& clock;
    // The synthetic-input backend of this platform; null where none can run (no X display).
    InputBackend* input = nullptr;
    // The folder of the executable, without a trailing separator.
    std::string programFolder;
    // Starts gpl.exe for the script commands; where none is given, launching fails with its message.
    ProgramLauncher* launcher = nullptr;
    // The manual Help opens; where none is given, the one in programFolder.
    std::string manual{};
    // The folder that keeps Vantapoint.cfg; where none is given, programFolder.
    std::string configFolder{};

    std::string manualFile() const { return manual.empty() ? joinPath(programFolder, "VantapointHelp.html") : manual; }
    const std::string& configHome() const { return configFolder.empty() ? programFolder : configFolder; }
};

} // namespace vp
