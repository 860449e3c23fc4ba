#include "editor/SlotOperations.h"

#include <gtest/gtest.h>

#include <vector>

namespace vp {
namespace {

constexpr float kMiddle = -1.0F;

// Default values with recognisable bits: value #5 the integer 1, value #12 a NaN payload.
std::array<ValueSlot, 12> Defaults(float placement)
{
    std::array<ValueSlot, 12> d{};
    d[0].setFloat(placement);
    for (std::size_t i = 1; i < d.size(); ++i)
        d[i].setFloat(static_cast<float>(i) + 0.5F);
    d[4] = ValueSlot::fromInt(1);
    d[11] = ValueSlot::fromBits(0x7FC0BEEF);
    return d;
}

// Camera k gets the distance given, and #13/#14 that name it, so moved records can be recognised.
void Fill(CameraDocument& doc, CamSet set, const std::vector<float>& distances)
{
    CameraSet& cameras = doc.set(set);
    cameras.setCount(static_cast<int>(distances.size()));
    for (int k = 1; k <= static_cast<int>(distances.size()); ++k) {
        TvCameraRecord& camera = cameras.camera(k);
        camera.value(1).setFloat(distances[static_cast<std::size_t>(k - 1)]);
        camera.value(13) = ValueSlot::fromInt(100 + k);
        camera.value(14) = ValueSlot::fromInt(200 + k);
    }
    UpdateHeaderLength(doc);
}

std::vector<float> Evenly(int count, float first)
{
    std::vector<float> distances;
    for (int k = 0; k < count; ++k)
        distances.push_back(first + static_cast<float>(k) * 10.0F);
    return distances;
}

float Distance(const CameraDocument& doc, CamSet set, int k)
{
    return doc.set(set).camera(k).value(1).asFloat();
}

std::uint32_t ExpectedHeaderLength(const CameraDocument& doc)
{
    return 60 + 56 * static_cast<std::uint32_t>(doc.tv1.count() + doc.tv2.count());
}

void ExpectDefaults(const TvCameraRecord& camera, const std::array<ValueSlot, 12>& defaults)
{
    for (int k = 2; k <= 12; ++k)
        EXPECT_EQ(camera.value(k), defaults[static_cast<std::size_t>(k - 1)]) << "value #" << k;
}

class SlotOperations : public ::testing::Test {
protected:
    SlotOperations() { Fill(doc, CamSet::TV2, {0, 10}); }

    // A refused command changes nothing and keeps the current camera.
    void ExpectRefused(const SlotOutcome& outcome, const CameraDocument& before, const std::string& message,
                       int current)
    {
        EXPECT_FALSE(outcome.done);
        EXPECT_EQ(outcome.message, message);
        EXPECT_EQ(outcome.current, current);
        EXPECT_EQ(outcome.count, before.tv1.count());
        EXPECT_EQ(doc, before);
    }

    CameraDocument doc;
};

TEST_F(SlotOperations, AddBeforeInTheMiddleRoundsTheMeanToMillimetres)
{
    Fill(doc, CamSet::TV1, {100, 101.2345F, 300});
    const auto defaults = Defaults(kMiddle);
    const SlotOutcome outcome = AddBefore(doc, CamSet::TV1, 2, defaults);
    EXPECT_TRUE(outcome.done);
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(outcome.current, 2);
    EXPECT_EQ(outcome.count, 4);
    EXPECT_EQ(doc.tv1.count(), 4);
    EXPECT_EQ(Distance(doc, CamSet::TV1, 2), 100.617F);
    EXPECT_EQ(Distance(doc, CamSet::TV1, 3), 101.2345F);
    EXPECT_EQ(Distance(doc, CamSet::TV1, 4), 300.0F);
    ExpectDefaults(doc.tv1.camera(2), defaults);
    // The new camera keeps the #13/#14 pair of the camera that was current.
    EXPECT_EQ(doc.tv1.camera(2).value(13).asInt(), 102);
    EXPECT_EQ(doc.tv1.camera(3).value(13).asInt(), 102);
    EXPECT_EQ(doc.headerLength(), ExpectedHeaderLength(doc));
}

TEST_F(SlotOperations, AddBeforeTheFirstCameraStartsAtZero)
{
    Fill(doc, CamSet::TV1, {120});
    const SlotOutcome outcome = AddBefore(doc, CamSet::TV1, 1, Defaults(kMiddle));
    EXPECT_EQ(outcome.current, 1);
    EXPECT_EQ(Distance(doc, CamSet::TV1, 1), 0.0F);
    EXPECT_EQ(Distance(doc, CamSet::TV1, 2), 120.0F);
}

TEST_F(SlotOperations, AddBeforeByDistanceStopsAtZero)
{
    Fill(doc, CamSet::TV1, {150, 400});
    AddBefore(doc, CamSet::TV1, 1, Defaults(200));
    EXPECT_EQ(Distance(doc, CamSet::TV1, 1), 0.0F);
    AddBefore(doc, CamSet::TV1, 3, Defaults(50));
    EXPECT_EQ(Distance(doc, CamSet::TV1, 3), 350.0F);
}

TEST_F(SlotOperations, AddBeforeIsRefusedExactlyAtTheTrackStart)
{
    Fill(doc, CamSet::TV1, {0, 0.001F});
    const CameraDocument before = doc;
    ExpectRefused(AddBefore(doc, CamSet::TV1, 1, Defaults(kMiddle)), before,
                  "Sorry, but the current camera is already at the beginning of the track. Ready.", 1);
    EXPECT_TRUE(AddBefore(doc, CamSet::TV1, 2, Defaults(kMiddle)).done);
}

TEST_F(SlotOperations, InsertionsStopAt255Cameras)
{
    Fill(doc, CamSet::TV1, Evenly(254, 10));
    EXPECT_TRUE(AddBehind(doc, CamSet::TV1, 254, Defaults(kMiddle)).done);
    EXPECT_EQ(doc.tv1.count(), 255);
    const CameraDocument before = doc;
    const std::string full = "Sorry, but maximum of possible TV1-cameras (256) has already been reached. Ready.";
    ExpectRefused(AddBefore(doc, CamSet::TV1, 100, Defaults(kMiddle)), before, full, 100);
    ExpectRefused(AddBehind(doc, CamSet::TV1, 255, Defaults(kMiddle)), before, full, 255);
}

TEST_F(SlotOperations, FullSetChecksRunInEachCommandsOwnOrder)
{
    std::vector<float> distances = Evenly(255, 0);
    distances.back() = 50000;
    Fill(doc, CamSet::TV2, distances);
    const CameraDocument before = doc;
    const SlotOutcome atStart = AddBefore(doc, CamSet::TV2, 1, Defaults(kMiddle));
    EXPECT_EQ(atStart.message, "Sorry, but maximum of possible TV2-cameras (256) has already been reached. Ready.");
    const SlotOutcome atEnd = AddBehind(doc, CamSet::TV2, 255, Defaults(kMiddle));
    EXPECT_EQ(atEnd.message, "Sorry, but the current camera has already the highest possible #1-value. Ready.");
    EXPECT_EQ(doc, before);
}

TEST_F(SlotOperations, AddBehindInTheMiddleTakesTheFollowersPair)
{
    Fill(doc, CamSet::TV1, {100, 101.2345F});
    const auto defaults = Defaults(kMiddle);
    const SlotOutcome outcome = AddBehind(doc, CamSet::TV1, 1, defaults);
    EXPECT_TRUE(outcome.done);
    EXPECT_EQ(outcome.current, 2);
    EXPECT_EQ(outcome.count, 3);
    EXPECT_EQ(Distance(doc, CamSet::TV1, 2), 100.617F);
    EXPECT_EQ(Distance(doc, CamSet::TV1, 3), 101.2345F);
    ExpectDefaults(doc.tv1.camera(2), defaults);
    EXPECT_EQ(doc.tv1.camera(2).value(14).asInt(), 202);
    EXPECT_EQ(doc.headerLength(), ExpectedHeaderLength(doc));
}

TEST_F(SlotOperations, AddBehindTheLastCameraStepsOn200MetresUpTo50000)
{
    Fill(doc, CamSet::TV1, {49900});
    doc.tv1.camera(2).value(13) = ValueSlot::fromInt(77); // left over in the first free record
    AddBehind(doc, CamSet::TV1, 1, Defaults(kMiddle));
    EXPECT_EQ(Distance(doc, CamSet::TV1, 2), 50000.0F);
    EXPECT_EQ(doc.tv1.camera(2).value(13).asInt(), 77);

    Fill(doc, CamSet::TV1, {49700});
    AddBehind(doc, CamSet::TV1, 1, Defaults(kMiddle));
    EXPECT_EQ(Distance(doc, CamSet::TV1, 2), 49900.0F);
}

TEST_F(SlotOperations, AddBehindByDistanceStopsAt50000)
{
    Fill(doc, CamSet::TV1, {49800, 49900});
    AddBehind(doc, CamSet::TV1, 1, Defaults(500));
    EXPECT_EQ(Distance(doc, CamSet::TV1, 2), 50000.0F);
    Fill(doc, CamSet::TV1, {100, 49900});
    AddBehind(doc, CamSet::TV1, 1, Defaults(500));
    EXPECT_EQ(Distance(doc, CamSet::TV1, 2), 600.0F);
}

TEST_F(SlotOperations, AddBehindIsRefusedExactlyAtTheTrackEnd)
{
    Fill(doc, CamSet::TV1, {49999.996F, 50000});
    const CameraDocument before = doc;
    ExpectRefused(AddBehind(doc, CamSet::TV1, 2, Defaults(kMiddle)), before,
                  "Sorry, but the current camera has already the highest possible #1-value. Ready.", 2);
    EXPECT_TRUE(AddBehind(doc, CamSet::TV1, 1, Defaults(kMiddle)).done);
}

TEST_F(SlotOperations, RemoveShiftsDownAndClearsTheVacatedRecord)
{
    Fill(doc, CamSet::TV1, {10, 20, 30, 40, 50});
    const SlotOutcome outcome = RemoveCamera(doc, CamSet::TV1, 3);
    EXPECT_TRUE(outcome.done);
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(outcome.current, 3);
    EXPECT_EQ(outcome.count, 4);
    EXPECT_EQ(Distance(doc, CamSet::TV1, 3), 40.0F);
    EXPECT_EQ(doc.tv1.camera(4).value(13).asInt(), 105);
    EXPECT_EQ(doc.tv1.camera(5), TvCameraRecord{});
    EXPECT_EQ(doc.headerLength(), ExpectedHeaderLength(doc));
}

TEST_F(SlotOperations, RemovingTheLastCameraMakesTheNewLastCurrent)
{
    Fill(doc, CamSet::TV1, {10, 20, 30});
    const SlotOutcome outcome = RemoveCamera(doc, CamSet::TV1, 3);
    EXPECT_EQ(outcome.current, 2);
    EXPECT_EQ(outcome.count, 2);
    EXPECT_EQ(doc.tv1.camera(3), TvCameraRecord{});
}

TEST_F(SlotOperations, RemoveKeepsOneCamera)
{
    Fill(doc, CamSet::TV1, {10});
    const CameraDocument before = doc;
    ExpectRefused(RemoveCamera(doc, CamSet::TV1, 1), before, "Sorry, no more TV1-cameras there to delete. Ready.", 1);
    EXPECT_EQ(RemoveCamera(doc, CamSet::TV2, 1).count, 1);
    EXPECT_EQ(RemoveCamera(doc, CamSet::TV2, 1).message, "Sorry, no more TV2-cameras there to delete. Ready.");
}

TEST_F(SlotOperations, AssignToAllCopiesRawBitsToEveryCameraOfTheSet)
{
    Fill(doc, CamSet::TV1, {10, 20, 30});
    doc.tv1.camera(2).value(5) = ValueSlot::fromInt(1);
    doc.tv1.camera(4).value(5) = ValueSlot::fromInt(9); // a free record stays untouched
    const SlotOutcome outcome = AssignToAll(doc, CamSet::TV1, 2, 4);
    EXPECT_TRUE(outcome.done);
    EXPECT_EQ(outcome.message, "Values copied.Ready.");
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(doc.tv1.camera(k).value(5), ValueSlot::fromInt(1));
    EXPECT_EQ(doc.tv1.camera(4).value(5).asInt(), 9);
    EXPECT_EQ(doc.tv2.camera(1).value(5), ValueSlot{});
    EXPECT_THROW(AssignToAll(doc, CamSet::TV1, 2, 12), std::out_of_range);
}

TEST_F(SlotOperations, AnEmptySetGetsCameraOneAtTheStart)
{
    const auto defaults = Defaults(300);
    for (const auto add : {&AddBefore, &AddBehind}) {
        Fill(doc, CamSet::TV1, {});
        doc.tv1.camera(1).value(1).setFloat(999); // left over from a longer set
        doc.tv1.camera(1).value(13).setFloat(5);
        const SlotOutcome outcome = add(doc, CamSet::TV1, 1, defaults);
        EXPECT_TRUE(outcome.done);
        EXPECT_EQ(outcome.current, 1);
        EXPECT_EQ(outcome.count, 1);
        EXPECT_EQ(Distance(doc, CamSet::TV1, 1), 0.0F);
        ExpectDefaults(doc.tv1.camera(1), defaults);
        EXPECT_EQ(doc.tv1.camera(1).value(13), ValueSlot{});
        EXPECT_EQ(doc.headerLength(), ExpectedHeaderLength(doc));
    }
    Fill(doc, CamSet::TV1, {});
    EXPECT_FALSE(RemoveCamera(doc, CamSet::TV1, 1).done);
}

} // namespace
} // namespace vp
