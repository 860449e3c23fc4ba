#pragma once
// The commands that change a TV camera set as a whole: insert a camera before or behind the current
// one, remove the current one, copy one value of the current camera to every camera of the set.
// Plain C++: the window asks its questions, then beeps, shows and marks the data unsaved from the
// outcome returned here.

#include "camdata/CameraDocument.h"

#include <array>
#include <string>

namespace vp {

// Default-value slot 0 holding -1.0 places a new camera in the middle between its neighbours.
inline constexpr float kPlaceInMiddle = -1.0F;

struct SlotOutcome {
    // False when the command was refused: nothing changed, the window beeps and shows `message`.
    bool done = false;
    // The status text to show; empty when a done command leaves the status line alone.
    std::string message;
    // The set's current camera and count after the command (unchanged when refused).
    int current = 1;
    int count = 0;
};

// `current` is the set's current camera, 1..count; another number is a fault of the caller (asserted,
// and taken as the nearest camera where assertions are off). `defaults` are the default values of
// the options in force: slot 0 is the placement (kPlaceInMiddle, else a distance in metres), slots
// 1..11 the values #2..#12 of a new camera. Both insertions and the removal recompute the header length.
SlotOutcome insertCameraBefore(CameraDocument& doc, CamSet set, int current, const std::array<ValueSlot, 12>& defaults);
SlotOutcome insertCameraBehind(CameraDocument& doc, CamSet set, int current, const std::array<ValueSlot, 12>& defaults);
SlotOutcome removeCamera(CameraDocument& doc, CamSet set, int current);
// Button `button` (0..11) copies value #(button+1) of the current camera to every camera of the set.
// Another button, or an empty set, is a fault of the caller: asserted, and refused without a message.
SlotOutcome assignToAll(CameraDocument& doc, CamSet set, int current, int button);

// The safety questions asked before removing and before assigning to all, and the status after Cancel.
std::string removeQuestion(CamSet set);
std::string assignToAllQuestion(CamSet set);
inline constexpr const char* kActionCanceled = "Action canceled by user. Ready.";

} // namespace vp
