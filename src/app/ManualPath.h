#pragma once
// Where Help finds the manual, in a portable folder as well as in an installation. Plain C++.

#include <string>
#include <string_view>

namespace vp {

// The manual beside the program when it is there (a portable folder, the build tree); else the one in
// installedFolder, given relative to the program's folder as the installation lays it out
// ("../share/vantapoint"), when that one is there; else the one beside the program, which Help then
// reports missing. Paths in the native 8-bit encoding.
std::string manualPath(const std::string& programFolder, std::string_view installedFolder);

} // namespace vp
