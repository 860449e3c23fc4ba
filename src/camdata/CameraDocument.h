#pragma once
// The content of one CAM file in memory: 12 raw header bytes, the TV1 and TV2 camera sets and the
// pit-lane camera. All storage is fixed and allocated once; nothing here allocates per camera.

#include "camdata/ValueSlot.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

namespace vp {

inline constexpr int kMaxCamerasPerSet = 255;   // the count is one byte
inline constexpr int kCameraStorage = 256;      // one spare record for shifting while inserting
inline constexpr int kTvValueCount = 14;
inline constexpr int kPitValueCount = 13;
inline constexpr int kTvModeValue = 5;          // value #5: integer 1 = fixed, 0 = moving

enum class CamSet { TV1, TV2 };

// "TV1" or "TV2", as messages and control names call the set.
constexpr const char* camSetName(CamSet set)
{
    return set == CamSet::TV1 ? "TV1" : "TV2";
}

// The index of member k (counted from 1) of n. Another k is a fault of the caller: asserted, and
// held to the nearest member where assertions are off, so that nothing outside is ever touched.
template <int N>
std::size_t recordIndex(int k)
{
    assert(k >= 1 && k <= N);
    return static_cast<std::size_t>(std::clamp(k, 1, N) - 1);
}

struct TvCameraRecord {
    std::array<ValueSlot, kTvValueCount> values{};
    // Value #k, k counted from 1 as the user sees it.
    ValueSlot& value(int k) { return values[recordIndex<kTvValueCount>(k)]; }
    const ValueSlot& value(int k) const { return values[recordIndex<kTvValueCount>(k)]; }
    friend bool operator==(const TvCameraRecord&, const TvCameraRecord&) = default;
};

struct PitCameraRecord {
    std::array<ValueSlot, kPitValueCount> values{};
    ValueSlot& value(int k) { return values[recordIndex<kPitValueCount>(k)]; }
    const ValueSlot& value(int k) const { return values[recordIndex<kPitValueCount>(k)]; }
    friend bool operator==(const PitCameraRecord&, const PitCameraRecord&) = default;
};

class CameraSet {
public:
    using CountField = std::array<std::uint8_t, 4>;

    // Byte 0 of the count field; bytes 1 to 3 are carried from the file and never interpreted.
    int count() const { return countField_[0]; }
    // Changes byte 0 only. n lies in 0..255 (see recordIndex for another n).
    void setCount(int n);

    // Camera k, 1 <= k <= 256 (see recordIndex for another k).
    TvCameraRecord& camera(int k);
    const TvCameraRecord& camera(int k) const;

    CountField& countField() { return countField_; }
    const CountField& countField() const { return countField_; }

    friend bool operator==(const CameraSet&, const CameraSet&) = default;

private:
    std::array<TvCameraRecord, kCameraStorage> cameras_{};
    CountField countField_{};
};

struct CameraDocument {
    using Header = std::array<std::uint8_t, 12>;

    Header header{};
    CameraSet tv1;
    CameraSet tv2;
    PitCameraRecord pit;

    CameraSet& set(CamSet s) { return s == CamSet::TV1 ? tv1 : tv2; }
    const CameraSet& set(CamSet s) const { return s == CamSet::TV1 ? tv1 : tv2; }

    // Header bytes 8..11 read as an unsigned little-endian number.
    std::uint32_t headerLength() const;

    // The document the program starts with: tag "MACT", four zero bytes, one camera per set whose
    // value #1 is 0 and values #2..#12 are defaultValues[1..11] bit for bit, #13/#14 zero, the pit
    // camera all zero but value #9 = -0.125, and the header length computed (172).
    static CameraDocument startup(const std::array<ValueSlot, 12>& defaultValues);

    friend bool operator==(const CameraDocument&, const CameraDocument&) = default;
};

// Header bytes 8..11 = 60 + 56 * (TV1 count + TV2 count), little-endian.
void updateHeaderLength(CameraDocument& doc);

} // namespace vp
