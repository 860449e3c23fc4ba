#include "options/DefaultValueBoxes.h"

#include "camdata/NumberText.h"

#include <algorithm>
#include <cassert>

namespace vp {

namespace {

// The dialog asks only for its own boxes: another number is a fault of the caller, asserted, and
// held to the nearest box where assertions are off.
const DefaultValueBox& boxSpec(int box)
{
    assert(box >= 0 && box < kDefaultValueBoxCount);
    return kDefaultValueBoxes[static_cast<std::size_t>(std::clamp(box, 0, kDefaultValueBoxCount - 1))];
}

// Seven significant digits: the shortest text of a single-precision value.
constexpr int kSingleDigits = 7;

double toDegrees(float radians)
{
    return static_cast<double>(radians) * 180.0 / kPi;
}

std::string wholeDegreesText(ValueSlot slot, char decimalSeparator)
{
    return formatGeneral(roundHalfEven(toDegrees(slot.asFloat())), kSingleDigits, decimalSeparator);
}

} // namespace

std::string defaultBoxText(int box, ValueSlot slot, char decimalSeparator)
{
    switch (boxSpec(box).shown) {
    case BoxDisplay::ThreeDecimals:
        return formatGeneral(roundHalfEven(slot.asFloat(), 3), kSingleDigits, decimalSeparator);
    case BoxDisplay::WholeDegrees:
        return wholeDegreesText(slot, decimalSeparator);
    case BoxDisplay::Plain:
    case BoxDisplay::CheckBox:
        break;
    }
    return formatSingle(slot.asFloat(), decimalSeparator);
}

std::string refusedBoxText(int box, ValueSlot slot, char decimalSeparator)
{
    if (boxSpec(box).shown == BoxDisplay::WholeDegrees)
        return wholeDegreesText(slot, decimalSeparator);
    return formatSingle(slot.asFloat(), decimalSeparator);
}

std::optional<ValueSlot> readDefaultBox(int box, std::string_view text, char decimalSeparator)
{
    const DefaultValueBox& spec = boxSpec(box);
    const std::optional<double> number = parseNumber(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    const std::optional<float> typed = toSingle(*number);
    if (!typed || *typed < spec.lowest || *typed > spec.highest)
        return std::nullopt;
    if (spec.shown != BoxDisplay::WholeDegrees)
        return ValueSlot::fromFloat(*typed);
    return ValueSlot::fromFloat(static_cast<float>(static_cast<double>(*typed) * kPi / 180.0));
}

} // namespace vp
