#pragma once
// An input backend opened at its first use rather than when the program starts: on X11 the
// connection to the server, its extension query and the screen's measurement cost about a
// millisecond of the start, for commands that most sessions never run.

#include "remote/InputBackend.h"

#include <functional>
#include <memory>
#include <utility>

namespace vp {

class DeferredInputBackend final : public InputBackend {
public:
    // `open` is called once, at the first call of any member; it gives nothing where no backend
    // can run, and then every call answers as a refusing platform would.
    explicit DeferredInputBackend(std::function<std::unique_ptr<InputBackend>()> open) : open_(std::move(open)) {}

    bool mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) override;
    ScreenSize screenSize() override;
    std::optional<WindowRect> windowRect(WindowHandle window) override;
    bool isKeyDown(int virtualKey) override;
    std::optional<PointerPosition> pointerPosition() override;
    bool sendKey(int virtualKey) override;
    std::unique_ptr<InputWatch> watchInput() override;
    bool available() override { return backend() != nullptr; }

private:
    InputBackend* backend();

    std::function<std::unique_ptr<InputBackend>()> open_;
    std::unique_ptr<InputBackend> backend_;
};

} // namespace vp
