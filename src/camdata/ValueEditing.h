#pragma once
// Committing a typed camera value and storing a spinner step: the range checks, the unit conversion
// and the change-over point that follows a typed distance. Plain C++; the window parses the text,
// beeps, shows and marks the data unsaved from what these functions return.

#include "camdata/CameraDocument.h"
#include "camdata/ValueTables.h"

#include <optional>

namespace vp {

inline constexpr const char* kWhatDoYouMean = "What do you mean? Ready.";

// A field or spinner index outside its row table is a fault of the caller: asserted, and stores
// nothing where assertions are off.

// Degrees typed or stepped become radians in single precision.
float degreesToRadians(double degrees);

// Whether a stored value (metres, a factor, or the radians of an angle) lies within what its field
// accepts. A value that is never typed (the mode, the unknown values) is within none.
bool acceptedByField(const ValueRow& row, float stored);

// Field `field` (0..13) of TV camera `camera` loses the focus with the number `typed` (nothing when its
// text did not convert). The number is stored, converted and checked; true when accepted. A rejection
// puts the value's previous 32 bits back. With `fixedSwitchOver`, an accepted distance (field 0) moves
// the change-over point (value #4) so that the change-over stays where it was on the track.
bool commitTvValue(CameraSet& cameras, int camera, int field, std::optional<double> typed, bool fixedSwitchOver);

// TV value spinner `spinner` (0..13) was stepped by the user to `position`; true when a value was stored.
bool stepTvValue(CameraSet& cameras, int camera, int spinner, int position);

struct PitCommit {
    bool accepted = false;
    // Where the field's spinner must be put after an accepted commit. The window positions the spinner
    // there as a step of its own, which puts metres on 0.001 m and angles on whole degrees.
    std::optional<int> echo;
};

// Field `field` (0..12) of the pit-lane camera loses the focus with the number `typed`.
PitCommit commitPitValue(PitCameraRecord& pit, int field, std::optional<double> typed);

// Pit-lane spinner `spinner` (0..12) stands at `position` after a step; true when a value was stored.
bool stepPitValue(PitCameraRecord& pit, int spinner, int position);

} // namespace vp
