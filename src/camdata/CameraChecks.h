#pragma once
// Checks of a whole camera document for what a track maker will want to know but the editor lets
// through or reads from a file: cameras out of order, cameras that never get the picture, values no
// field would accept, moving cameras that zoom to nothing, pit-lane values other than their captions
// ask for. Plain C++: the editor's list of findings and the command-line tool run the same checks.

#include "camdata/CameraDocument.h"

#include <string>
#include <vector>

namespace vp {

enum class CheckedPlace { TV1, TV2, PitLane };

enum class FindingKind {
    DistanceNotIncreasing,  // value #1 not beyond the previous camera's
    NeverGetsThePicture,    // the next camera's change-over position (#1 + #4) is not ahead of this one's
    NotFinite,              // NaN or infinity
    OutOfRange,             // outside what the value's field accepts
    ModeNotOneOrZero,       // value #5 holds neither the integer 1 nor 0
    MovingWithoutZoom,      // a moving camera with a zoom factor (#6..#8) of 0
    NotAsCaptionAsks,       // pit-lane value #8 not 0, or value #9 not -0.125
};

struct Finding {
    CheckedPlace place = CheckedPlace::TV1;
    int camera = 0;  // 1..count in TV1 and TV2; 0 for the pit lane
    // The value the finding is about (1..14, pit lane 1..13): #1 for the order of distances, #4 for a
    // camera that never gets the picture (its change-over point is what usually needs moving).
    int value = 0;
    FindingKind kind = FindingKind::NotFinite;
    std::string text;  // one line for people, "TV1 camera 12: ..." or "Pit lane: ..."

    friend bool operator==(const Finding&, const Finding&) = default;
};

// Every finding in doc, ordered by place (TV1, TV2, pit lane), camera and value. Only the cameras in
// use are checked; an empty set has no findings.
//
// Ranges are those of the fields: lengths and factors as stored, angles as the radians a typed
// angle becomes (so exactly the values the editor would accept). Values that cannot be typed (the
// unknown ones, and the pit lane's #8 and #9 beyond what their captions ask) are only checked for
// being finite: nothing is known of their range, but NaN or infinity there is damage. A check that
// compares two cameras is left out where either value is not finite, which is a finding already.
std::vector<Finding> checkDocument(const CameraDocument& doc);

} // namespace vp
