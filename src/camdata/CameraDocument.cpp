#include "camdata/CameraDocument.h"

#include "camdata/LittleEndian.h"

#include <stdexcept>
#include <string>

namespace vp {

namespace {

std::size_t CameraIndex(int k)
{
    if (k < 1 || k > kCameraStorage)
        throw std::out_of_range("camera number " + std::to_string(k) + " outside 1.." + std::to_string(kCameraStorage));
    return static_cast<std::size_t>(k - 1);
}

} // namespace

void CameraSet::setCount(int n)
{
    if (n < 0 || n > kMaxCamerasPerSet)
        throw std::out_of_range("camera count " + std::to_string(n) + " outside 0.." + std::to_string(kMaxCamerasPerSet));
    countField_[0] = static_cast<std::uint8_t>(n);
}

TvCameraRecord& CameraSet::camera(int k)
{
    return cameras_[CameraIndex(k)];
}

const TvCameraRecord& CameraSet::camera(int k) const
{
    return cameras_[CameraIndex(k)];
}

std::uint32_t CameraDocument::headerLength() const
{
    return LoadLe32(&header[8]);
}

CameraDocument CameraDocument::startup(const std::array<ValueSlot, 12>& defaultValues)
{
    CameraDocument doc;
    doc.header = {0x4D, 0x41, 0x43, 0x54, 0, 0, 0, 0, 0, 0, 0, 0};
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        CameraSet& set = doc.set(s);
        set.setCount(1);
        TvCameraRecord& first = set.camera(1);
        first.value(1) = ValueSlot::fromFloat(0.0f);
        for (int k = 2; k <= 12; ++k)
            first.value(k) = defaultValues[static_cast<std::size_t>(k - 1)];
    }
    doc.pit.value(9) = ValueSlot::fromFloat(-0.125f);
    UpdateHeaderLength(doc);
    return doc;
}

void UpdateHeaderLength(CameraDocument& doc)
{
    StoreLe32(&doc.header[8], 60 + 56 * static_cast<std::uint32_t>(doc.tv1.count() + doc.tv2.count()));
}

} // namespace vp
