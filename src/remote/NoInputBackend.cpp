// Platforms without a synthetic-input backend: the program runs, the click script does not.
#include "remote/InputBackend.h"

namespace vp {

std::unique_ptr<InputBackend> createPlatformInputBackend()
{
    return nullptr;
}

} // namespace vp
