// The user32 backend against a window of its own: real input through SendInput, read back as the
// window's messages and as the system's key and pointer state. It needs a desktop; CI runs it
// under Wine on Xvfb.
#include "remote/MouseInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace vp {
namespace {

struct Received {
    UINT message = 0;
    int x = 0, y = 0; // client coordinates of a mouse message
    WPARAM key = 0;   // virtual key of a key message
    friend bool operator==(const Received&, const Received&) = default;
};

std::vector<Received> gReceived;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
        gReceived.push_back({message, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), 0});
    else if (message == WM_KEYDOWN || message == WM_KEYUP)
        gReceived.push_back({message, 0, 0, wParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr wchar_t kClassName[] = L"VantapointInputTest";
// The window: borderless, so its client area starts at its corner.
constexpr int kLeft = 200, kTop = 150, kWidth = 300, kHeight = 200;

class Win32InputBackendTest : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.lpszClassName = kClassName;
        ASSERT_NE(RegisterClassW(&windowClass), 0);
        window = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"input", WS_POPUP | WS_VISIBLE, kLeft, kTop, kWidth,
                                 kHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        SetFocus(window);
        pump(std::chrono::milliseconds(300));
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        ASSERT_EQ(std::pair(origin.x, origin.y), std::pair(LONG{kLeft}, LONG{kTop}));
        backend = createPlatformInputBackend();
        ASSERT_NE(backend, nullptr);
        gReceived.clear();
    }

    void TearDown() override
    {
        if (backend)
            backend->mouseEvent(MouseFlags::LeftUp, 0, 0, 0); // a failed check must not leave the button held
        if (window != nullptr)
            DestroyWindow(window);
        UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
    }

    // Runs the window's messages for a while.
    void pump(std::chrono::milliseconds wait)
    {
        for (const auto deadline = std::chrono::steady_clock::now() + wait; std::chrono::steady_clock::now() < deadline;) {
            for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
                DispatchMessageW(&message);
            Sleep(5);
        }
    }

    // The next message of that kind the window receives within two seconds; the ones before it are dropped.
    std::optional<Received> next(UINT message)
    {
        for (int waited = 0; waited < 400; ++waited, pump(std::chrono::milliseconds(5))) {
            const auto found = std::find_if(gReceived.begin(), gReceived.end(), [&](const Received& r) { return r.message == message; });
            if (found != gReceived.end()) {
                const Received received = *found;
                gReceived.erase(gReceived.begin(), found + 1);
                return received;
            }
        }
        return std::nullopt;
    }

    HWND window = nullptr;
    std::unique_ptr<InputBackend> backend;
};

// Windows cuts absolute coordinates down to a pixel, where the program rounds to the nearest.
TEST_F(Win32InputBackendTest, EveryPixelOfTheScreenIsReachedExactly)
{
    SteadyClock clock;
    MouseInput mouse(*backend, clock);
    for (std::int32_t x = 0; x < std::max(mouse.screenWidth(), mouse.screenHeight()); ++x) {
        const std::pair<std::int32_t, std::int32_t> at(std::min(x, mouse.screenWidth() - 1), std::min(x, mouse.screenHeight() - 1));
        ASSERT_TRUE(mouse.moveTo(at.first, at.second));
        ASSERT_EQ(std::pair(backend->pointerPosition()->x, backend->pointerPosition()->y), at);
    }
}

TEST_F(Win32InputBackendTest, MovesClicksAndKeysReachTheWindowAndTheirStateIsRead)
{
    SteadyClock clock;
    MouseInput mouse(*backend, clock);
    // In client coordinates: the corner, one that Windows alone would miss by one, the last pixel.
    for (const auto& [x, y] : {std::pair{0, 0}, {37, 21}, {299, 199}}) {
        gReceived.clear();
        ASSERT_TRUE(mouse.moveTo(kLeft + x, kTop + y));
        EXPECT_EQ(next(WM_MOUSEMOVE), (Received{WM_MOUSEMOVE, x, y, 0})) << x << "," << y;
        EXPECT_EQ(std::pair(backend->pointerPosition()->x, backend->pointerPosition()->y), std::pair(kLeft + x, kTop + y));
        mouse.pressButton(1);
        EXPECT_TRUE(backend->isKeyDown(VirtualKey::LeftButton));
        mouse.releaseButton(1);
        EXPECT_FALSE(backend->isKeyDown(VirtualKey::LeftButton));
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
            EXPECT_EQ(next(message), (Received{message, x, y, 0})) << message;
    }

    ASSERT_TRUE(backend->sendKey(VirtualKey::F5));
    for (UINT message : {WM_KEYDOWN, WM_KEYUP})
        EXPECT_EQ(next(message), (Received{message, 0, 0, VK_F5})) << message;
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::F5));
    for (bool down : {true, false}) {
        INPUT key{};
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_F5;
        key.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(1, &key, sizeof(INPUT)), 1u);
        EXPECT_EQ(backend->isKeyDown(VirtualKey::F5), down);
    }
}

TEST_F(Win32InputBackendTest, WindowRectangleIsInScreenPixelsAndAGoneWindowHasNone)
{
    const WindowHandle handle = reinterpret_cast<WindowHandle>(window);
    const WindowRect rect = backend->windowRect(handle).value_or(WindowRect{});
    EXPECT_EQ(std::tuple(rect.left, rect.top, rect.right, rect.bottom), std::tuple(200, 150, 500, 350));
    DestroyWindow(window);
    window = nullptr;
    EXPECT_FALSE(backend->windowRect(handle) || backend->windowRect(0));
}

} // namespace
} // namespace vp
