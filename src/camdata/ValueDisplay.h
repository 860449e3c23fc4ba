#pragma once
// How a stored camera value appears in its field and where its spinner stands, by its row's rule.
// Plain C++ so that the number rules are tested without windows.

#include "camdata/ValueSlot.h"
#include "camdata/ValueTables.h"

#include <optional>
#include <string>

namespace vp {

struct ShownValue {
    std::string text;
    // The spinner position the value asks for, before it is fitted into the spinner's range;
    // nothing when the display leaves the spinner alone.
    std::optional<double> spinnerPosition;
};

ShownValue shownValue(const ValueRow& row, ValueSlot value, char decimalSeparator);

// A requested position fitted into min..max; a position that is not a number keeps `current`.
int fitSpinnerPosition(double position, int min, int max, int current);

// The text of the hidden mode field for a fixed (integer 1 read as a float) or a moving camera.
std::string modeText(bool fixed, char decimalSeparator);

} // namespace vp
