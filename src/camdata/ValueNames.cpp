#include "camdata/ValueNames.h"

#include <array>

namespace vp {

namespace {

constexpr std::array<std::string_view, kTvValueCount> kTvNames = {
    "distance", "offset", "height", "change-over", "mode", "initial zoom", "first-part zoom",
    "second-part zoom", "yaw", "pitch", "bank", "opening angle", "unknown", "unknown"};

constexpr std::array<std::string_view, kPitValueCount> kPitNames = {
    "x", "y", "z", "yaw", "pitch", "bank", "opening angle", "leave at 0", "leave at -0.125",
    "unknown", "unknown", "unknown", "unknown"};

template <std::size_t N>
std::string_view nameAt(const std::array<std::string_view, N>& names, int value)
{
    return value >= 1 && value <= static_cast<int>(N) ? names[static_cast<std::size_t>(value - 1)] : std::string_view();
}

} // namespace

std::string_view tvValueName(int value)
{
    return nameAt(kTvNames, value);
}

std::string_view pitValueName(int value)
{
    return nameAt(kPitNames, value);
}

bool shownInDegrees(const ValueRow& row)
{
    return row.shownAs == ShownAs::WholeDegrees || row.shownAs == ShownAs::Degrees3;
}

std::string_view shownUnit(const ValueRow& row)
{
    if (shownInDegrees(row))
        return "deg";
    return row.kind == ValueKind::Metres ? "m" : "";
}

std::string valueLabel(int value, std::string_view name)
{
    std::string label(1, '#');
    label.append(std::to_string(value)).append(1, ' ').append(name);
    return label;
}

} // namespace vp
