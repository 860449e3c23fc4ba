#include "camdata/CameraDocument.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vp {
namespace {

std::array<ValueSlot, 12> Defaults()
{
    std::array<ValueSlot, 12> d{};
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = ValueSlot::fromFloat(10.0f + static_cast<float>(i));
    d[0] = ValueSlot::fromFloat(-1.0f);
    d[kTvModeValue - 1] = ValueSlot::fromInt(1);
    d[6] = ValueSlot::fromBits(0x7FC01234);  // a NaN with payload must survive the copy
    return d;
}

TEST(CameraDocumentStartup, CameraOneTakesDefaultsBitForBit)
{
    const auto defaults = Defaults();
    const CameraDocument doc = CameraDocument::startup(defaults);
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        const CameraSet& set = doc.set(s);
        EXPECT_EQ(set.countField(), (CameraSet::CountField{1, 0, 0, 0}));
        const TvCameraRecord& first = set.camera(1);
        EXPECT_EQ(first.value(1).bits(), 0u);
        for (int k = 2; k <= 12; ++k)
            EXPECT_EQ(first.value(k), defaults[static_cast<std::size_t>(k - 1)]) << "value #" << k;
        EXPECT_EQ(first.value(kTvModeValue).asInt(), 1);
        EXPECT_EQ(first.value(13).bits(), 0u);
        EXPECT_EQ(first.value(14).bits(), 0u);
        for (int k = 2; k <= kCameraStorage; ++k)
            EXPECT_EQ(set.camera(k), TvCameraRecord{}) << "camera " << k;
    }
}

TEST(CameraDocumentStartup, HeaderAndPitCamera)
{
    const CameraDocument doc = CameraDocument::startup(Defaults());
    EXPECT_EQ(doc.header, (CameraDocument::Header{0x4D, 0x41, 0x43, 0x54, 0, 0, 0, 0, 0xAC, 0, 0, 0}));
    EXPECT_EQ(doc.headerLength(), 172u);
    for (int k = 1; k <= kPitValueCount; ++k)
        EXPECT_EQ(doc.pit.value(k).bits(), k == 9 ? 0xBE000000u : 0u) << "pit value #" << k;
}

TEST(CameraDocumentHeaderLength, FollowsBothCountsLittleEndian)
{
    CameraDocument doc;
    doc.header[4] = 0x99;
    doc.tv1.setCount(255);
    doc.tv2.setCount(255);
    UpdateHeaderLength(doc);
    EXPECT_EQ(doc.headerLength(), 28620u);
    EXPECT_EQ(doc.header[8], 0xCC);
    EXPECT_EQ(doc.header[9], 0x6F);
    EXPECT_EQ(doc.header[4], 0x99);

    doc.tv1.setCount(3);
    doc.tv2.setCount(2);
    UpdateHeaderLength(doc);
    EXPECT_EQ(doc.headerLength(), 340u);

    doc.tv1.setCount(0);
    doc.tv2.setCount(0);
    UpdateHeaderLength(doc);
    EXPECT_EQ(doc.headerLength(), 60u);
}

TEST(CameraSetCount, SetCountChangesByteZeroOnly)
{
    CameraSet set;
    set.countField() = {5, 0x7F, 0x01, 0x80};
    EXPECT_EQ(set.count(), 5);
    set.setCount(255);
    EXPECT_EQ(set.countField(), (CameraSet::CountField{255, 0x7F, 0x01, 0x80}));
    set.setCount(0);
    EXPECT_EQ(set.count(), 0);
}

TEST(CameraSetBounds, RejectsCameraNumbersAndCountsOutsideTheStorage)
{
    CameraSet set;
    EXPECT_NO_THROW(set.camera(kCameraStorage));
    EXPECT_THROW(set.camera(0), std::out_of_range);
    EXPECT_THROW(set.camera(kCameraStorage + 1), std::out_of_range);
    const CameraSet& constSet = set;
    EXPECT_THROW(constSet.camera(-1), std::out_of_range);
    EXPECT_THROW(set.setCount(256), std::out_of_range);
    EXPECT_THROW(set.setCount(-1), std::out_of_range);
    EXPECT_EQ(set.count(), 0);
}

} // namespace
} // namespace vp
