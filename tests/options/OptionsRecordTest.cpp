#include "options/DefaultValueBoxes.h"
#include "options/OptionsRecord.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vp {
namespace {

TEST(OptionsRecord, CopyAllButHeaderTakesEveryOtherField)
{
    OptionsRecord source, target;
    std::tie(source.header, source.gplFolder, source.askBeforeExit, source.script.count, source.script.y[255], source.shutdownDelay, source.playScript) =
        std::tuple("other", "/games/gpl", false, 3, -7, 42, true);
    source.defaultValues[3] = ValueSlot::fromBits(0x7FC00001); // a NaN must come over bit for bit
    target.copyAllButHeaderFrom(source);
    EXPECT_EQ(target.header, kConfigHeader);
    target.header = source.header;
    EXPECT_EQ(target, source);
}

TEST(DefaultValueBoxes, ATypedTextIsTakenWithinTheBoxesBoundsAnglesInDegrees)
{
    // Box, typed text, decimal separator, the value stored (none: refused).
    const std::tuple<int, const char*, char, std::optional<ValueSlot>> cases[] = {
        {0, "0", '.', ValueSlot::fromFloat(0.0F)},     {0, "1000", '.', ValueSlot::fromFloat(1000.0F)},
        {0, "1500", '.', std::nullopt},                {0, "abc", '.', std::nullopt},
        {0, "", '.', std::nullopt},                    {6, "0.001", '.', ValueSlot::fromFloat(0.001F)},
        {7, "10", '.', ValueSlot::fromFloat(10.0F)},   {5, "0.0009", '.', std::nullopt},
        {6, "10.5", '.', std::nullopt},                {11, "90", '.', ValueSlot::fromFloat(1.57079637F)},
        {8, "-180", '.', ValueSlot::fromFloat(-3.14159274F)}, {8, "-181", '.', std::nullopt},
        {5, "2,5", ',', ValueSlot::fromFloat(2.5F)},   {5, "0.5", ',', std::nullopt},
    };
    for (const auto& [box, typed, separator, stored] : cases)
        EXPECT_EQ(readDefaultBox(box, typed, separator), stored) << box << " " << typed;
}

TEST(DefaultValueBoxes, LengthsShowThreeDecimalsAnglesWholeDegreesARefusalThePlainNumber)
{
    // Box, value stored, decimal separator, the text shown, the text after a refusal.
    const std::tuple<int, float, char, const char*, const char*> cases[] = {
        {1, 0.0625F, '.', "0.062", "0.0625"}, {3, -1234.56789F, '.', "-1234.568", "-1234.568"},
        {8, 0.785398185F, '.', "45", "45"},   {5, 0.1F, ',', "0,1", "0,1"}, {0, 0.25F, '.', "0.25", "0.25"},
    };
    for (const auto& [box, stored, separator, shown, afterRefusal] : cases) {
        EXPECT_EQ(defaultBoxText(box, ValueSlot::fromFloat(stored), separator), shown) << box;
        EXPECT_EQ(refusedBoxText(box, ValueSlot::fromFloat(stored), separator), afterRefusal) << box;
    }
}

} // namespace
} // namespace vp
