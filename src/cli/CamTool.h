#pragma once
// vantapoint-cam, the command-line tool for CAM files: show, diff, check, export and import. Its
// main() hands over the arguments after the program's name; tests call it in-process.

#include <iosfwd>
#include <string>
#include <vector>

namespace vp::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFound = 1;  // diff: the files differ; check: there are findings
inline constexpr int kExitError = 2;  // bad usage, a file that cannot be read or written

// Paths are UTF-8, as everywhere in the program.
int runCamTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vp::cli
