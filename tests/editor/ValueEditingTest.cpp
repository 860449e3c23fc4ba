#include "editor/ValueEditing.h"

#include "editor/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

namespace vp {
namespace {

constexpr std::uint32_t kOddBits = 0x7FC01234; // a NaN payload: restored bits must be these exact bits

class TvCommit : public ::testing::Test {
protected:
    TvCommit() { cameras.setCount(2); }

    ValueSlot& slot(int k) { return cameras.camera(2).value(k); }
    bool commit(int field, std::optional<double> typed, bool fixedSwitchOver = false)
    {
        return CommitTvValue(cameras, 2, field, typed, fixedSwitchOver);
    }
    // Commits into a slot holding kOddBits and reports whether the number was accepted.
    bool accepts(int field, double typed)
    {
        slot(field + 1) = ValueSlot::fromBits(kOddBits);
        const bool accepted = commit(field, typed);
        if (!accepted) {
            EXPECT_EQ(slot(field + 1).bits(), kOddBits) << "field " << field << " typed " << typed;
        }
        return accepted;
    }

    CameraSet cameras;
};

TEST_F(TvCommit, LengthsAndFactorsAcceptTheirBoundsInclusive)
{
    EXPECT_TRUE(accepts(0, 0));
    EXPECT_TRUE(accepts(0, 50000));
    EXPECT_FALSE(accepts(0, 50000.01));
    EXPECT_FALSE(accepts(0, -0.5));
    EXPECT_TRUE(accepts(1, -200));
    EXPECT_FALSE(accepts(1, 200.001));
    EXPECT_FALSE(accepts(2, -0.001));
    EXPECT_TRUE(accepts(3, -10000));
    EXPECT_FALSE(accepts(3, 10000.001));
    for (int field : {5, 6, 7}) {
        EXPECT_TRUE(accepts(field, 0));
        EXPECT_TRUE(accepts(field, 10));
        EXPECT_FALSE(accepts(field, 10.001));
    }
}

TEST_F(TvCommit, StoresTheTypedNumberInSinglePrecision)
{
    ASSERT_TRUE(commit(0, 1234.5678));
    EXPECT_EQ(slot(1).asFloat(), 1234.5678F);
    ASSERT_TRUE(commit(5, 0.1));
    EXPECT_EQ(slot(6).asFloat(), 0.1F);
}

TEST_F(TvCommit, AnglesAreCheckedAsSinglePrecisionRadians)
{
    for (int field : {8, 9, 10}) {
        EXPECT_TRUE(accepts(field, 360));
        EXPECT_TRUE(accepts(field, -360));
        EXPECT_FALSE(accepts(field, 360.0001));
        EXPECT_FALSE(accepts(field, -360.0001));
        EXPECT_FALSE(accepts(field, 361));
    }
    EXPECT_TRUE(accepts(11, 0));
    EXPECT_TRUE(accepts(11, 360));
    EXPECT_FALSE(accepts(11, -1));
    EXPECT_FALSE(accepts(11, 360.0001));
}

TEST_F(TvCommit, AnglesAreStoredAsRadians)
{
    ASSERT_TRUE(commit(8, 12.4));
    EXPECT_EQ(slot(9).asFloat(), static_cast<float>((static_cast<double>(12.4F) * kPi) / 180.0));
    ASSERT_TRUE(commit(11, 360));
    EXPECT_EQ(slot(12).asFloat(), 6.2831855F);
    ASSERT_TRUE(commit(9, 45));
    EXPECT_EQ(slot(10).asFloat(), DegreesToRadians(45));
}

TEST_F(TvCommit, NonNumbersAndUneditableFieldsAreRefused)
{
    slot(1) = ValueSlot::fromBits(kOddBits);
    EXPECT_FALSE(commit(0, std::nullopt));
    EXPECT_FALSE(commit(0, 1e39)); // beyond single precision
    EXPECT_FALSE(commit(0, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(slot(1).bits(), kOddBits);
    for (int field : {4, 12, 13}) {
        slot(field + 1) = ValueSlot::fromInt(1);
        EXPECT_FALSE(commit(field, 0));
        EXPECT_EQ(slot(field + 1), ValueSlot::fromInt(1));
    }
    EXPECT_THROW(commit(14, 0), std::out_of_range);
}

struct ChangeOverCase {
    float distance;
    float changeOver;
    double typed;
    float expected;
};

class ChangeOver : public TvCommit, public ::testing::WithParamInterface<ChangeOverCase> {};

TEST_P(ChangeOver, FollowsATypedDistanceWithinTenKilometres)
{
    const ChangeOverCase c = GetParam();
    slot(1).setFloat(c.distance);
    slot(4).setFloat(c.changeOver);
    ASSERT_TRUE(commit(0, c.typed, true));
    EXPECT_EQ(slot(4).asFloat(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(TvCommit, ChangeOver,
                         ::testing::Values(ChangeOverCase{1000, 50, 1100, -50}, ChangeOverCase{9000, -9500, 500, -1000},
                                           ChangeOverCase{20000, 0, 5000, 10000},
                                           ChangeOverCase{0, -5000, 8000, -10000},
                                           ChangeOverCase{0, 0, 10000, -10000}));

TEST_F(TvCommit, ChangeOverStaysWhenTheOptionIsOffOrTheDistanceIsRefused)
{
    slot(1).setFloat(1000);
    slot(4).setFloat(50);
    ASSERT_TRUE(commit(0, 1100, false));
    EXPECT_EQ(slot(4).asFloat(), 50.0F);
    EXPECT_FALSE(commit(0, 60000, true));
    EXPECT_EQ(slot(4).asFloat(), 50.0F);
    ASSERT_TRUE(commit(3, -20, true));
    EXPECT_EQ(slot(1).asFloat(), 1100.0F);
}

TEST_F(TvCommit, OnlyTheCurrentCameraChanges)
{
    ASSERT_TRUE(commit(0, 700, true));
    EXPECT_EQ(cameras.camera(1), TvCameraRecord{});
    EXPECT_EQ(cameras.camera(3), TvCameraRecord{});
}

TEST_F(TvCommit, SpinnerStepsStoreThePositionsValue)
{
    slot(4).setFloat(50);
    ASSERT_TRUE(TvSpinnerStep(cameras, 2, 0, 1001000));
    EXPECT_EQ(slot(1).asFloat(), 1001.0F);
    EXPECT_EQ(slot(4).asFloat(), 50.0F); // a stepped distance does not move the change-over point
    ASSERT_TRUE(TvSpinnerStep(cameras, 2, 5, 1));
    EXPECT_EQ(slot(6).asFloat(), 0.001F);
    ASSERT_TRUE(TvSpinnerStep(cameras, 2, 8, 13));
    EXPECT_EQ(slot(9).asFloat(), DegreesToRadians(13));
    ASSERT_TRUE(TvSpinnerStep(cameras, 2, 12, 90));
    EXPECT_EQ(slot(13).asFloat(), DegreesToRadians(90));
}

TEST_F(TvCommit, ModeAndLastSpinnerStoreNothing)
{
    slot(5) = ValueSlot::fromInt(1);
    EXPECT_FALSE(TvSpinnerStep(cameras, 2, 4, 7));
    EXPECT_FALSE(TvSpinnerStep(cameras, 2, 13, 7));
    EXPECT_EQ(slot(5), ValueSlot::fromInt(1));
    EXPECT_EQ(slot(14), ValueSlot{});
}

class PitCommitTest : public ::testing::Test {
protected:
    // Commits and, like the window, lets the echo step the field's spinner.
    PitCommit commitAndEcho(int field, std::optional<double> typed)
    {
        const PitCommit result = CommitPitValue(pit, field, typed);
        if (result.echo) {
            EXPECT_TRUE(PitSpinnerStep(pit, field, *result.echo));
        }
        return result;
    }

    PitCameraRecord pit;
};

TEST_F(PitCommitTest, EchoPutsAnglesOnWholeDegreesAndMetresOnMillimetres)
{
    EXPECT_EQ(commitAndEcho(3, 10.4).echo, 10);
    EXPECT_EQ(pit.value(4).asFloat(), DegreesToRadians(10));
    EXPECT_EQ(commitAndEcho(3, 10.6).echo, 11);
    EXPECT_EQ(pit.value(4).asFloat(), DegreesToRadians(11));
    EXPECT_EQ(commitAndEcho(0, 12.3456).echo, 12346);
    EXPECT_EQ(pit.value(1).asFloat(), 12.346F);
    EXPECT_EQ(commitAndEcho(1, -49999.9996).echo, -50000000);
}

TEST_F(PitCommitTest, BoundsAreInclusive)
{
    for (int field : {0, 1}) {
        EXPECT_TRUE(CommitPitValue(pit, field, 50000).accepted);
        EXPECT_TRUE(CommitPitValue(pit, field, -50000).accepted);
        EXPECT_FALSE(CommitPitValue(pit, field, 50000.01).accepted);
    }
    EXPECT_TRUE(CommitPitValue(pit, 2, 200).accepted);
    EXPECT_FALSE(CommitPitValue(pit, 2, -0.001).accepted);
    for (int field : {3, 4, 5}) {
        EXPECT_TRUE(CommitPitValue(pit, field, -360).accepted);
        EXPECT_FALSE(CommitPitValue(pit, field, 360.0001).accepted);
    }
    EXPECT_TRUE(CommitPitValue(pit, 6, 0).accepted);
    EXPECT_FALSE(CommitPitValue(pit, 6, -1).accepted);
}

TEST_F(PitCommitTest, RefusalRestoresTheBitsAndGivesNoEcho)
{
    pit.value(1) = ValueSlot::fromBits(kOddBits);
    const PitCommit result = CommitPitValue(pit, 0, std::nullopt);
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.echo, std::nullopt);
    EXPECT_EQ(pit.value(1).bits(), kOddBits);
    pit.value(9).setFloat(-0.125F);
    EXPECT_FALSE(CommitPitValue(pit, 8, 3).accepted);
    EXPECT_EQ(pit.value(9).asFloat(), -0.125F);
}

TEST_F(PitCommitTest, SpinnerStepsStoreOnlyTheSevenNamedValues)
{
    ASSERT_TRUE(PitSpinnerStep(pit, 0, 1000));
    EXPECT_EQ(pit.value(1).asFloat(), 1.0F);
    ASSERT_TRUE(PitSpinnerStep(pit, 6, 2));
    EXPECT_EQ(pit.value(7).asFloat(), DegreesToRadians(2));
    EXPECT_FALSE(PitSpinnerStep(pit, 7, 5));
    EXPECT_EQ(pit.value(8), ValueSlot{});
}

} // namespace
} // namespace vp
