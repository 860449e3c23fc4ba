// The checks of a whole document: which findings, where, in which order, and how they read.

#include "camdata/CameraChecks.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vp {
namespace {

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

using Place = CheckedPlace;
using Kind = FindingKind;

// Sound cameras at the given distances, fixed, zoom 1, opening angle 0.5 rad; the pit lane as at start-up.
CameraDocument Document(std::initializer_list<float> tv1, std::initializer_list<float> tv2)
{
    CameraDocument doc;
    for (auto [set, distances] : {std::pair{CamSet::TV1, tv1}, std::pair{CamSet::TV2, tv2}}) {
        doc.set(set).setCount(static_cast<int>(distances.size()));
        int k = 0;
        for (float distance : distances) {
            TvCameraRecord& camera = doc.set(set).camera(++k);
            for (auto [v, x] : {std::pair{1, distance}, {3, 10.0F}, {6, 1.0F}, {7, 1.0F}, {8, 1.0F}, {12, 0.5F}})
                camera.value(v).setFloat(x);
            camera.value(5).setInt(1);
        }
    }
    doc.pit.value(9).setFloat(-0.125F);
    return doc;
}

// Value #value of a TV camera, or of the pit lane when camera is 0, set to v.
struct Edit { CamSet set; int camera; int value; float v; };

// The text is not compared when null.
struct Expected {
    Place place; int camera; int value; Kind kind; const char* text = nullptr;
    bool operator==(const Finding& f) const
    {
        return place == f.place && camera == f.camera && value == f.value && kind == f.kind && (!text || f.text == text);
    }
};

TEST(CameraChecks, FindingsWithTheirPlacesInSetCameraValueOrder)
{
    const float beyond2Pi = 6.283185958862305F;  // the next float above 2 pi: 360.00003 degrees
    constexpr CamSet TV1 = CamSet::TV1, TV2 = CamSet::TV2;
    const struct { const char* name; CameraDocument doc; std::vector<Edit> edits; std::vector<Expected> expected; } cases[] = {
        {"sound cameras", Document({100, 200}, {50}), {}, {}},
        {"empty sets, stale records above the count", Document({}, {}), {{TV1, 1, 1, kNan}}, {}},
        {"distances not increasing, and so the change-over positions", Document({100, 100, 50}, {}), {},
         {{Place::TV1, 1, 4, Kind::NeverGetsThePicture},
          {Place::TV1, 2, 1, Kind::DistanceNotIncreasing, "TV1 camera 2: #1 distance 100 m is not beyond camera 1's 100 m"},
          {Place::TV1, 2, 4, Kind::NeverGetsThePicture},
          {Place::TV1, 3, 1, Kind::DistanceNotIncreasing}}},
        {"a change-over point behind the previous camera's", Document({}, {100, 200, 300}), {{TV2, 2, 4, -150}},
         {{Place::TV2, 1, 4, Kind::NeverGetsThePicture,
           "TV2 camera 1: change-over position (#1 + #4) 100 m is not before camera 2's 50 m, so camera 1 never gets the picture"}}},
        {"values that are not numbers or that no field accepts", Document({100}, {}),
         {{TV1, 1, 2, -kInf}, {TV1, 1, 3, 250}, {TV1, 1, 9, kNan}, {TV1, 1, 10, beyond2Pi},
          {TV1, 1, 11, 6.2831855F} /* 2 pi: accepted */, {TV1, 1, 12, -0.01F}, {TV1, 1, 13, kNan}, {TV1, 1, 14, 1000} /* no range */},
         {{Place::TV1, 1, 2, Kind::NotFinite, "TV1 camera 1: #2 offset is -Infinity, not a finite number"},
          {Place::TV1, 1, 3, Kind::OutOfRange, "TV1 camera 1: #3 height 250 m is outside 0 to 200 m"},
          {Place::TV1, 1, 9, Kind::NotFinite},
          {Place::TV1, 1, 10, Kind::OutOfRange, "TV1 camera 1: #10 pitch 360.00003 deg is outside -360 to 360 deg"},
          {Place::TV1, 1, 12, Kind::OutOfRange, "TV1 camera 1: #12 opening angle -0.57295775 deg is outside 0 to 360 deg"},
          {Place::TV1, 1, 13, Kind::NotFinite, "TV1 camera 1: #13 unknown is NaN, not a finite number"}}},
        {"a distance that is not a number is compared with nothing", Document({100, 200, 50}, {}),
         {{TV1, 2, 1, kNan}}, {{Place::TV1, 2, 1, Kind::NotFinite}}},
        {"modes other than 1 and 0, zoom 0 on moving cameras only", Document({}, {100, 200, 300, 400}),
         // Camera 1 fixed: its zoom does not matter; camera 2's -0 is moving, as the editor shows it.
         {{TV2, 1, 5, 1.0F}, {TV2, 1, 7, 0}, {TV2, 2, 5, -0.0F}, {TV2, 2, 8, 0}, {TV2, 3, 5, 0}, {TV2, 3, 6, -0.0F},
          {TV2, 3, 7, 0}, {TV2, 4, 6, 12}},
         {{Place::TV2, 1, 5, Kind::ModeNotOneOrZero, "TV2 camera 1: #5 mode holds 0x3F800000, neither 1 (fixed) nor 0 (moving)"},
          {Place::TV2, 2, 5, Kind::ModeNotOneOrZero}, {Place::TV2, 2, 8, Kind::MovingWithoutZoom},
          {Place::TV2, 3, 6, Kind::MovingWithoutZoom},
          {Place::TV2, 3, 7, Kind::MovingWithoutZoom, "TV2 camera 3: #7 first-part zoom is 0 on a moving camera"},
          {Place::TV2, 4, 6, Kind::OutOfRange, "TV2 camera 4: #6 initial zoom 12 is outside 0 to 10"}}},
        {"the pit lane", Document({}, {}), {{TV1, 0, 3, -1}, {TV1, 0, 4, 7}, {TV1, 0, 8, 3}, {TV1, 0, 9, kNan}, {TV1, 0, 13, 1e30F}},
         {{Place::PitLane, 0, 3, Kind::OutOfRange},
          {Place::PitLane, 0, 4, Kind::OutOfRange, "Pit lane: #4 yaw 401.07047 deg is outside -360 to 360 deg"},
          {Place::PitLane, 0, 8, Kind::NotAsCaptionAsks, "Pit lane: #8 is 3, but its caption asks to leave it at 0"},
          {Place::PitLane, 0, 9, Kind::NotFinite}}},
        {"the pit lane's -0 and a #9 of 0", Document({}, {}), {{TV1, 0, 8, -0.0F}, {TV1, 0, 9, 0}},
         {{Place::PitLane, 0, 9, Kind::NotAsCaptionAsks, "Pit lane: #9 is 0, but its caption asks to leave it at -0.125"}}},
    };
    for (const auto& c : cases) {
        CameraDocument doc = c.doc;
        for (const Edit& e : c.edits)
            (e.camera == 0 ? doc.pit.value(e.value) : doc.set(e.set).camera(e.camera).value(e.value)).setFloat(e.v);
        const std::vector<Finding> found = checkDocument(doc);
        std::string texts;
        for (const Finding& f : found)
            texts += f.text + " (kind " + std::to_string(static_cast<int>(f.kind)) + ")\n";
        EXPECT_TRUE(std::equal(c.expected.begin(), c.expected.end(), found.begin(), found.end())) << c.name << ":\n" << texts;
    }
}

} // namespace
} // namespace vp
