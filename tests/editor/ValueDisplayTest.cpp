// How stored values appear in the fields and where their spinners stand.

#include "editor/ValueDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vp {
namespace {

constexpr float kRadiansPerDegree = static_cast<float>(3.14159265358979 / 180.0);

ShownValue Tv(int field, float value, char separator = '.')
{
    return ShowValue(TvValueRows(CamSet::TV1).at(static_cast<std::size_t>(field)), ValueSlot::fromFloat(value), separator);
}

ShownValue Pit(int field, float value, char separator = '.')
{
    return ShowValue(PitValueRows().at(static_cast<std::size_t>(field)), ValueSlot::fromFloat(value), separator);
}

TEST(ValueDisplay, LengthsAndFactorsShowThreeDecimalsInSinglePrecision)
{
    EXPECT_EQ(Tv(0, 1234.5678F).text, "1234.568");
    EXPECT_EQ(Tv(0, 1234.5678F).spinnerPosition, 1234568.0);
    EXPECT_EQ(Tv(0, 12345.678F).text, "12345.68");
    EXPECT_EQ(Tv(5, 0.1F).text, "0.1");
    EXPECT_EQ(Tv(5, 0.1F).spinnerPosition, 100.0);
    EXPECT_EQ(Tv(5, 0.0625F).text, "0.062") << "half to even at the third decimal";
    EXPECT_EQ(Tv(5, 0.1875F).text, "0.188");
    EXPECT_EQ(Tv(1, -12.5F, ',').text, "-12,5");
    EXPECT_EQ(Tv(0, 1234.5678F, ',').text, "1234,568");
}

TEST(ValueDisplay, AnglesShowWholeDegrees)
{
    EXPECT_EQ(Tv(8, 45.3F * kRadiansPerDegree).text, "45");
    EXPECT_EQ(Tv(8, 45.3F * kRadiansPerDegree).spinnerPosition, 45.0);
    EXPECT_EQ(Tv(9, -90.0F * kRadiansPerDegree).text, "-90");
    EXPECT_EQ(Tv(11, 1.5707964F).text, "90");
    EXPECT_EQ(Tv(13, 0.5F * kRadiansPerDegree).spinnerPosition, 0.0) << "a half degree goes to the even neighbour";
}

TEST(ValueDisplay, TheModeIsItsSlotReadAsAFloat)
{
    const ValueRow& mode = TvValueRows(CamSet::TV2).at(4);
    EXPECT_EQ(ShowValue(mode, ValueSlot::fromInt(1), '.').text, "1.401298E-45");
    EXPECT_EQ(ShowValue(mode, ValueSlot::fromInt(1), ',').text, "1,401298E-45");
    EXPECT_EQ(ShowValue(mode, ValueSlot::fromInt(0), '.').text, "0");
    EXPECT_EQ(ShowValue(mode, ValueSlot::fromFloat(-0.0F), '.').text, "0");
    EXPECT_FALSE(ShowValue(mode, ValueSlot::fromInt(1), '.').spinnerPosition);
    EXPECT_EQ(ModeText(true, ','), "1,401298E-45");
    EXPECT_EQ(ModeText(false, ','), "0");
}

TEST(ValueDisplay, ThePitLaneShowsSevenDigitsAndDegreesWithThreeDecimals)
{
    EXPECT_EQ(Pit(3, 0.7854F).text, "45");
    EXPECT_EQ(Pit(3, 0.12345F).text, "7.073");
    EXPECT_EQ(Pit(6, 0.12345F, ',').text, "7,073");
    EXPECT_EQ(Pit(8, -0.125F).text, "-0.125");
    EXPECT_EQ(Pit(0, 123.456F).text, "123.456");
    EXPECT_EQ(Pit(0, 12345.6789F).text, "12345.68");
    EXPECT_FALSE(Pit(0, 123.456F).spinnerPosition) << "showing the pit lane never moves its spinners";
}

TEST(ValueDisplay, ValuesBeyondTheSpinnerStillShowAndTheSpinnerIsFitted)
{
    EXPECT_EQ(Tv(0, 60000.0F).text, "60000");
    EXPECT_EQ(FitSpinnerPosition(*Tv(0, 60000.0F).spinnerPosition, 0, 50000000, 7), 50000000);
    EXPECT_EQ(FitSpinnerPosition(*Tv(12, -1.0F).spinnerPosition, 0, 180, 7), 0);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(Tv(0, nan).text, "NaN");
    EXPECT_EQ(FitSpinnerPosition(*Tv(0, nan).spinnerPosition, 0, 50000000, 7), 7) << "no position to go to";
    EXPECT_EQ(Tv(8, -inf).text, "-Infinity");
    EXPECT_EQ(FitSpinnerPosition(*Tv(8, -inf).spinnerPosition, -360, 360, 7), -360);
    EXPECT_EQ(Tv(0, 3.0e38F).text, "3E+38");
    EXPECT_EQ(FitSpinnerPosition(*Tv(8, 3.0e38F).spinnerPosition, -360, 360, 7), 360);
}

} // namespace
} // namespace vp
