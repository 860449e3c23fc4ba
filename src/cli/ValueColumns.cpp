#include "cli/ValueColumns.h"

#include "camdata/ValueDisplay.h"
#include "camdata/ValueNames.h"

#include <functional>

namespace vp::cli {

namespace {

template <std::size_t N>
std::vector<ValueColumn> columns(const std::array<ValueRow, N>& rows, const std::function<std::string_view(int)>& name)
{
    std::vector<ValueColumn> out;
    for (int value = 1; value <= static_cast<int>(N); ++value) {
        const ValueRow& row = rows[static_cast<std::size_t>(value - 1)];
        std::string heading = valueLabel(value, name(value));
        if (const std::string_view unit = shownUnit(row); !unit.empty())
            heading.append(" [").append(unit).append("]");
        out.push_back({value, &row, std::move(heading)});
    }
    return out;
}

} // namespace

const std::vector<ValueColumn>& tvColumns()
{
    static const std::vector<ValueColumn> kColumns = columns(tvValueRows(CamSet::TV1), tvValueName);
    return kColumns;
}

const std::vector<ValueColumn>& pitColumns()
{
    static const std::vector<ValueColumn> kColumns = columns(pitValueRows(), pitValueName);
    return kColumns;
}

std::string shownText(const ValueColumn& column, ValueSlot slot)
{
    if (column.row->kind == ValueKind::Mode)
        return slot.asFloat() != 0.0F ? "fixed" : "moving";
    return shownValue(*column.row, slot, '.').text;
}

std::string hexBytes(std::span<const std::uint8_t> bytes)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}

const char* setName(CamSet set)
{
    return set == CamSet::TV1 ? "TV1" : "TV2";
}

} // namespace vp::cli
