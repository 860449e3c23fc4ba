#include "camdata/SlotOperations.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace vp {
namespace {

constexpr float kMiddle = -1.0F;
using Command = SlotOutcome (*)(CameraDocument&, CamSet, int, const std::array<ValueSlot, 12>&);

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
        cameras.camera(k).value(1).setFloat(distances[static_cast<std::size_t>(k - 1)]);
        cameras.camera(k).value(13) = ValueSlot::fromInt(100 + k);
        cameras.camera(k).value(14) = ValueSlot::fromInt(200 + k);
    }
    updateHeaderLength(doc);
}

class SlotOperations : public ::testing::Test {
protected:
    SlotOperations() { Fill(doc, CamSet::TV2, {0, 10}); }

    float distance(int k) const { return doc.tv1.camera(k).value(1).asFloat(); }
    void expectDone(const SlotOutcome& o, int current, int count)
    {
        EXPECT_EQ(std::tuple(o.done, o.current, o.count, doc.tv1.count()), std::tuple(true, current, count, count));
    }

    CameraDocument doc;
};

TEST_F(SlotOperations, InsertionsPlaceTheNewCameraBetweenItsNeighboursOrByDistanceWithinTheTrack)
{
    const struct { Command add; std::vector<float> distances; int current; float placement; int added; float at; } cases[] = {
        {&insertCameraBefore, {100, 101.2345F, 300}, 2, kMiddle, 2, 100.617F}, // mean rounded to millimetres
        {&insertCameraBefore, {120}, 1, kMiddle, 1, 0.0F}, {&insertCameraBefore, {150, 400}, 1, 200, 1, 0.0F},
        {&insertCameraBefore, {150, 400}, 2, 50, 2, 350.0F}, {&insertCameraBehind, {100, 101.2345F}, 1, kMiddle, 2, 100.617F},
        {&insertCameraBehind, {0, 0.125F}, 1, kMiddle, 2, 0.062F}, // the mean 0.0625 rounded half to even
        {&insertCameraBehind, {49700}, 1, kMiddle, 2, 49900.0F}, {&insertCameraBehind, {49900}, 1, kMiddle, 2, 50000.0F},
        {&insertCameraBehind, {49800, 49900}, 1, 500, 2, 50000.0F},
        {&insertCameraBehind, {100, 49900}, 1, 500, 2, 600.0F},
        {&insertCameraBefore, {}, 1, 300, 1, 0.0F}, {&insertCameraBehind, {}, 1, 300, 1, 0.0F}}; // an empty set
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.distances.size() << " cameras, current " << c.current << " placed " << c.placement);
        doc.tv1.camera(1).value(1).setFloat(999); // left over from a longer set
        doc.tv1.camera(1).value(13).setFloat(5);
        Fill(doc, CamSet::TV1, c.distances);
        const auto defaults = Defaults(c.placement);
        expectDone(c.add(doc, CamSet::TV1, c.current, defaults), c.added, static_cast<int>(c.distances.size()) + 1);
        EXPECT_EQ(distance(c.added), c.at);
        EXPECT_EQ(doc.headerLength(), 60 + 56 * (c.distances.size() + 3)) << "the new camera and TV2's two counted";
        if (c.distances.empty()) {
            EXPECT_EQ(doc.tv1.camera(1).value(13), ValueSlot{});
        }
        const auto next = static_cast<std::size_t>(c.add == &insertCameraBefore ? c.current - 1 : c.current);
        if (next < c.distances.size()) {
            EXPECT_EQ(distance(c.added + 1), c.distances[next]) << "the follower moves up unchanged";
            EXPECT_EQ(doc.tv1.camera(c.added).value(13).asInt(), 101 + static_cast<int>(next)) << "and lends the new camera its #13";
        }
        for (int i = 2; i <= 12; ++i)
            EXPECT_EQ(doc.tv1.camera(c.added).value(i), defaults[static_cast<std::size_t>(i - 1)]) << "value #" << i;
    }
    Fill(doc, CamSet::TV1, {100});
    doc.tv1.camera(2).value(13) = ValueSlot::fromInt(77);
    insertCameraBehind(doc, CamSet::TV1, 1, Defaults(kMiddle));
    EXPECT_EQ(doc.tv1.camera(2).value(13).asInt(), 77) << "a new last camera keeps the #13 of its free record";
}

TEST_F(SlotOperations, RefusedCommandsChangeNothing)
{
    const std::string full = "Sorry, but maximum of possible TV1-cameras (256) has already been reached. Ready.";
    const std::string atEnd = "Sorry, but the current camera has already the highest possible #1-value. Ready.";
    std::vector<float> fullSet(255);
    for (std::size_t k = 0; k < fullSet.size(); ++k)
        fullSet[k] = static_cast<float>(k) * 10;
    std::vector<float> fullToTheEnd = fullSet;
    fullToTheEnd.back() = 50000;

    const struct { Command add; std::vector<float> distances; int current; std::string message; } cases[] = {
        {&insertCameraBefore, {0, 0.001F}, 1, "Sorry, but the current camera is already at the beginning of the track. Ready."},
        {&insertCameraBehind, {49999.996F, 50000}, 2, atEnd}, {&insertCameraBefore, fullSet, 100, full},
        {&insertCameraBehind, fullSet, 255, full},
        {&insertCameraBefore, fullToTheEnd, 1, full}, // each command checks in its own order
        {&insertCameraBehind, fullToTheEnd, 255, atEnd}, {nullptr, {10}, 1, "Sorry, no more TV1-cameras there to delete. Ready."},
        {nullptr, {}, 1, "Sorry, no more TV1-cameras there to delete. Ready."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message + " with " + std::to_string(c.distances.size()));
        Fill(doc, CamSet::TV1, c.distances);
        const CameraDocument before = doc;
        const SlotOutcome outcome = c.add ? c.add(doc, CamSet::TV1, c.current, Defaults(kMiddle)) : removeCamera(doc, CamSet::TV1, c.current);
        EXPECT_EQ(std::tuple(outcome.done, outcome.message, outcome.current, outcome.count),
                  std::tuple(false, c.message, c.current, before.tv1.count()));
        EXPECT_EQ(doc, before);
    }
    Fill(doc, CamSet::TV1, {0, 0.001F});
    EXPECT_TRUE(insertCameraBefore(doc, CamSet::TV1, 2, Defaults(kMiddle)).done) << "only exactly at the start";
    EXPECT_EQ(removeCamera(doc, CamSet::TV2, 1).count, 1);
    EXPECT_EQ(removeCamera(doc, CamSet::TV2, 1).message, "Sorry, no more TV2-cameras there to delete. Ready.");
}

TEST_F(SlotOperations, RemoveShiftsDownAndClearsTheVacatedRecord)
{
    Fill(doc, CamSet::TV1, {10, 20, 30, 40, 50});
    expectDone(removeCamera(doc, CamSet::TV1, 3), 3, 4);
    EXPECT_EQ(distance(3), 40.0F);
    EXPECT_EQ(doc.tv1.camera(4).value(13).asInt(), 105);
    EXPECT_EQ(doc.tv1.camera(5), TvCameraRecord{});
    EXPECT_EQ(doc.headerLength(), 396u) << "60 + 56 for each of 4 + 2 cameras";

    // Removing the last camera makes the new last one current.
    expectDone(removeCamera(doc, CamSet::TV1, 4), 3, 3);
    EXPECT_EQ(doc.tv1.camera(4), TvCameraRecord{});
}

TEST_F(SlotOperations, AssignToAllCopiesRawBitsToEveryCameraOfTheSet)
{
    Fill(doc, CamSet::TV1, {10, 20, 30});
    doc.tv1.camera(2).value(5) = ValueSlot::fromInt(1);
    doc.tv1.camera(4).value(5) = ValueSlot::fromInt(9); // a free record stays untouched
    const SlotOutcome outcome = assignToAll(doc, CamSet::TV1, 2, 4);
    EXPECT_EQ(std::tuple(outcome.done, outcome.message), std::tuple(true, "Values copied.Ready."));
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(doc.tv1.camera(k).value(5), ValueSlot::fromInt(1));
    EXPECT_EQ(doc.tv1.camera(4).value(5).asInt(), 9);
    EXPECT_EQ(doc.tv2.camera(1).value(5), ValueSlot{});
}

} // namespace
} // namespace vp
