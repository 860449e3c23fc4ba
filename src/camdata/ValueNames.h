#pragma once
// Short names of the camera values for messages, column headings and exported tables ("distance",
// "yaw"), and the unit each is shown in. The fields' own captions are in the value tables.

#include "camdata/ValueTables.h"

#include <string>
#include <string_view>

namespace vp {

// Value #k (1..14) of a TV camera and value #k (1..13) of the pit-lane camera; empty for another k.
std::string_view tvValueName(int value);
std::string_view pitValueName(int value);

// Whether the value is shown in degrees (stored in radians): the angles, and the TV cameras'
// unknown values, which the display treats like angles.
bool shownInDegrees(const ValueRow& row);

// "m" for lengths, "deg" for values shown in degrees, empty for factors, the mode and plain numbers.
std::string_view shownUnit(const ValueRow& row);

// "#3 height": the number the user knows the value by and its name.
std::string valueLabel(int value, std::string_view name);

} // namespace vp
