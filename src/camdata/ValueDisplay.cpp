#include "camdata/ValueDisplay.h"

#include "camdata/NumberText.h"

#include <algorithm>
#include <cmath>

namespace vp {

ShownValue shownValue(const ValueRow& row, ValueSlot value, char decimalSeparator)
{
    const float v = value.asFloat();
    switch (row.shownAs) {
    case ShownAs::Thousandths: {
        const float rounded = static_cast<float>(roundHalfEven(v, 3));
        return {formatSingle(rounded, decimalSeparator), roundHalfEven(static_cast<double>(rounded) * 1000.0, 0)};
    }
    case ShownAs::WholeDegrees: {
        const double degrees = static_cast<double>(v) * 180.0 / kPi;
        return {formatDouble(roundHalfEven(degrees, 0), decimalSeparator), roundHalfEven(roundHalfEven(degrees, 3), 0)};
    }
    case ShownAs::ModeText:
        return {formatSingle(v, decimalSeparator), std::nullopt};
    case ShownAs::Significant7: {
        // In double precision: a float above about 3.4e35 times 1000 would overflow to infinity.
        const double scaled = static_cast<double>(v) * 1000.0;
        const float shown = static_cast<float>(roundHalfEven(scaled, 3) / 1000.0);
        std::optional<double> position;
        // A step starts from the shown value, as on the TV tabs; the carried values have no spinner.
        if (row.spinner.unit == SpinnerUnit::Thousandths)
            position = roundHalfEven(roundHalfEven(v, 3) * 1000.0, 0);
        return {formatSingle(shown, decimalSeparator), position};
    }
    case ShownAs::Degrees3: {
        const double degrees = static_cast<double>(v) * 180.0 / kPi;
        return {formatDouble(roundHalfEven(static_cast<double>(v) * 180000.0 / kPi, 0) / 1000.0, decimalSeparator),
                roundHalfEven(roundHalfEven(degrees, 3), 0)};
    }
    }
    return {};
}

int fitSpinnerPosition(double position, int min, int max, int current)
{
    if (std::isnan(position))
        return current;
    return static_cast<int>(std::clamp(position, static_cast<double>(min), static_cast<double>(max)));
}

std::string modeText(bool fixed, char decimalSeparator)
{
    return fixed ? formatSingle(ValueSlot::fromInt(1).asFloat(), decimalSeparator) : std::string("0");
}

} // namespace vp
