#include "camdata/ValueEditing.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

namespace vp {
namespace {

constexpr std::uint32_t kOddBits = 0x7FC01234; // a NaN payload: restored bits must be these exact bits

struct Bound { int field; std::optional<double> typed; bool accepted; };

class TvCommit : public ::testing::Test {
protected:
    TvCommit() { cameras.setCount(2); }

    ValueSlot& slot(int k) { return cameras.camera(2).value(k); }
    bool commit(int field, std::optional<double> typed, bool option = false) { return commitTvValue(cameras, 2, field, typed, option); }

    CameraSet cameras;
};

TEST_F(TvCommit, BoundsAreInclusiveAndAnglesAreCheckedAsSinglePrecisionRadians)
{
    // Beyond single precision, not a number, and the fields that cannot be edited are refused too.
    std::vector<Bound> bounds = {
        {0, 0, true}, {0, 50000, true}, {0, 50000.01, false}, {0, -0.5, false}, {0, std::nullopt, false}, {0, 1e39, false},
        {0, std::numeric_limits<double>::quiet_NaN(), false}, {1, -200, true}, {1, 200.001, false}, {2, -0.001, false},
        {3, -10000, true}, {3, 10000.001, false}, {4, 0, false}, {11, 0, true}, {11, 360, true}, {11, -1, false},
        {11, 360.0001, false}, {12, 0, false}, {13, 0, false}};
    for (int field : {5, 6, 7})
        bounds.insert(bounds.end(), {{field, 0, true}, {field, 10, true}, {field, 10.001, false}});
    for (int field : {8, 9, 10})
        bounds.insert(bounds.end(), {{field, 360, true}, {field, -360, true}, {field, 360.0001, false}, {field, -360.0001, false}});
    for (const Bound& b : bounds) {
        slot(b.field + 1) = ValueSlot::fromBits(kOddBits);
        EXPECT_EQ(commit(b.field, b.typed), b.accepted) << "field " << b.field << " typed " << b.typed.value_or(-1);
        if (!b.accepted) {
            EXPECT_EQ(slot(b.field + 1).bits(), kOddBits) << "field " << b.field << " typed " << b.typed.value_or(-1);
        }
    }
}

TEST_F(TvCommit, ChangeOverFollowsATypedDistanceWithinTenKilometresWhenTheOptionIsOn)
{
    const struct { float distance, changeOver; double typed; bool option, accepted; float expected; } cases[] = {
        {1000, 50, 1100, true, true, -50},     {9000, -9500, 500, true, true, -1000}, {20000, 0, 5000, true, true, 10000},
        {0, -5000, 8000, true, true, -10000},  {0, 0, 10000, true, true, -10000},     {1000, 50, 1100, false, true, 50},
        {1000, 50, 60000, true, false, 50}};
    for (const auto& c : cases) {
        slot(1).setFloat(c.distance);
        slot(4).setFloat(c.changeOver);
        EXPECT_EQ(commit(0, c.typed, c.option), c.accepted);
        EXPECT_EQ(slot(4).asFloat(), c.expected) << c.distance << " -> " << c.typed;
    }
    ASSERT_TRUE(commit(3, -20, true));
    EXPECT_EQ(slot(1).asFloat(), 1000.0F) << "a typed change-over does not move the distance";
}

TEST_F(TvCommit, SpinnerStepsStoreThePositionsValueButNotForTheModeOrTheLastValue)
{
    slot(4).setFloat(50);
    slot(5) = ValueSlot::fromInt(1);
    ASSERT_TRUE(stepTvValue(cameras, 2, 0, 1001000));
    EXPECT_EQ(slot(1).asFloat(), 1001.0F);
    EXPECT_EQ(slot(4).asFloat(), 50.0F) << "a stepped distance does not move the change-over point";
    ASSERT_TRUE(stepTvValue(cameras, 2, 5, 1));
    EXPECT_EQ(slot(6).asFloat(), 0.001F);
    ASSERT_TRUE(stepTvValue(cameras, 2, 12, 90));
    EXPECT_EQ(slot(13).asFloat(), 1.57079637F) << "90 degrees";
    EXPECT_FALSE(stepTvValue(cameras, 2, 4, 7));
    EXPECT_FALSE(stepTvValue(cameras, 2, 13, 7));
    EXPECT_EQ(slot(5), ValueSlot::fromInt(1));
    EXPECT_EQ(slot(14), ValueSlot{});

    PitCameraRecord pit;  // only its seven named values
    EXPECT_FALSE(stepPitValue(pit, 7, 5));
    EXPECT_EQ(pit.value(8), ValueSlot{});
}

TEST(PitCommit, EchoPutsAnglesOnWholeDegreesAndMetresOnMillimetres)
{
    PitCameraRecord pit;
    const struct { int field; double typed; int echo; float stored; } cases[] = {
        {3, 10.4, 10, 0.17453292F}, {3, 10.6, 11, 0.191986218F}, {0, 12.3456, 12346, 12.346F},
        {1, -49999.9996, -50000000, -50000.0F}};
    for (const auto& c : cases) {
        const PitCommit result = commitPitValue(pit, c.field, c.typed);
        ASSERT_EQ(result.echo, c.echo) << c.typed;
        // The window positions the spinner at the echo, which stores again.
        EXPECT_TRUE(stepPitValue(pit, c.field, *result.echo));
        EXPECT_EQ(pit.value(c.field + 1).asFloat(), c.stored) << c.typed;
    }
}

TEST(PitCommit, BoundsAreInclusiveAndARefusalRestoresTheBitsWithoutEcho)
{
    PitCameraRecord pit;
    std::vector<Bound> bounds = {{2, 200, true}, {2, -0.001, false}, {6, 0, true}, {6, -1, false}, {8, 3, false}, {0, std::nullopt, false}};
    for (int field : {0, 1})
        bounds.insert(bounds.end(), {{field, 50000, true}, {field, -50000, true}, {field, 50000.01, false}});
    for (int field : {3, 4, 5})
        bounds.insert(bounds.end(), {{field, -360, true}, {field, 360.0001, false}});
    for (const Bound& b : bounds) {
        pit.value(b.field + 1) = ValueSlot::fromBits(kOddBits);
        const PitCommit result = commitPitValue(pit, b.field, b.typed);
        EXPECT_EQ(result.accepted, b.accepted) << "field " << b.field << " typed " << b.typed.value_or(-1);
        if (!b.accepted) {
            EXPECT_EQ(result.echo, std::nullopt);
            EXPECT_EQ(pit.value(b.field + 1).bits(), kOddBits) << "field " << b.field;
        }
    }
}

} // namespace
} // namespace vp
