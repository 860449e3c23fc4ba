#include "camdata/LapGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace vp {

namespace {

constexpr int kDistance = 1;
constexpr int kChangeOver = 4;
constexpr double kLengthStep = 100.0;

double distanceOf(const TvCameraRecord& camera)
{
    return camera.value(kDistance).asFloat();
}

// NaN when either value is not finite, so that the sum never passes for a position.
double changeOverOf(const TvCameraRecord& camera)
{
    const double distance = distanceOf(camera);
    const double offset = camera.value(kChangeOver).asFloat();
    if (!std::isfinite(distance) || !std::isfinite(offset))
        return std::numeric_limits<double>::quiet_NaN();
    return distance + offset;
}

double lapLength(const CameraDocument& doc)
{
    double farthest = 0.0;
    for (CamSet which : {CamSet::TV1, CamSet::TV2}) {
        const CameraSet& set = doc.set(which);
        for (int k = 1; k <= set.count(); ++k) {
            for (double position : {distanceOf(set.camera(k)), changeOverOf(set.camera(k))}) {
                if (std::isfinite(position))
                    farthest = std::max(farthest, position);
            }
        }
    }
    farthest = std::min(farthest, kLongestLap);
    return std::max(kShortestLap, std::ceil(farthest / kLengthStep) * kLengthStep);
}

void coverTheLap(LapSet& set, double length)
{
    // Where each camera that can take the picture takes it, in set order.
    std::vector<std::pair<int, double>> takes;
    takes.reserve(set.cameras.size());
    for (const LapCamera& camera : set.cameras) {
        if (!camera.changeOver)
            continue;
        const double at = takes.empty() ? *camera.changeOver : std::max(*camera.changeOver, takes.back().second);
        takes.emplace_back(camera.number, at);
    }
    if (takes.empty())
        return;

    const auto add = [&set](int camera, double from, double to) {
        if (!(to > from))
            return;
        if (!set.stretches.empty() && set.stretches.back().camera == camera)
            set.stretches.back().to = to;  // one camera alone holds the whole lap
        else
            set.stretches.push_back({camera, from, to});
    };
    add(takes.back().first, 0.0, takes.front().second);
    for (std::size_t i = 0; i < takes.size(); ++i)
        add(takes[i].first, takes[i].second, i + 1 < takes.size() ? takes[i + 1].second : length);
}

} // namespace

LapGeometry lapGeometry(const CameraDocument& doc)
{
    LapGeometry lap;
    lap.length = lapLength(doc);
    const auto held = [&lap](double position) -> std::optional<double> {
        if (!std::isfinite(position))
            return std::nullopt;
        return std::clamp(position, 0.0, lap.length);
    };
    for (CamSet which : {CamSet::TV1, CamSet::TV2}) {
        const CameraSet& cameras = doc.set(which);
        LapSet& set = lap.sets[which == CamSet::TV1 ? 0 : 1];
        set.cameras.reserve(static_cast<std::size_t>(cameras.count()));
        for (int k = 1; k <= cameras.count(); ++k) {
            const TvCameraRecord& camera = cameras.camera(k);
            // The display's rule: a camera is fixed when its mode read as a float is not zero.
            const bool fixed = camera.value(kTvModeValue).asFloat() != 0.0F;
            set.cameras.push_back({k, fixed, held(distanceOf(camera)), held(changeOverOf(camera))});
        }
        coverTheLap(set, lap.length);
    }
    return lap;
}

int cameraAt(const LapSet& set, double metres)
{
    if (set.stretches.empty())
        return 0;
    const auto holder = std::upper_bound(set.stretches.begin(), set.stretches.end(), metres,
                                         [](double at, const LapStretch& stretch) { return at < stretch.to; });
    return holder == set.stretches.end() ? set.stretches.back().camera : holder->camera;
}

} // namespace vp
