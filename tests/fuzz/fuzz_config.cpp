// Any bytes through the configuration reader: it must stay inside the input, and whatever it reads
// must lay out and read back as the same record.

#include "options/Configuration.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const vp::OptionsRecord first = vp::parseConfigBytes(std::span<const std::uint8_t>(data, size));
    const std::vector<std::uint8_t> bytes = vp::configBytes(first);
    if (bytes.size() != 3149 + first.header.size() + first.gplFolder.size() || !(vp::parseConfigBytes(bytes) == first))
        std::abort();
    return 0;
}
