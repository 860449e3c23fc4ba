#pragma once
// Starting another program, behind an interface so that the commands that launch GPL are tested
// without starting anything.

#include <string>

namespace vp {

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the executable at `path` (full path, the system's 8-bit file name encoding) detached,
    // without arguments, in this program's current folder; where the platform can, maximised and
    // with the focus. Does not wait for it. False when it could not be started.
    virtual bool launch(const std::string& path) = 0;
};

} // namespace vp
