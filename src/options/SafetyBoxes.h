#pragma once
// The single safety boxes of the options dialog in their tab order, each with the flag it edits.

#include "options/OptionsRecord.h"

#include <array>

namespace vp {

struct SafetyBox {
    const char* name;
    const char* caption;
    bool OptionsRecord::*flag;
};

inline constexpr std::array<SafetyBox, 6> kSafetyBoxes{{
    {"chkLoad", "Show safety request when clicking on the \"Load\"-button with unsaved data in memory",
     &OptionsRecord::askBeforeLoad},
    {"chkSafe", "Show safety request before overwriting an existing file", &OptionsRecord::askBeforeOverwrite},
    {"chkConfigure", "Show safety request before recording a new script in the \"GPL remote\"-options",
     &OptionsRecord::askBeforeNewScript},
    {"chkRemove", "Show safety request before removing a camera", &OptionsRecord::askBeforeRemove},
    {"chkExit", "Show safety request before exiting with unsaved data in memory", &OptionsRecord::askBeforeExit},
    {"chkAssign", "Show safety request when clicking an \"Assign to all\"-button", &OptionsRecord::askBeforeAssignToAll},
}};

} // namespace vp
