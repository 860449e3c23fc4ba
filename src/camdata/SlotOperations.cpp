#include "camdata/SlotOperations.h"

#include "camdata/NumberText.h"

#include <algorithm>
#include <cassert>

namespace vp {

namespace {

constexpr float kTrackStart = 0.0F;
constexpr float kTrackEnd = 50000.0F;
// Behind the last camera a middle placement has no neighbour to aim at and steps on by this much.
constexpr float kStepBehindLast = 200.0F;

SlotOutcome refused(std::string message, const CameraSet& cameras, int current)
{
    return {false, std::move(message), current, cameras.count()};
}

SlotOutcome fullSet(CamSet set, const CameraSet& cameras, int current)
{
    return refused("Sorry, but maximum of possible " + std::string(camSetName(set)) + "-cameras (256) has already been reached. Ready.",
                   cameras, current);
}

// The window's current camera of a set that is not empty.
int checkedCurrent(const CameraSet& cameras, int current)
{
    assert(current >= 1 && current <= cameras.count());
    return std::clamp(current, 1, std::max(1, cameras.count()));
}

float distanceOf(const CameraSet& cameras, int k)
{
    return cameras.camera(k).value(1).asFloat();
}

bool placesInMiddle(const std::array<ValueSlot, 12>& defaults)
{
    return defaults[0].asFloat() == kPlaceInMiddle;
}

// The mean of two distances, formed in single precision and put on the millimetre.
float middleOf(float a, float b)
{
    const float mean = (a + b) / 2.0F;
    return static_cast<float>(roundHalfEven(mean, 3));
}

void copyDefaults(TvCameraRecord& camera, const std::array<ValueSlot, 12>& defaults)
{
    for (int k = 2; k <= 12; ++k)
        camera.value(k) = defaults[static_cast<std::size_t>(k - 1)];
}

// The first camera of an empty set: at the start of the track, default values, #13 and #14 zero.
SlotOutcome firstCamera(CameraDocument& doc, CameraSet& cameras, const std::array<ValueSlot, 12>& defaults)
{
    TvCameraRecord& first = cameras.camera(1);
    first = TvCameraRecord{};
    first.value(1) = ValueSlot::fromFloat(kTrackStart);
    copyDefaults(first, defaults);
    cameras.setCount(1);
    updateHeaderLength(doc);
    return {true, {}, 1, 1};
}

} // namespace

SlotOutcome insertCameraBefore(CameraDocument& doc, CamSet set, int current, const std::array<ValueSlot, 12>& defaults)
{
    CameraSet& cameras = doc.set(set);
    const int n = cameras.count();
    if (n == 0)
        return firstCamera(doc, cameras, defaults);
    const int c = checkedCurrent(cameras, current);
    if (n == kMaxCamerasPerSet)
        return fullSet(set, cameras, c);
    if (distanceOf(cameras, c) == kTrackStart)
        return refused("Sorry, but the current camera is already at the beginning of the track. Ready.", cameras, c);

    for (int k = n; k >= c; --k)
        cameras.camera(k + 1) = cameras.camera(k);
    cameras.setCount(n + 1);

    float distance = kTrackStart;
    if (placesInMiddle(defaults)) {
        if (c > 1)
            distance = middleOf(distanceOf(cameras, c - 1), distanceOf(cameras, c + 1));
    } else {
        const float x = distanceOf(cameras, c + 1) - defaults[0].asFloat();
        distance = x < kTrackStart ? kTrackStart : x;
    }
    TvCameraRecord& added = cameras.camera(c);
    added.value(1) = ValueSlot::fromFloat(distance);
    copyDefaults(added, defaults);

    updateHeaderLength(doc);
    return {true, {}, c, n + 1};
}

SlotOutcome insertCameraBehind(CameraDocument& doc, CamSet set, int current, const std::array<ValueSlot, 12>& defaults)
{
    CameraSet& cameras = doc.set(set);
    const int n = cameras.count();
    if (n == 0)
        return firstCamera(doc, cameras, defaults);
    const int c = checkedCurrent(cameras, current);
    if (distanceOf(cameras, c) == kTrackEnd)
        return refused("Sorry, but the current camera has already the highest possible #1-value. Ready.", cameras, c);
    if (n == kMaxCamerasPerSet)
        return fullSet(set, cameras, c);

    for (int k = n; k >= c + 1; --k)
        cameras.camera(k + 1) = cameras.camera(k);
    cameras.setCount(n + 1);

    float distance = 0.0F;
    if (placesInMiddle(defaults) && c < n) {
        distance = middleOf(distanceOf(cameras, c), distanceOf(cameras, c + 2));
    } else {
        const float step = placesInMiddle(defaults) ? kStepBehindLast : defaults[0].asFloat();
        const float y = distanceOf(cameras, c) + step;
        distance = y > kTrackEnd ? kTrackEnd : y;
    }
    TvCameraRecord& added = cameras.camera(c + 1);
    added.value(1) = ValueSlot::fromFloat(distance);
    copyDefaults(added, defaults);

    updateHeaderLength(doc);
    return {true, {}, c + 1, n + 1};
}

SlotOutcome removeCamera(CameraDocument& doc, CamSet set, int current)
{
    CameraSet& cameras = doc.set(set);
    const int n = cameras.count();
    if (n <= 1)
        return refused("Sorry, no more " + std::string(camSetName(set)) + "-cameras there to delete. Ready.", cameras, current);
    const int c = checkedCurrent(cameras, current);

    for (int k = c + 1; k <= n; ++k)
        cameras.camera(k - 1) = cameras.camera(k);
    cameras.setCount(n - 1);
    cameras.camera(n) = TvCameraRecord{};

    updateHeaderLength(doc);
    // Removing the last camera leaves the new last one current.
    return {true, {}, c < n ? c : n - 1, n - 1};
}

SlotOutcome assignToAll(CameraDocument& doc, CamSet set, int current, int button)
{
    CameraSet& cameras = doc.set(set);
    const bool valid = button >= 0 && button < 12 && cameras.count() > 0;
    assert(valid);
    if (!valid)
        return refused({}, cameras, current);
    const int c = checkedCurrent(cameras, current);
    const int k = button + 1;
    const ValueSlot value = cameras.camera(c).value(k);
    for (int i = 1; i <= cameras.count(); ++i)
        cameras.camera(i).value(k) = value;
    return {true, "Values copied.Ready.", c, cameras.count()};
}

std::string removeQuestion(CamSet set)
{
    return "This will remove the currently shown camera from the " + std::string(camSetName(set)) +
           "-set. Undo is NOT possible. Continue?";
}

std::string assignToAllQuestion(CamSet set)
{
    return "This will overwrite the same value of all other cameras in the " + std::string(camSetName(set)) +
           "-set. Undo is NOT possible. Continue?";
}

} // namespace vp
