#include "remote/ClickScript.h"

namespace vp {

bool ClickScript::append(std::int32_t interval, std::int32_t atX, std::int32_t atY)
{
    if (full())
        return false;
    const int n = ++count;
    intervals[static_cast<std::size_t>(n)] = interval;
    x[static_cast<std::size_t>(n)] = atX;
    y[static_cast<std::size_t>(n)] = atY;
    return true;
}

} // namespace vp
