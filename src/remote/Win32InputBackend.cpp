// Synthetic input and input state through user32, the calls the program's terms come from.
#include "remote/InputBackend.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace vp {

namespace {

static_assert(MouseFlags::Move == MOUSEEVENTF_MOVE && MouseFlags::LeftDown == MOUSEEVENTF_LEFTDOWN &&
              MouseFlags::LeftUp == MOUSEEVENTF_LEFTUP && MouseFlags::RightDown == MOUSEEVENTF_RIGHTDOWN &&
              MouseFlags::RightUp == MOUSEEVENTF_RIGHTUP && MouseFlags::MiddleDown == MOUSEEVENTF_MIDDLEDOWN &&
              MouseFlags::MiddleUp == MOUSEEVENTF_MIDDLEUP && MouseFlags::Wheel == MOUSEEVENTF_WHEEL &&
              MouseFlags::Absolute == MOUSEEVENTF_ABSOLUTE,
              "the mouse flags are user32's own");

// How long sendKey waits for the foreground window's thread to take its messages again.
constexpr UINT kKeyWaitMs = 1000;

// Windows puts an absolute coordinate a on pixel a * pixels / 65536 cut down, which for about
// half of the pixels is one short of the pixel the program means (the nearest, absoluteToPixel):
// recorded clicks would drift by one. It gets the smallest coordinate on that pixel instead.
std::int32_t onItsPixel(std::int32_t absolute, std::int32_t pixels)
{
    if (pixels <= 0)
        return absolute;
    const std::int64_t pixel = absoluteToPixel(absolute, pixels);
    return static_cast<std::int32_t>((pixel * 65536 + pixels - 1) / pixels);
}

class Win32InputBackend final : public InputBackend {
public:
    bool mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) override
    {
        if ((flags & MouseFlags::Move) != 0 && (flags & MouseFlags::Absolute) != 0) {
            const ScreenSize screen = screenSize();
            dx = onItsPixel(dx, screen.width);
            dy = onItsPixel(dy, screen.height);
        }
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = dx;
        input.mi.dy = dy;
        // The signed wheel amount travels in an unsigned field, bit for bit.
        input.mi.mouseData = static_cast<DWORD>(data);
        input.mi.dwFlags = flags;
        // Zero events inserted: input blocked, by a higher-integrity foreground window for example.
        return SendInput(1, &input, sizeof(INPUT)) == 1;
    }

    ScreenSize screenSize() override
    {
        return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }

    std::optional<WindowRect> windowRect(WindowHandle window) override
    {
        RECT rect{};
        if (GetWindowRect(reinterpret_cast<HWND>(window), &rect) == 0)
            return std::nullopt;
        return WindowRect{rect.left, rect.top, rect.right, rect.bottom};
    }

    bool isKeyDown(int virtualKey) override
    {
        return (static_cast<unsigned short>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
    }

    std::optional<PointerPosition> pointerPosition() override
    {
        POINT point{};
        if (GetCursorPos(&point) == 0)
            return std::nullopt;
        return PointerPosition{point.x, point.y};
    }

    bool sendKey(int virtualKey) override
    {
        INPUT keys[2]{};
        keys[0].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = static_cast<WORD>(virtualKey);
        // Games that read the keyboard directly look at the scan code, not the virtual key.
        keys[0].ki.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC));
        keys[1] = keys[0];
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        if (SendInput(2, keys, sizeof(INPUT)) != 2)
            return false;
        // SendInput only queues the keys. The nearest to "processed" that user32 offers: a message
        // sent to the foreground window returns when its thread next takes messages, so a busy
        // game holds the next key back instead of letting keys pile up; a hung one fails it.
        HWND foreground = GetForegroundWindow();
        if (foreground == nullptr)
            return true;
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kKeyWaitMs, &result) != 0;
    }
};

} // namespace

std::unique_ptr<InputBackend> createPlatformInputBackend()
{
    return std::make_unique<Win32InputBackend>();
}

} // namespace vp
