#include "camdata/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace vp {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr float kInfF = std::numeric_limits<float>::infinity();
constexpr float kNanF = std::numeric_limits<float>::quiet_NaN();

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAtTheGivenPlaces)
{
    const struct { double value; int places; double rounded; } cases[] = {
        {2.5, 0, 2.0}, {3.5, 0, 4.0}, {-2.5, 0, -2.0}, {0.125, 2, 0.12}, {0.375, 2, 0.38},
        {100.61725, 3, 100.617}, {1234.5678, 3, 1234.568}, {12.3456, 3, 12.346}, {45.3, 0, 45.0}, {1e300, 3, 1e300}, {-kInf, 0, -kInf}};
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.value, c.places), c.rounded) << c.value << " to " << c.places;
    EXPECT_TRUE(std::isnan(roundHalfEven(std::numeric_limits<double>::quiet_NaN(), 3)));
}

TEST(FormatGeneral, SinglesSevenDigitsDoublesFifteenExponentOnlyAtTheExtremes)
{
    const std::pair<float, const char*> singles[] = {
        {12345.678F, "12345.68"}, {0.1F, "0.1"}, {-0.125F, "-0.125"}, {1234567.0F, "1234567"},
        {std::bit_cast<float>(1), "1.401298E-45"}, {1e7F, "1E+07"}, {0.0001F, "0.0001"}, {0.00001F, "1E-05"},
        {-0.0F, "0"}, {kNanF, "NaN"}, {kInfF, "Infinity"}, {-kInfF, "-Infinity"}};
    for (const auto& [value, shown] : singles)
        EXPECT_EQ(formatSingle(value, '.'), shown);
    const std::pair<double, const char*> doubles[] = {
        {1234.5678, "1234.5678"}, {roundHalfEven(1234.5678, 3), "1234.568"}, {0.1 + 0.2, "0.3"}, {123456789012345.0, "123456789012345"}, {1e15, "1E+15"},
        {roundHalfEven(-0.0001, 3), "0"}};
    for (const auto& [value, shown] : doubles)
        EXPECT_EQ(formatDouble(value, '.'), shown);
    EXPECT_EQ(formatDouble(1234.568, ','), "1234,568");
    EXPECT_EQ(formatSingle(std::bit_cast<float>(1), ','), "1,401298E-45");
}

TEST(FormatShortest, TextsThatReadBackAsTheSameFloatAndBitPatterns)
{
    const std::pair<float, const char*> cases[] = {
        {1234.5678F, "1234.5677"}, {0.1F, "0.1"}, {std::bit_cast<float>(1), "1E-45"}, {-0.0F, "-0"},
        {1e20F, "1E+20"}, {-12.5F, "-12.5"}, {kNanF, "NaN"}, {-kInfF, "-Infinity"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(formatShortest(value), text);
    for (const auto& [bits, text] : {std::pair{0x3F800000u, "0x3F800000"}, {1u, "0x00000001"}, {0xFFFFFFFFu, "0xFFFFFFFF"}})
        EXPECT_EQ(formatHex32(bits), text);
}

TEST(ParseNumber, ReadsDecimalNumbersWithTheGivenSeparator)
{
    const struct { const char* text; char separator; double value; } cases[] = {
        {"50000", '.', 50000.0}, {"-0.5", '.', -0.5}, {"+12.4", '.', 12.4}, {"  360 ", '.', 360.0},
        {".5", '.', 0.5}, {"5.", '.', 5.0}, {"1.401298E-45", '.', 1.401298e-45}, {"2e3", '.', 2000.0},
        {"-1000e-2", '.', -10.0}, {"1e-400", '.', 0.0}, {"1234,568", ',', 1234.568}, {"1,5E+02", ',', 150.0}};
    for (const auto& c : cases)
        EXPECT_EQ(parseNumber(c.text, c.separator), c.value) << c.text;
    EXPECT_TRUE(std::signbit(*parseNumber("-0.0000001e-400", '.')));
}

TEST(ParseNumber, RefusesWhatIsNotANumber)
{
    for (const char* text : {"", "   ", "abc", "-", "+", ".", "1.2.3", "1,000.5", "12abc", "1e", "1e+", "--1",
                             "1 2", "NaN", "Infinity", "0x10", "1_000", "1e400", "1,5"})
        EXPECT_EQ(parseNumber(text, '.'), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(parseNumber("1.5", ','), std::nullopt);
}

TEST(ToSingle, RoundsIntoSinglePrecisionAndRefusesBeyondIt)
{
    constexpr float kMax = std::numeric_limits<float>::max();
    EXPECT_EQ(toSingle(0.1), 0.1F);
    EXPECT_EQ(toSingle(1e-50), 0.0F);
    EXPECT_EQ(toSingle(-3.4028235e38), -kMax);
    EXPECT_EQ(toSingle(3.40282356e38), kMax) << "just above the largest float, but still rounding to it";
    for (double beyond : {3.4028235677973366e38 /* 2^128 - 2^103, rounds up */, 3.5e38, -1e300, kInf,
                          std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(toSingle(beyond), std::nullopt) << beyond;
}

} // namespace
} // namespace vp
