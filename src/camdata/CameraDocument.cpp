#include "camdata/CameraDocument.h"

#include "camdata/LittleEndian.h"

#include <algorithm>
#include <cassert>

namespace vp {

void CameraSet::setCount(int n)
{
    assert(n >= 0 && n <= kMaxCamerasPerSet);
    countField_[0] = static_cast<std::uint8_t>(std::clamp(n, 0, kMaxCamerasPerSet));
}

TvCameraRecord& CameraSet::camera(int k)
{
    return cameras_[recordIndex<kCameraStorage>(k)];
}

const TvCameraRecord& CameraSet::camera(int k) const
{
    return cameras_[recordIndex<kCameraStorage>(k)];
}

std::uint32_t CameraDocument::headerLength() const
{
    return loadLe32(&header[8]);
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
    updateHeaderLength(doc);
    return doc;
}

void updateHeaderLength(CameraDocument& doc)
{
    storeLe32(&doc.header[8], 60 + 56 * static_cast<std::uint32_t>(doc.tv1.count() + doc.tv2.count()));
}

} // namespace vp
