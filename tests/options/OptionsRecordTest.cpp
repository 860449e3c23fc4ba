#include "options/OptionsRecord.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

TEST(OptionsRecord, CopyAllButHeaderTakesEveryOtherField)
{
    OptionsRecord source;
    source.header = "other";
    source.gplFolder = "/games/gpl";
    source.askBeforeExit = false;
    source.defaultValues[3] = ValueSlot::fromBits(0x7FC00001); // a NaN must come over bit for bit
    source.script.count = 3;
    source.script.y[255] = -7;
    source.shutdownDelay = 42;
    source.playScript = true;

    OptionsRecord target;
    target.copyAllButHeaderFrom(source);

    EXPECT_EQ(target.header, kConfigHeader);
    target.header = source.header;
    EXPECT_EQ(target, source);
}

} // namespace
} // namespace vp
