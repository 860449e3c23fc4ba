#pragma once
// The values of a camera as columns of the tool's tables: their headings, the text the editor shows
// for them, and the bytes of the raw file fields as hex.

#include "camdata/CameraDocument.h"
#include "camdata/ValueTables.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vp::cli {

struct ValueColumn {
    int value = 0;  // #1..#14, pit lane #1..#13
    const ValueRow* row = nullptr;
    std::string heading;  // "#1 distance [m]"
};

// The two TV sets follow the same rules; their columns are the same.
const std::vector<ValueColumn>& tvColumns();
const std::vector<ValueColumn>& pitColumns();

// The value as the editor shows it, with '.' as the separator; the mode as "fixed" or "moving", by
// the display's rule (fixed when the slot read as a float is not zero).
std::string shownText(const ValueColumn& column, ValueSlot slot);

// "4D 41 43 54"
std::string hexBytes(std::span<const std::uint8_t> bytes);

// "TV1", "TV2"
const char* setName(CamSet set);

} // namespace vp::cli
