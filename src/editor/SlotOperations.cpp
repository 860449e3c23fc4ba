#include "editor/SlotOperations.h"

#include "editor/NumberText.h"
#include "options/OptionsRecord.h"

#include <stdexcept>

namespace vp {

namespace {

constexpr float kTrackStart = 0.0F;
constexpr float kTrackEnd = 50000.0F;
// Behind the last camera a middle placement has no neighbour to aim at and steps on by this much.
constexpr float kStepBehindLast = 200.0F;

std::string SetName(CamSet set)
{
    return set == CamSet::TV1 ? "TV1" : "TV2";
}

SlotOutcome Refused(std::string message, const CameraSet& cameras, int current)
{
    return {false, std::move(message), current, cameras.count()};
}

SlotOutcome FullSet(CamSet set, const CameraSet& cameras, int current)
{
    return Refused("Sorry, but maximum of possible " + SetName(set) + "-cameras (256) has already been reached. Ready.",
                   cameras, current);
}

void RequireCurrent(const CameraSet& cameras, int current)
{
    if (current < 1 || current > cameras.count())
        throw std::out_of_range("current camera " + std::to_string(current) + " outside 1.." +
                                std::to_string(cameras.count()));
}

float Distance(const CameraSet& cameras, int k)
{
    return cameras.camera(k).value(1).asFloat();
}

bool PlaceInMiddle(const std::array<ValueSlot, 12>& defaults)
{
    return defaults[0].asFloat() == kPlaceInMiddle;
}

// The mean of two distances, formed in single precision and put on the millimetre.
float Middle(float a, float b)
{
    const float mean = (a + b) / 2.0F;
    return static_cast<float>(RoundHalfEven(mean, 3));
}

void CopyDefaults(TvCameraRecord& camera, const std::array<ValueSlot, 12>& defaults)
{
    for (int k = 2; k <= 12; ++k)
        camera.value(k) = defaults[static_cast<std::size_t>(k - 1)];
}

// The first camera of an empty set: at the start of the track, default values, #13 and #14 zero.
SlotOutcome FirstCamera(CameraDocument& doc, CameraSet& cameras, const std::array<ValueSlot, 12>& defaults)
{
    TvCameraRecord& first = cameras.camera(1);
    first = TvCameraRecord{};
    first.value(1) = ValueSlot::fromFloat(kTrackStart);
    CopyDefaults(first, defaults);
    cameras.setCount(1);
    UpdateHeaderLength(doc);
    return {true, {}, 1, 1};
}

} // namespace

SlotOutcome AddBefore(CameraDocument& doc, CamSet set, int current, const std::array<ValueSlot, 12>& defaults)
{
    CameraSet& cameras = doc.set(set);
    const int n = cameras.count();
    if (n == 0)
        return FirstCamera(doc, cameras, defaults);
    RequireCurrent(cameras, current);
    const int c = current;
    if (n == kMaxCamerasPerSet)
        return FullSet(set, cameras, c);
    if (Distance(cameras, c) == kTrackStart)
        return Refused("Sorry, but the current camera is already at the beginning of the track. Ready.", cameras, c);

    for (int k = n; k >= c; --k)
        cameras.camera(k + 1) = cameras.camera(k);
    cameras.setCount(n + 1);

    float distance = kTrackStart;
    if (PlaceInMiddle(defaults)) {
        if (c > 1)
            distance = Middle(Distance(cameras, c - 1), Distance(cameras, c + 1));
    } else {
        const float x = Distance(cameras, c + 1) - defaults[0].asFloat();
        distance = x < kTrackStart ? kTrackStart : x;
    }
    TvCameraRecord& added = cameras.camera(c);
    added.value(1) = ValueSlot::fromFloat(distance);
    CopyDefaults(added, defaults);

    UpdateHeaderLength(doc);
    return {true, {}, c, n + 1};
}

SlotOutcome AddBehind(CameraDocument& doc, CamSet set, int current, const std::array<ValueSlot, 12>& defaults)
{
    CameraSet& cameras = doc.set(set);
    const int n = cameras.count();
    if (n == 0)
        return FirstCamera(doc, cameras, defaults);
    RequireCurrent(cameras, current);
    const int c = current;
    if (Distance(cameras, c) == kTrackEnd)
        return Refused("Sorry, but the current camera has already the highest possible #1-value. Ready.", cameras, c);
    if (n == kMaxCamerasPerSet)
        return FullSet(set, cameras, c);

    for (int k = n; k >= c + 1; --k)
        cameras.camera(k + 1) = cameras.camera(k);
    cameras.setCount(n + 1);

    float distance = 0.0F;
    if (PlaceInMiddle(defaults) && c < n) {
        distance = Middle(Distance(cameras, c), Distance(cameras, c + 2));
    } else {
        const float step = PlaceInMiddle(defaults) ? kStepBehindLast : defaults[0].asFloat();
        const float y = Distance(cameras, c) + step;
        distance = y > kTrackEnd ? kTrackEnd : y;
    }
    TvCameraRecord& added = cameras.camera(c + 1);
    added.value(1) = ValueSlot::fromFloat(distance);
    CopyDefaults(added, defaults);

    UpdateHeaderLength(doc);
    return {true, {}, c + 1, n + 1};
}

SlotOutcome RemoveCamera(CameraDocument& doc, CamSet set, int current)
{
    CameraSet& cameras = doc.set(set);
    const int n = cameras.count();
    if (n <= 1)
        return Refused("Sorry, no more " + SetName(set) + "-cameras there to delete. Ready.", cameras, current);
    RequireCurrent(cameras, current);

    for (int k = current + 1; k <= n; ++k)
        cameras.camera(k - 1) = cameras.camera(k);
    cameras.setCount(n - 1);
    cameras.camera(n) = TvCameraRecord{};

    UpdateHeaderLength(doc);
    // Removing the last camera leaves the new last one current.
    return {true, {}, current < n ? current : n - 1, n - 1};
}

SlotOutcome AssignToAll(CameraDocument& doc, CamSet set, int current, int button)
{
    CameraSet& cameras = doc.set(set);
    RequireCurrent(cameras, current);
    if (button < 0 || button > 11)
        throw std::out_of_range("assign-to-all button " + std::to_string(button) + " outside 0..11");
    const int k = button + 1;
    const ValueSlot value = cameras.camera(current).value(k);
    for (int i = 1; i <= cameras.count(); ++i)
        cameras.camera(i).value(k) = value;
    return {true, "Values copied.Ready.", current, cameras.count()};
}

std::string RemoveQuestion(CamSet set)
{
    return "This will remove the currently shown camera from the " + SetName(set) +
           "-set. Undo is NOT possible. Continue?";
}

std::string AssignToAllQuestion(CamSet set)
{
    return "This will overwrite the same value of all other cameras in the " + SetName(set) +
           "-set. Undo is NOT possible. Continue?";
}

} // namespace vp
