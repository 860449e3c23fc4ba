#include "options/OptionsRecord.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

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

} // namespace
} // namespace vp
