// Any bytes through the CAM reader: it must stay inside the input, leave the document alone when it
// fails, report one step per camera it took, and whatever it accepts must write back as exactly the
// bytes it read.

#include "camdata/CamFile.h"

#include <algorithm>
#include <cstdlib>

namespace {

// True while every byte of doc is still zero. Folding the bits keeps this cheap under the fuzzer's
// comparison tracing, which a field-by-field operator== over 7000 slots is not.
bool AllZero(const vp::CameraDocument& doc)
{
    std::uint32_t bits = 0;
    for (std::uint8_t b : doc.header)
        bits |= b;
    for (const vp::CameraSet* set : {&doc.tv1, &doc.tv2}) {
        for (std::uint8_t b : set->countField())
            bits |= b;
        for (int k = 1; k <= vp::kCameraStorage; ++k)
            for (vp::ValueSlot slot : set->camera(k).values)
                bits |= slot.bits();
    }
    for (vp::ValueSlot slot : doc.pit.values)
        bits |= slot.bits();
    return bits == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    vp::CameraDocument doc;
    int cameraSteps = 0;
    const auto countSteps = [&cameraSteps](const vp::ReadProgress& e) { cameraSteps += e.kind == vp::ReadProgress::Kind::CameraStep ? 1 : 0; };
    if (vp::readCamBytes(bytes, doc, countSteps)) {
        if (!AllZero(doc))
            std::abort();
        return 0;
    }
    if (cameraSteps != doc.tv1.count() + doc.tv2.count())
        std::abort();
    const std::vector<std::uint8_t> written = vp::camFileBytes(doc);
    if (written.size() > size || !std::equal(written.begin(), written.end(), bytes.begin()))
        std::abort();
    return 0;
}
