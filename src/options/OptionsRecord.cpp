#include "options/OptionsRecord.h"

#include "remote/ScriptCommands.h"

#include <utility>

namespace vp {

void OptionsRecord::copyAllButHeaderFrom(const OptionsRecord& other)
{
    // Copy the whole record so that a field added later cannot be forgotten here.
    std::string kept = header;
    *this = other;
    header = std::move(kept);
}

ScriptSettings OptionsRecord::scriptSettings() const
{
    return {gplFolder, shutdownDelay, showInformation, askBeforeNewScript};
}

std::array<ValueSlot, 12> OptionsRecord::factoryDefaults()
{
    constexpr double pi = 3.14159265358979;
    return {
        ValueSlot::fromFloat(kPlaceInMiddle),
        ValueSlot::fromFloat(0.0F),
        ValueSlot::fromFloat(2.0F),
        ValueSlot::fromFloat(0.0F),
        ValueSlot::fromInt(1), // fixed camera: an integer in the slot, not a float
        ValueSlot::fromFloat(0.1F),
        ValueSlot::fromFloat(0.1F),
        ValueSlot::fromFloat(0.1F),
        ValueSlot::fromFloat(0.0F),
        ValueSlot::fromFloat(0.0F),
        ValueSlot::fromFloat(0.0F),
        ValueSlot::fromFloat(static_cast<float>(pi / 2)),
    };
}

} // namespace vp
