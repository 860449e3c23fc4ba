#pragma once
// Synthetic input and input state on an X display: XTest fakes the events, XQueryPointer and
// XQueryKeymap read the state of the pointer, its buttons and the keys.

#include "remote/InputBackend.h"

#include <cstdint>
#include <memory>

namespace vp {

// The backend on the named display (nullptr: the one $DISPLAY names), or nothing when the display
// cannot be opened or has no XTEST extension. It knows the left, right and middle buttons and the
// keys Enter, Escape and F1 to F24; any other key reads as up and is not typed.
std::unique_ptr<InputBackend> OpenX11InputBackend(const char* displayName = nullptr);

// The pixel column (or row) that an absolute coordinate 0..65535 addresses on a screen `pixels`
// wide (or high): pixel / pixels * 65535 taken back and rounded to the nearest pixel, then held
// on the screen. 0 is the first pixel, 65535 the last, and every pixel of a screen up to 65535
// pixels wide survives the way there and back exactly.
std::int32_t AbsoluteToPixel(std::int32_t absolute, std::int32_t pixels);

} // namespace vp
