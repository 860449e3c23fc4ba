#pragma once
// A recorded click script: the left clicks the user made into GPL, each with its pause since the one
// before and its place on the 640 x 480 grid the script addresses. Slot 0 is never used; clicks 1
// to count are.

#include <array>
#include <cstdint>

namespace vp {

inline constexpr int kClickSlots = 256;
inline constexpr std::uint8_t kMaxClicks = 255;
inline constexpr std::int32_t kScriptWidth = 640;
inline constexpr std::int32_t kScriptHeight = 480;

struct ClickScript {
    std::uint8_t count = 0;
    // Milliseconds from the release of the click before (for the first: from the launch).
    std::array<std::int32_t, kClickSlots> intervals{};
    std::array<std::int32_t, kClickSlots> x{};
    std::array<std::int32_t, kClickSlots> y{};

    // All 255 clicks the count can name are taken.
    bool full() const { return count == kMaxClicks; }
    // Appends a click; false when the script is full.
    bool append(std::int32_t interval, std::int32_t atX, std::int32_t atY);

    friend bool operator==(const ClickScript&, const ClickScript&) = default;
};

} // namespace vp
