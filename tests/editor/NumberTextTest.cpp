#include "editor/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace vp {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(RoundHalfEven(0.375, 2), 0.38);
}

TEST(RoundHalfEven, RoundsToDecimalPlaces)
{
    EXPECT_EQ(RoundHalfEven(100.61725, 3), 100.617);
    EXPECT_EQ(RoundHalfEven(1234.5678, 3), 1234.568);
    EXPECT_EQ(RoundHalfEven(12.3456, 3), 12.346);
    EXPECT_EQ(RoundHalfEven(45.3, 0), 45.0);
}

TEST(RoundHalfEven, LeavesHugeAndNonFiniteValuesAlone)
{
    EXPECT_EQ(RoundHalfEven(1e300, 3), 1e300);
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN(), 3)));
    EXPECT_EQ(RoundHalfEven(-std::numeric_limits<double>::infinity(), 0), -std::numeric_limits<double>::infinity());
}

TEST(FormatGeneral, SinglesShowAtMostSevenDigits)
{
    EXPECT_EQ(FormatSingle(12345.678F, '.'), "12345.68");
    EXPECT_EQ(FormatSingle(0.1F, '.'), "0.1");
    EXPECT_EQ(FormatSingle(-0.125F, '.'), "-0.125");
    EXPECT_EQ(FormatSingle(1234567.0F, '.'), "1234567");
    EXPECT_EQ(FormatSingle(static_cast<float>(RoundHalfEven(45.0F, 3)), '.'), "45");
}

TEST(FormatGeneral, DoublesShowAtMostFifteenDigits)
{
    EXPECT_EQ(FormatDouble(1234.5678, '.'), "1234.5678");
    EXPECT_EQ(FormatDouble(RoundHalfEven(1234.5678, 3), '.'), "1234.568");
    EXPECT_EQ(FormatDouble(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FormatDouble(123456789012345.0, '.'), "123456789012345");
}

TEST(FormatGeneral, ExponentOnlyForVeryLargeOrSmallMagnitudes)
{
    EXPECT_EQ(FormatSingle(std::bit_cast<float>(1), '.'), "1.401298E-45");
    EXPECT_EQ(FormatSingle(1e7F, '.'), "1E+07");
    EXPECT_EQ(FormatSingle(0.0001F, '.'), "0.0001");
    EXPECT_EQ(FormatSingle(0.00001F, '.'), "1E-05");
    EXPECT_EQ(FormatDouble(1e15, '.'), "1E+15");
}

TEST(FormatGeneral, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(FormatDouble(1234.568, ','), "1234,568");
    EXPECT_EQ(FormatSingle(0.1F, ','), "0,1");
    EXPECT_EQ(FormatSingle(std::bit_cast<float>(1), ','), "1,401298E-45");
}

TEST(FormatGeneral, ZeroOfEitherSignIsZero)
{
    EXPECT_EQ(FormatSingle(-0.0F, '.'), "0");
    EXPECT_EQ(FormatDouble(RoundHalfEven(-0.0001, 3), '.'), "0");
}

TEST(FormatGeneral, NonFiniteValuesGetReadableText)
{
    EXPECT_EQ(FormatSingle(std::numeric_limits<float>::quiet_NaN(), '.'), "NaN");
    EXPECT_EQ(FormatSingle(std::numeric_limits<float>::infinity(), '.'), "Infinity");
    EXPECT_EQ(FormatSingle(-std::numeric_limits<float>::infinity(), '.'), "-Infinity");
}

TEST(ParseNumber, ReadsPlainDecimalNumbers)
{
    EXPECT_EQ(ParseNumber("50000", '.'), 50000.0);
    EXPECT_EQ(ParseNumber("-0.5", '.'), -0.5);
    EXPECT_EQ(ParseNumber("+12.4", '.'), 12.4);
    EXPECT_EQ(ParseNumber("  360 ", '.'), 360.0);
    EXPECT_EQ(ParseNumber(".5", '.'), 0.5);
    EXPECT_EQ(ParseNumber("5.", '.'), 5.0);
    EXPECT_EQ(ParseNumber("1.401298E-45", '.'), 1.401298e-45);
    EXPECT_EQ(ParseNumber("2e3", '.'), 2000.0);
}

TEST(ParseNumber, FollowsTheDecimalSeparator)
{
    EXPECT_EQ(ParseNumber("1234,568", ','), 1234.568);
    EXPECT_EQ(ParseNumber("1,5E+02", ','), 150.0);
    EXPECT_EQ(ParseNumber("1.5", ','), std::nullopt);
    EXPECT_EQ(ParseNumber("1,5", '.'), std::nullopt);
}

TEST(ParseNumber, RefusesWhatIsNotANumber)
{
    for (const char* text : {"", "   ", "abc", "-", "+", ".", "1.2.3", "1,000.5", "12abc", "1e", "1e+", "--1",
                             "1 2", "NaN", "Infinity", "0x10", "1_000"})
        EXPECT_EQ(ParseNumber(text, '.'), std::nullopt) << '"' << text << '"';
}

TEST(ParseNumber, TooSmallBecomesZeroTooLargeIsRefused)
{
    EXPECT_EQ(ParseNumber("1e-400", '.'), 0.0);
    EXPECT_TRUE(std::signbit(*ParseNumber("-0.0000001e-400", '.')));
    EXPECT_EQ(ParseNumber("1e400", '.'), std::nullopt);
    EXPECT_EQ(ParseNumber("-1000e-2", '.'), -10.0);
}

TEST(ToSingle, RoundsIntoSinglePrecision)
{
    EXPECT_EQ(ToSingle(0.1), 0.1F);
    EXPECT_EQ(ToSingle(1e-50), 0.0F);
    EXPECT_EQ(ToSingle(-3.4028235e38), -std::numeric_limits<float>::max());
    // Just above the largest float, but still rounding to it.
    EXPECT_EQ(ToSingle(3.40282356e38), std::numeric_limits<float>::max());
}

TEST(ToSingle, RefusesBeyondTheSingleRange)
{
    EXPECT_EQ(ToSingle(3.5e38), std::nullopt);
    EXPECT_EQ(ToSingle(-1e300), std::nullopt);
    EXPECT_EQ(ToSingle(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(ToSingle(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}

} // namespace
} // namespace vp
