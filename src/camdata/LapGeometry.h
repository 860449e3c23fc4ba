#pragma once
// The lap as the lap strip draws it: where each camera of a set stands, where it takes the picture
// and which stretches of the track it covers, in metres along the track. Plain C++, so that what the
// strip shows is worked out and tested without windows.
//
// The picture passes from camera to camera in set order, each taking it when the car reaches its
// change-over position (value #1 + value #4) and never earlier than the camera before it took it.
// So a camera whose change-over position is not ahead of the one that holds the picture never gets
// it, and the last camera keeps the picture across the s/f-line until the first one takes it.

#include "camdata/CameraDocument.h"

#include <array>
#include <optional>
#include <vector>

namespace vp {

// The lap is never drawn shorter than this, nor longer than the farthest change-over position
// that values the fields accept can give (50000 m + 10000 m).
inline constexpr double kShortestLap = 100.0;
inline constexpr double kLongestLap = 60000.0;

struct LapCamera {
    int number = 0;  // 1..count
    bool fixed = false;
    // Value #1 and the change-over position in metres, held to 0..the lap's length; nothing where
    // the values are not finite numbers.
    std::optional<double> distance;
    std::optional<double> changeOver;

    friend bool operator==(const LapCamera&, const LapCamera&) = default;
};

// A stretch of track from..to (metres, from < to) on which `camera` has the picture.
struct LapStretch {
    int camera = 0;
    double from = 0.0;
    double to = 0.0;

    friend bool operator==(const LapStretch&, const LapStretch&) = default;
};

struct LapSet {
    std::vector<LapCamera> cameras;  // cameras 1..count in set order
    // Along the track from 0 to the lap's length without gaps or overlaps: the last camera's
    // stretch across the s/f-line comes first. Empty when no camera has a change-over position.
    std::vector<LapStretch> stretches;
};

struct LapGeometry {
    // The largest distance or change-over position of both sets, rounded up to whole 100 m.
    double length = kShortestLap;
    std::array<LapSet, 2> sets;  // TV1, TV2

    const LapSet& set(CamSet s) const { return sets[s == CamSet::TV1 ? 0 : 1]; }
};

LapGeometry lapGeometry(const CameraDocument& doc);

// The camera that has the picture at `metres` (the last stretch includes the lap's end); 0 for none.
int cameraAt(const LapSet& set, double metres);

} // namespace vp
