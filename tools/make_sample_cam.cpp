// Writes a sample camera file for trying Vantapoint out: a made-up track of about 4 km with 20
// cameras in each TV set, placed in ascending distance, a mix of fixed and moving cameras, and a
// pit-lane camera. The values come from fixed formulas, so every run writes the same bytes. Two
// slips of the kind track makers make are left in, so that the editor's checks have something to
// show: a change-over point typed with one digit too many, and a zoom factor left at 0.
//
//     make_sample_cam FILE.cam

#include "camdata/CamFile.h"
#include "camdata/CameraDocument.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using vp::CameraDocument;
using vp::CameraSet;
using vp::TvCameraRecord;
using vp::ValueSlot;

constexpr double kTrackLength = 4023.4;
constexpr int kCamerasPerSet = 20;
constexpr double kPi = 3.14159265358979;

// How one set spreads its cameras along the lap and which of them move.
struct SetPlan {
    double firstDistance;
    double spacing;
    int movingEvery;     // camera k moves when k is a multiple of this; camera 1 is fixed
    double baseHeight;
    int heightSteps;
};

double roundedTo(double value, double step)
{
    return std::round(value / step) * step;
}

ValueSlot floatSlot(double value)
{
    return ValueSlot::fromFloat(static_cast<float>(value));
}

ValueSlot degreesSlot(double degrees)
{
    return ValueSlot::fromFloat(static_cast<float>(degrees * kPi / 180.0));
}

// Camera k's distance: even spacing with a deterministic wobble smaller than half the spacing, so
// the set stays in ascending order.
double distanceOf(const SetPlan& plan, int k)
{
    const double wobble = ((k * 37) % 23 - 11) * 3.1;
    return roundedTo(plan.firstDistance + (k - 1) * plan.spacing + wobble, 0.1);
}

void fillSet(CameraSet& set, const SetPlan& plan)
{
    set.setCount(kCamerasPerSet);
    for (int k = 1; k <= kCamerasPerSet; ++k) {
        TvCameraRecord& camera = set.camera(k);
        const double distance = distanceOf(plan, k);
        const double previous = k > 1 ? distanceOf(plan, k - 1) : distanceOf(plan, kCamerasPerSet) - kTrackLength;
        const int side = k % 3 == 0 ? -1 : 1;
        const bool moving = k % plan.movingEvery == 0;

        camera.value(1) = floatSlot(distance);
        camera.value(2) = floatSlot(side * (9.0 + (k * 7) % 16));
        camera.value(3) = floatSlot(plan.baseHeight + (k * 5) % plan.heightSteps * 0.5);
        // Hand over to this camera a little before the car reaches it.
        camera.value(4) = floatSlot(-roundedTo(0.45 * (distance - previous), 0.1));
        camera.value(5) = ValueSlot::fromInt(moving ? 0 : 1);
        if (moving) {
            camera.value(6) = floatSlot(0.8 + (k % 5) * 0.15);
            camera.value(7) = floatSlot(1.2 + (k % 4) * 0.3);
            camera.value(8) = floatSlot(0.7 + (k % 3) * 0.1);
            camera.value(9) = degreesSlot(0);
            camera.value(10) = degreesSlot(0);
            camera.value(11) = degreesSlot(0);
            camera.value(12) = degreesSlot(90);
        } else {
            camera.value(6) = floatSlot(0.1);
            camera.value(7) = floatSlot(0.1);
            camera.value(8) = floatSlot(0.1);
            camera.value(9) = degreesSlot(side * (60 + (k * 13) % 50));
            camera.value(10) = degreesSlot(-(3 + (k % 4) * 2));
            camera.value(11) = degreesSlot(0);
            camera.value(12) = degreesSlot(35 + (k * 11) % 40);
        }
    }
}

CameraDocument sampleDocument()
{
    CameraDocument doc;
    doc.header = {0x4D, 0x41, 0x43, 0x54, 0, 0, 0, 0, 0, 0, 0, 0};
    fillSet(doc.tv1, {12.5, 201.1, 3, 2.5, 9});
    fillSet(doc.tv2, {96.0, 199.6, 2, 6.0, 14});
    // Camera 9 now takes the picture before camera 8 would, so camera 8 never gets it.
    TvCameraRecord& early = doc.tv2.camera(9);
    early.value(4) = floatSlot(roundedTo(10.0 * early.value(4).asFloat(), 0.1));
    doc.tv1.camera(6).value(8) = floatSlot(0.0);

    doc.pit.value(1) = floatSlot(-152.4);
    doc.pit.value(2) = floatSlot(48.75);
    doc.pit.value(3) = floatSlot(7.5);
    doc.pit.value(4) = degreesSlot(134.5);
    doc.pit.value(5) = degreesSlot(-7);
    doc.pit.value(6) = degreesSlot(0);
    doc.pit.value(7) = degreesSlot(48);
    doc.pit.value(9) = floatSlot(-0.125);

    vp::updateHeaderLength(doc);
    return doc;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_cam FILE.cam\n");
        return 2;
    }
    const std::string path = argv[1];
    const CameraDocument doc = sampleDocument();
    if (const vp::CamFileResult failure = vp::writeCamFile(path, doc)) {
        std::fprintf(stderr, "make_sample_cam: cannot write %s: %s (%d)\n", path.c_str(),
                     failure->description.c_str(), failure->number);
        return 1;
    }
    std::printf("Wrote %s: %d TV1 cameras, %d TV2 cameras, a pit-lane camera.\n", path.c_str(), doc.tv1.count(),
                doc.tv2.count());
    return 0;
}
