#include "options/OptionsRecord.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

TEST(OptionsRecord, DefaultSlotsHoldTheirExactBits)
{
    const auto slots = OptionsRecord::DefaultSlots();
    const std::uint32_t expected[12] = {0xBF800000, 0, 0x40000000, 0, 1, 0x3DCCCCCD, 0x3DCCCCCD, 0x3DCCCCCD,
                                        0, 0, 0, 0x3FC90FDB};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(slots[i].bits(), expected[i]) << "slot " << i;
    EXPECT_EQ(slots[4].asInt(), 1); // the fixed camera is an integer, not 1.0f
}

TEST(OptionsRecord, CopyAllButHeaderTakesEveryOtherField)
{
    OptionsRecord source;
    source.Header = "other";
    source.GPLPath = "/games/gpl";
    source.SafetyExit = false;
    source.DefaultValue[3] = ValueSlot::fromBits(0x7FC00001); // a NaN must come over bit for bit
    source.ClickCount = 3;
    source.ClickY[255] = -7;
    source.ShutdownDelay = 42;
    source.PlayScript = true;

    OptionsRecord target;
    target.copyAllButHeaderFrom(source);

    EXPECT_EQ(target.Header, kConfigHeader);
    target.Header = source.Header;
    EXPECT_EQ(target, source);
}

TEST(OptionsRecord, CopyFromItselfKeepsEverything)
{
    OptionsRecord record;
    record.GPLPath = "/games/gpl";
    const OptionsRecord before = record;
    record.copyAllButHeaderFrom(record);
    EXPECT_EQ(record, before);
}

} // namespace
} // namespace vp
