#include "editor/ValueDisplay.h"

#include "editor/NumberText.h"

#include <algorithm>
#include <cmath>

namespace vp {

ShownValue ShowValue(const ValueRow& row, ValueSlot value, char decimalSeparator)
{
    const float v = value.asFloat();
    switch (row.shownAs) {
    case ShownAs::Thousandths: {
        const float rounded = static_cast<float>(RoundHalfEven(v, 3));
        return {FormatSingle(rounded, decimalSeparator), RoundHalfEven(static_cast<double>(rounded) * 1000.0, 0)};
    }
    case ShownAs::WholeDegrees: {
        const double degrees = static_cast<double>(v) * 180.0 / kPi;
        return {FormatDouble(RoundHalfEven(degrees, 0), decimalSeparator), RoundHalfEven(RoundHalfEven(degrees, 3), 0)};
    }
    case ShownAs::ModeText:
        return {FormatSingle(v, decimalSeparator), std::nullopt};
    case ShownAs::Significant7: {
        // In double precision: a float above about 3.4e35 times 1000 would overflow to infinity.
        const double scaled = static_cast<double>(v) * 1000.0;
        const float shown = static_cast<float>(RoundHalfEven(scaled, 3) / 1000.0);
        std::optional<double> position;
        // A step starts from the shown value, as on the TV tabs; the carried values have no spinner.
        if (row.spinner.unit == SpinnerUnit::Thousandths)
            position = RoundHalfEven(RoundHalfEven(v, 3) * 1000.0, 0);
        return {FormatSingle(shown, decimalSeparator), position};
    }
    case ShownAs::Degrees3: {
        const double degrees = static_cast<double>(v) * 180.0 / kPi;
        return {FormatDouble(RoundHalfEven(static_cast<double>(v) * 180000.0 / kPi, 0) / 1000.0, decimalSeparator),
                RoundHalfEven(RoundHalfEven(degrees, 3), 0)};
    }
    }
    return {};
}

int FitSpinnerPosition(double position, int min, int max, int current)
{
    if (std::isnan(position))
        return current;
    return static_cast<int>(std::clamp(position, static_cast<double>(min), static_cast<double>(max)));
}

std::string ModeText(bool fixed, char decimalSeparator)
{
    return fixed ? FormatSingle(ValueSlot::fromInt(1).asFloat(), decimalSeparator) : std::string("0");
}

} // namespace vp
