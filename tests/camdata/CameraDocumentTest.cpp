#include "camdata/CameraDocument.h"

#include <gtest/gtest.h>

#include <utility>

namespace vp {
namespace {

TEST(CameraDocumentStartup, CameraOneTakesDefaultsBitForBit)
{
    std::array<ValueSlot, 12> defaults{};
    for (std::size_t i = 0; i < defaults.size(); ++i)
        defaults[i] = ValueSlot::fromFloat(10.0f + static_cast<float>(i));
    defaults[6] = ValueSlot::fromBits(0x7FC01234); // a NaN with payload must survive the copy
    const CameraDocument doc = CameraDocument::startup(defaults);
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        const TvCameraRecord& first = doc.set(s).camera(1);
        EXPECT_EQ(first.value(1).bits(), 0u);
        for (int k = 2; k <= 12; ++k)
            EXPECT_EQ(first.value(k), defaults[static_cast<std::size_t>(k - 1)]) << "value #" << k;
        EXPECT_EQ(first.value(13).bits(), 0u);
        for (int k = 2; k <= kCameraStorage; ++k)
            EXPECT_EQ(doc.set(s).camera(k), TvCameraRecord{}) << "camera " << k;
    }
}

TEST(CameraDocumentHeaderLength, FollowsBothCountsLittleEndian)
{
    CameraDocument doc;
    doc.header[4] = 0x99;
    const struct { int c1, c2; std::uint32_t length; } cases[] = {{3, 2, 340u}, {0, 0, 60u}, {255, 255, 28620u}};
    for (const auto& c : cases) {
        doc.tv1.setCount(c.c1);
        doc.tv2.setCount(c.c2);
        updateHeaderLength(doc);
        EXPECT_EQ(doc.headerLength(), c.length);
    }
    EXPECT_EQ(doc.header, (CameraDocument::Header{0, 0, 0, 0, 0x99, 0, 0, 0, 0xCC, 0x6F, 0, 0}));
}

TEST(CameraSet, CountChangesByteZeroOnlyAndStaysInTheStorage)
{
    CameraSet set;
    set.countField() = {5, 0x7F, 0x01, 0x80};
    EXPECT_EQ(set.count(), 5);
    set.setCount(255);
    EXPECT_EQ(set.countField(), (CameraSet::CountField{255, 0x7F, 0x01, 0x80}));

    // Beyond the storage or the count byte is a fault of the caller: asserted, and held to the
    // nearest record or count where assertions are off.
    set.camera(kCameraStorage).value(1).setFloat(7.0F);
    EXPECT_DEBUG_DEATH(EXPECT_EQ(std::as_const(set).camera(kCameraStorage + 1).value(1).asFloat(), 7.0F), "k >= 1");
    EXPECT_DEBUG_DEATH(set.camera(0), "k >= 1");
    EXPECT_DEBUG_DEATH(set.setCount(-1), "n >= 0");
    EXPECT_DEBUG_DEATH(set.setCount(256), "n >= 0");
    EXPECT_EQ(set.count(), 255);
}

} // namespace
} // namespace vp
