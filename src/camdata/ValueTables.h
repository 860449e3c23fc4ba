#pragma once
// What every camera value looks like in the editor: its caption and hints, what a typed number must
// satisfy, its spinner, how it is shown and which mode it belongs to. The panels and the editing
// rules read these rows; nothing else in the editor knows a field by its number.

#include "camdata/CameraDocument.h"

#include <array>
#include <string_view>

namespace vp {

enum class ValueKind {
    Metres,   // typed and stored in metres
    Factor,   // a plain number
    Angle,    // typed in degrees, stored and checked as single-precision radians
    Mode,     // TV value #5: the integer 1 or 0, set only through the mode box
    Unnamed,  // carried unchanged; never typed into
};

// The mode box enables the field, spinner and "Assign to all" button of the values its mode uses.
enum class ModeGroup { None, Moving, Fixed };

// What one spinner position counts when the user steps it.
enum class SpinnerUnit {
    None,         // a step stores nothing
    Thousandths,  // thousandths of a metre or of a factor
    Degrees,      // whole degrees, stored as radians
};

enum class ShownAs {
    Thousandths,   // Round(v, 3) in single precision; spinner at thousandths
    WholeDegrees,  // Round(v * 180 / pi, 0); spinner at whole degrees
    ModeText,      // v read as a float, seven digits; spinner untouched
    Significant7,  // pit lane: Round(v * 1000, 3) / 1000 as a float, at most seven significant digits;
                   // a stepped spinner at thousandths
    Degrees3,      // pit lane: Round(v * 180000 / pi, 0) / 1000 in double precision; spinner at whole degrees
};

struct SpinnerRow {
    int min = 0;
    int max = 0;
    int increment = 1;
    bool hidden = true;
    SpinnerUnit unit = SpinnerUnit::None;
    std::string_view hint;  // empty: no tooltip
};

struct ValueRow {
    std::string_view caption;
    std::string_view fieldHint;  // empty: no tooltip
    ValueKind kind = ValueKind::Unnamed;
    // Inclusive bounds of an accepted typed number, in the typed unit (metres, factor or degrees).
    double lowest = 0.0;
    double highest = 0.0;
    bool editable = false;  // false: the field is disabled
    ModeGroup group = ModeGroup::None;
    SpinnerRow spinner;
    ShownAs shownAs = ShownAs::Significant7;
    bool assignButton = false;  // has an "Assign to all" button beside it
};

inline constexpr int kAssignButtonCount = 12;

// Row i describes value #(i+1). The two TV tables differ only in the spinner hints of the zoom factors.
const std::array<ValueRow, kTvValueCount>& tvValueRows(CamSet set);
const std::array<ValueRow, kPitValueCount>& pitValueRows();

} // namespace vp
