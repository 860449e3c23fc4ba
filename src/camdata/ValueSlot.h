#pragma once
// One 4-byte camera value. It is kept as raw bits and copied bit for bit; the float view and the
// integer view read the same 32 bits, and no conversion between them ever happens.

#include <bit>
#include <cstdint>

namespace vp {

class ValueSlot {
public:
    constexpr ValueSlot() = default;

    static constexpr ValueSlot fromBits(std::uint32_t bits) { return ValueSlot(bits); }
    static constexpr ValueSlot fromFloat(float value) { return ValueSlot(std::bit_cast<std::uint32_t>(value)); }
    static constexpr ValueSlot fromInt(std::int32_t value) { return ValueSlot(std::bit_cast<std::uint32_t>(value)); }

    constexpr std::uint32_t bits() const { return bits_; }
    constexpr float asFloat() const { return std::bit_cast<float>(bits_); }
    constexpr std::int32_t asInt() const { return std::bit_cast<std::int32_t>(bits_); }

    constexpr void setBits(std::uint32_t bits) { bits_ = bits; }
    constexpr void setFloat(float value) { bits_ = std::bit_cast<std::uint32_t>(value); }
    constexpr void setInt(std::int32_t value) { bits_ = std::bit_cast<std::uint32_t>(value); }

    // Bitwise: two NaNs with the same bits are equal, 0.0 and -0.0 are not.
    friend constexpr bool operator==(ValueSlot, ValueSlot) = default;

private:
    explicit constexpr ValueSlot(std::uint32_t bits) : bits_(bits) {}
    std::uint32_t bits_ = 0;
};

static_assert(sizeof(ValueSlot) == 4);

} // namespace vp
