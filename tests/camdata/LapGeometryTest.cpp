// The lap as the strip draws it: the lap's length, where cameras stand, and which camera covers
// which stretch when sets are ordered, out of order, damaged or empty.

#include "camdata/LapGeometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <ostream>
#include <vector>

namespace vp {

void PrintTo(const LapStretch& s, std::ostream* out) { *out << "{" << s.camera << ", " << s.from << ", " << s.to << "}"; }

void PrintTo(const LapCamera& c, std::ostream* out)
{
    *out << "{" << c.number << (c.fixed ? " fixed " : " moving ") << c.distance.value_or(-1) << " " << c.changeOver.value_or(-1) << "}";
}

namespace {

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr auto kNone = std::nullopt;

// Value #1, value #4 and the mode of one camera.
struct Cam { float distance; float changeOver = 0.0F; bool fixed = true; };

CameraDocument Document(const std::vector<Cam>& tv1, const std::vector<Cam>& tv2 = {})
{
    CameraDocument doc;
    for (auto [set, cams] : {std::pair{CamSet::TV1, &tv1}, std::pair{CamSet::TV2, &tv2}}) {
        doc.set(set).setCount(static_cast<int>(cams->size()));
        int k = 0;
        for (const Cam& cam : *cams) {
            TvCameraRecord& camera = doc.set(set).camera(++k);
            camera.value(1).setFloat(cam.distance);
            camera.value(4).setFloat(cam.changeOver);
            camera.value(5).setInt(cam.fixed ? 1 : 0);
        }
    }
    return doc;
}

TEST(LapGeometry, LengthAndWhoCoversWhat)
{
    const struct { const char* name; CameraDocument doc; double length; std::vector<LapStretch> tv1, tv2; } cases[] = {
        {"ordered: the last camera holds the picture across the s/f-line",
         Document({{100, -50}, {500, -50}, {900, -50}}), 900, {{3, 0, 50}, {1, 50, 450}, {2, 450, 850}, {3, 850, 900}}, {}},
        {"the sets share the lap, rounded up to whole 100 m",
         Document({{100, -50}}, {{1000.5F, 20}}), 1100, {{1, 0, 1100}}, {{1, 0, 1100}}},
        {"a change-over behind the holder's: the picture never goes back",
         Document({{100}, {400}, {300}, {800}}), 800, {{4, 0, 100}, {1, 100, 400}, {3, 400, 800}}, {}},
        {"a single camera at the line holds the whole lap",
         Document({{0}}, {{0, -30}}), 100, {{1, 0, 100}}, {{1, 0, 100}}},
        {"not finite, negative, beyond the farthest camera",
         Document({{kNan}, {-20}, {1000, 150}, {500, kInf}}), 1200, {{2, 0, 1150}, {3, 1150, 1200}}, {}},
        {"a value beyond any track is held to the longest lap",
         Document({{3e38F}, {500, -kInf}}), 60000, {{1, 0, 60000}}, {}},
        {"empty sets", Document({}), 100, {}, {}},
    };
    for (const auto& c : cases) {
        const LapGeometry lap = lapGeometry(c.doc);
        EXPECT_EQ(std::tuple(lap.length, lap.set(CamSet::TV1).stretches, lap.set(CamSet::TV2).stretches),
                  std::tuple(c.length, c.tv1, c.tv2)) << c.name;
    }
}

TEST(LapGeometry, CamerasHeldToTheLap)
{
    const LapGeometry lap = lapGeometry(Document({{kNan}, {-20, 5}, {1000, 150, false}, {500, kInf}, {3e38F}}));
    const std::vector<LapCamera> expected = {
        {1, true, kNone, kNone}, {2, true, 0, 0}, {3, false, 1000, 1150}, {4, true, 500, kNone}, {5, true, 60000, 60000}};
    EXPECT_EQ(lap.set(CamSet::TV1).cameras, expected);
}

TEST(LapGeometry, CameraAtAPlace)
{
    const LapGeometry lap = lapGeometry(Document({{100, -50}, {500, -50}, {900, -50}}));
    const std::pair<double, int> places[] = {{-5, 3},  {0, 3},   {49.9, 3}, {50, 1},   {449, 1},
                                             {450, 2}, {850, 3}, {900, 3},  {1e9, 3}, {kNan, 3}};
    for (const auto& [metres, camera] : places)
        EXPECT_EQ(cameraAt(lap.set(CamSet::TV1), metres), camera) << metres;
    EXPECT_EQ(cameraAt(lap.set(CamSet::TV2), 10), 0) << "an empty set";
}

} // namespace
} // namespace vp
