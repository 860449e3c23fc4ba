#pragma once
// The twelve default-value boxes of the options dialog: what each accepts, what it is labelled and
// how it shows its slot. One table, so every box goes through the same reading and showing.

#include "camdata/ValueSlot.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vp {

enum class BoxDisplay {
    Plain,          // the shortest text of the float
    ThreeDecimals,  // rounded to 3 decimals, a half to the even neighbour
    WholeDegrees,   // radians in the slot, shown as whole degrees and typed in degrees
    CheckBox,       // slot 4: the integer 1 or 0, edited by the check box "Fixed"
};

struct DefaultValueBox {
    std::string_view tooltip;
    std::string_view unit;  // UTF-8
    float lowest;
    float highest;
    BoxDisplay shown;  // when the dialog opens
};

inline constexpr int kDefaultValueBoxCount = 12;
inline constexpr int kDistanceBox = 0;
inline constexpr int kFixedBox = 4;

// Box k (0..11) edits default-value slot k (camera value #k+1); bounds include both ends.
inline constexpr std::array<DefaultValueBox, kDefaultValueBoxCount> kDefaultValueBoxes{{
    {"Enter a number between 0 and 1000", "[m] before/behind the currently shown camera", 0.0F, 1000.0F, BoxDisplay::Plain},
    {"Enter a number between -200 and 200", "[m]", -200.0F, 200.0F, BoxDisplay::ThreeDecimals},
    {"Enter a number between 0 and 200", "[m]", 0.0F, 200.0F, BoxDisplay::ThreeDecimals},
    {"Enter a number between -10000 and 10000", "[m]", -10000.0F, 10000.0F, BoxDisplay::ThreeDecimals},
    {"", "", 0.0F, 0.0F, BoxDisplay::CheckBox},
    {"Enter a number between 0.001 and 10", "[-]", 0.001F, 10.0F, BoxDisplay::ThreeDecimals},
    {"Enter a number between 0.001 and 10", "[-]", 0.001F, 10.0F, BoxDisplay::ThreeDecimals},
    {"Enter a number between 0.001 and 10", "[-]", 0.001F, 10.0F, BoxDisplay::ThreeDecimals},
    {"Enter a number between -180 and 180", "[\xC2\xB0]", -180.0F, 180.0F, BoxDisplay::WholeDegrees},
    {"Enter a number between -180 and 180", "[\xC2\xB0]", -180.0F, 180.0F, BoxDisplay::WholeDegrees},
    {"Enter a number between -180 and 180", "[\xC2\xB0]", -180.0F, 180.0F, BoxDisplay::WholeDegrees},
    {"Enter a number between 0 and 180", "[\xC2\xB0]", 0.0F, 180.0F, BoxDisplay::WholeDegrees},
}};

// The text of box k (not the check box) for its slot as the dialog shows it on opening.
std::string defaultBoxText(int box, ValueSlot slot, char decimalSeparator);

// The text a refused entry is replaced with: degrees for the angle boxes, the plain number otherwise.
std::string refusedBoxText(int box, ValueSlot slot, char decimalSeparator);

// The slot a typed entry of box k (not the check box) becomes, or nothing when it is refused: no
// number, beyond the float range, or outside the box's bounds. Angles are typed in degrees and
// kept in radians.
std::optional<ValueSlot> readDefaultBox(int box, std::string_view text, char decimalSeparator);

} // namespace vp
