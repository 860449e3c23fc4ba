#pragma once
// Synthetic input and input state on an X display: XTest fakes the events, XQueryPointer and
// XQueryKeymap read the state of the pointer, its buttons and the keys.

#include "remote/InputBackend.h"

#include <memory>

namespace vp {

// The backend on the named display (nullptr: the one $DISPLAY names), or nothing when the display
// cannot be opened or has no XTEST extension. It knows the left, right and middle buttons and the
// keys Enter, Escape and F1 to F24; any other key reads as up and is not typed.
std::unique_ptr<InputBackend> openX11InputBackend(const char* displayName = nullptr);

} // namespace vp
