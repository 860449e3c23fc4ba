#include "options/DefaultValueBoxes.h"

#include "editor/NumberText.h"

namespace vp {

namespace {

// Seven significant digits: the shortest text of a single-precision value.
constexpr int kSingleDigits = 7;

double ToDegrees(float radians)
{
    return static_cast<double>(radians) * 180.0 / kPi;
}

std::string WholeDegreesText(ValueSlot slot, char decimalSeparator)
{
    return FormatGeneral(RoundHalfEven(ToDegrees(slot.asFloat())), kSingleDigits, decimalSeparator);
}

} // namespace

std::string DefaultBoxText(int box, ValueSlot slot, char decimalSeparator)
{
    switch (kDefaultValueBoxes.at(static_cast<std::size_t>(box)).shown) {
    case BoxDisplay::ThreeDecimals:
        return FormatGeneral(RoundHalfEven(slot.asFloat(), 3), kSingleDigits, decimalSeparator);
    case BoxDisplay::WholeDegrees:
        return WholeDegreesText(slot, decimalSeparator);
    case BoxDisplay::Plain:
    case BoxDisplay::CheckBox:
        break;
    }
    return FormatSingle(slot.asFloat(), decimalSeparator);
}

std::string RefusedBoxText(int box, ValueSlot slot, char decimalSeparator)
{
    if (kDefaultValueBoxes.at(static_cast<std::size_t>(box)).shown == BoxDisplay::WholeDegrees)
        return WholeDegreesText(slot, decimalSeparator);
    return FormatSingle(slot.asFloat(), decimalSeparator);
}

std::optional<ValueSlot> ReadDefaultBox(int box, std::string_view text, char decimalSeparator)
{
    const DefaultValueBox& spec = kDefaultValueBoxes.at(static_cast<std::size_t>(box));
    const std::optional<double> number = ParseNumber(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    const std::optional<float> typed = ToSingle(*number);
    if (!typed || *typed < spec.lowest || *typed > spec.highest)
        return std::nullopt;
    if (spec.shown != BoxDisplay::WholeDegrees)
        return ValueSlot::fromFloat(*typed);
    return ValueSlot::fromFloat(static_cast<float>(static_cast<double>(*typed) * kPi / 180.0));
}

} // namespace vp
