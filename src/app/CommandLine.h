#pragma once
// The program's command line: an optional CAM file path and the screenshot mode. Plain C++.

#include <optional>
#include <string>
#include <vector>

namespace vp {

struct CommandLine {
    // The CAM file named on the command line; empty for none.
    std::string path;
    // --screenshot FILE: render the main window to FILE after start-up and end.
    std::optional<std::string> screenshotFile;
    // Set when the command line cannot be used (an option without its argument).
    std::optional<std::string> error;
};

// The arguments after the program name, joined by single blanks, with one pair of enclosing double
// quotes removed, as a desktop passes a double-clicked file.
std::string commandLinePath(const std::vector<std::string>& args);

// args are the arguments after the program name. "--screenshot FILE" is taken out first; the rest
// names the file as commandLinePath says.
CommandLine parseCommandLine(std::vector<std::string> args);

// Whether the program must choose Qt's offscreen platform before Qt starts: the screenshot mode
// needs no display, unless the user chose a platform (-platform, or QT_QPA_PLATFORM set). args
// are all arguments after the program name, Qt's own still among them.
bool wantsOffscreenPlatform(const std::vector<std::string>& args, bool platformVariableSet);

} // namespace vp
