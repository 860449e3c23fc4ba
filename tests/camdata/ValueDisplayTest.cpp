// How stored values appear in the fields and where their spinners stand.

#include "camdata/ValueDisplay.h"

#include <gtest/gtest.h>

#include <limits>

namespace vp {
namespace {

constexpr float kRadiansPerDegree = static_cast<float>(3.14159265358979 / 180.0);

ShownValue Tv(int field, float value, char separator = '.')
{
    return shownValue(tvValueRows(CamSet::TV1).at(static_cast<std::size_t>(field)), ValueSlot::fromFloat(value), separator);
}

ShownValue Pit(int field, float value, char separator = '.')
{
    return shownValue(pitValueRows().at(static_cast<std::size_t>(field)), ValueSlot::fromFloat(value), separator);
}

TEST(ValueDisplay, TvFieldsShowThreeDecimalsOrWholeDegreesWithTheirSpinnerPosition)
{
    const struct { int field; float value; char separator; const char* text; double position; } cases[] = {
        {0, 1234.5678F, '.', "1234.568", 1234568.0}, {0, 1234.5678F, ',', "1234,568", 1234568.0},
        {0, 12345.678F, '.', "12345.68", 12345678.0}, {5, 0.1F, '.', "0.1", 100.0},
        {5, 0.0625F, '.', "0.062", 62.0}, {5, 0.1875F, '.', "0.188", 188.0}, {1, -12.5F, ',', "-12,5", -12500.0},
        {8, 45.3F * kRadiansPerDegree, '.', "45", 45.0}, {9, -90.0F * kRadiansPerDegree, '.', "-90", -90.0},
        {11, 1.5707964F, '.', "90", 90.0}, {13, 0.5F * kRadiansPerDegree, '.', "0", 0.0},
        // 13.4996 degrees: the field rounds to 13, the spinner first to 13.500 and then to 14.
        {8, 0.235612467F, '.', "13", 14.0}};
    for (const auto& c : cases) {
        const ShownValue shown = Tv(c.field, c.value, c.separator);
        EXPECT_EQ(shown.text, c.text) << c.field << ' ' << c.value;
        EXPECT_EQ(shown.spinnerPosition, c.position) << c.field << ' ' << c.value;
    }
}

TEST(ValueDisplay, TheModeIsItsSlotReadAsAFloat)
{
    const ValueRow& mode = tvValueRows(CamSet::TV2).at(4);
    EXPECT_EQ(shownValue(mode, ValueSlot::fromInt(1), ',').text, "1,401298E-45");
    EXPECT_EQ(shownValue(mode, ValueSlot::fromFloat(-0.0F), '.').text, "0");
    EXPECT_FALSE(shownValue(mode, ValueSlot::fromInt(1), '.').spinnerPosition);
    EXPECT_EQ(modeText(true, '.'), "1.401298E-45");
    EXPECT_EQ(modeText(false, ','), "0");
}

TEST(ValueDisplay, ThePitLaneShowsSevenDigitsAndDegreesWithThreeDecimals)
{
    EXPECT_EQ(Pit(6, 0.12345F, ',').text, "7,073");
    EXPECT_EQ(Pit(9, 3.5e35F).text, "3.5E+35") << "no overflow when scaled by 1000";
    EXPECT_EQ(Pit(12, -3.4028235e38F).text, "-3.402823E+38");
    EXPECT_EQ(Pit(0, 123.456F).spinnerPosition, 123456.0) << "a step starts from the shown value";
    EXPECT_EQ(Pit(6, 0.5F).spinnerPosition, 29.0);
    EXPECT_FALSE(Pit(8, -0.125F).spinnerPosition) << "a carried value has no spinner";
}

TEST(ValueDisplay, ValuesBeyondTheSpinnerStillShowAndTheSpinnerIsFitted)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Tv(0, 60000.0F).text, "60000");
    EXPECT_EQ(fitSpinnerPosition(*Tv(0, 60000.0F).spinnerPosition, 0, 50000000, 7), 50000000);
    EXPECT_EQ(fitSpinnerPosition(*Tv(12, -1.0F).spinnerPosition, 0, 180, 7), 0);
    EXPECT_EQ(Tv(0, nan).text, "NaN");
    EXPECT_EQ(fitSpinnerPosition(*Tv(0, nan).spinnerPosition, 0, 50000000, 7), 7) << "no position to go to";
    EXPECT_EQ(Tv(8, -inf).text, "-Infinity");
    EXPECT_EQ(fitSpinnerPosition(*Tv(8, -inf).spinnerPosition, -360, 360, 7), -360);
    EXPECT_EQ(Tv(0, 3.0e38F).text, "3E+38");
    EXPECT_EQ(fitSpinnerPosition(*Tv(8, 3.0e38F).spinnerPosition, -360, 360, 7), 360);
}

} // namespace
} // namespace vp
