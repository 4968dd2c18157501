// Quillet.dll in the test's own process: the zoom window as the user sees it
// and the hotkeys as the tray window receives them, driven by real input.
#include "hooklib/Quillet.h"
#include "tests/common/pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr unsigned short kShift = 1, kCtrl = 2, kAlt = 4, kExt = 8; // hotkey control flags
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

// What the test windows received: commands, hotkeys and left clicks.
std::vector<WORD> gCommands;
int gHotkeys = 0, gClicks = 0;

bool Got(WORD command) {
    return std::find(gCommands.begin(), gCommands.end(), command) != gCommands.end();
}

// Stands in for the tray window or whatever lies under the zoom window:
// filled with one colour, noting what it receives in the globals above.
struct CTarget {
    HWND hwnd;

    CTarget(int x, int y, int w, int h, COLORREF colour = kRed) {
        const std::wstring name = L"QuilletTestTarget" + std::to_wstring(colour);
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = CreateSolidBrush(colour);
        wc.lpszClassName = name.c_str();
        if (!RegisterClassW(&wc)) // registered by an earlier window already
            DeleteObject(wc.hbrBackground);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr,
                               nullptr, wc.hInstance, nullptr);
        UpdateWindow(hwnd);
    }
    ~CTarget() { DestroyWindow(hwnd); }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COMMAND)
            gCommands.push_back(LOWORD(wParam));
        gHotkeys += msg == WM_HOTKEY;
        gClicks += msg == WM_LBUTTONDOWN;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
};

// Types `vk` with the modifiers in hotkey control flags held: every key down,
// then every key up in reverse order.
void Press(BYTE vk, unsigned short mods) {
    const BYTE keys[] = {VK_SHIFT, VK_CONTROL, VK_MENU, vk};
    for (int step = 0; step < 8; ++step) {
        const int k = step < 4 ? step : 7 - step;
        if (k == 3 || mods & (1 << k))
            keybd_event(keys[k], static_cast<BYTE>(MapVirtualKeyW(keys[k], MAPVK_VK_TO_VSC)),
                        step < 4 ? 0 : KEYEVENTF_KEYUP, 0);
    }
}

// Moves the cursor to (x, y) and presses `buttons` there; true once it is
// there. Moves and clicks go through one input queue, so they stay in order.
bool Mouse(int x, int y, DWORD buttons = 0) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons, (x * 65535 + cx / 2) / (cx - 1),
                (y * 65535 + cy / 2) / (cy - 1), 0, 0);
    return PumpUntil([&] {
        POINT pt;
        return GetCursorPos(&pt) && pt.x == x && pt.y == y;
    });
}

// Leaves the library as the program has it after start-up, but detached.
class QuilletTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLShowZoomWindow(0);
        QLAttachHookDLL(nullptr);
        QLEnableZoomWindow(1);
        QLSetZoomParams(40, 40, 'Z', kAlt, 13, 4, 1);
        QLSetCaptureParams('C', kAlt);
        QLSetAutoClickParams('X', kAlt);
        gCommands.clear();
        gHotkeys = gClicks = 0;
    }
    static HWND Zoom() { return FindWindowW(L"QuilletZoom", nullptr); }
    static RECT ZoomRect() {
        RECT rc{};
        GetWindowRect(Zoom(), &rc);
        return rc;
    }
};
// Each suite runs in a process of its own: at the start nothing is attached.
using QuilletStartup = QuilletTest;
using QuilletZoom = QuilletTest;
using QuilletHotkeys = QuilletTest;

} // namespace

// Settings handed over before the tray window exists are in force once it attaches.
TEST_F(QuilletStartup, ParametersGivenBeforeAttachingTakeEffect) {
    QLSetZoomParams(500, 500, 'Z', kAlt, 13, 3, 1);
    CTarget tray(0, 0, 10, 10);
    QLAttachHookDLL(tray.hwnd);
    InitHook(tray.hwnd);
    Press('C', kAlt);
    EXPECT_TRUE(PumpUntil([] { return Got(40006); }));
    QLShowZoomWindow(1);
    EXPECT_EQ(ZoomRect().right - ZoomRect().left, 300); // region 500 read as 100, times 3
}

TEST_F(QuilletZoom, VisibilityTimerAndSizeFollowTheCalls) {
    // A call, and the side of the window after it (0: hidden).
    const std::pair<std::function<void()>, int> steps[] = {
        {[] { QLShowZoomWindow(1); }, 160},
        {[] { QLSetZoomParams(5, 5, 'Z', kAlt, 13, 20, 1); }, 100}, // 10 x 10, times 10
        {[] { QLShowZoomWindow(0); }, 0},
        {[] { QLShowZoomWindow(0); }, 0},
        {[] { QLShowZoomWindow(1); }, 100},
        {[] { QLEnableZoomWindow(0); }, 0},
        {[] { QLShowZoomWindow(1); }, 0},
        {[] { QLEnableZoomWindow(1); }, 0},
        {[] { QLShowZoomWindow(1); }, 100},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& [call, side] = steps[i];
        call();
        // Readable at once and true to the screen; the follow timer runs
        // exactly while the window is up (250 ms is many of its periods).
        EXPECT_EQ(QLIsWindowVisible() != 0, side != 0) << i;
        EXPECT_EQ(IsWindowVisible(Zoom()) ? ZoomRect().bottom - ZoomRect().top : 0, side) << i;
        MSG m;
        const auto tick = [&] { return PeekMessageW(&m, Zoom(), WM_TIMER, WM_TIMER, PM_REMOVE); };
        EXPECT_EQ(PumpUntil(tick, 250), side != 0) << i;
    }
}

TEST_F(QuilletZoom, MagnifiesBesideTheCursorTopmostClickThroughNeverActivated) {
    CTarget red(100, 100, 300, 500, kRed), blue(400, 100, 300, 500, kBlue);
    SetForegroundWindow(blue.hwnd);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == blue.hwnd; }));
    QLShowZoomWindow(1);
    // At x = 400 the square's left 20 pixels are red and its right 20 blue, so
    // (times 4) the window is red up to x = 80; at x = 550 it is all blue.
    HDC screen = GetDC(nullptr);
    for (int cx : {400, 550}) {
        ASSERT_TRUE(Mouse(cx, 300));
        // 20 pixels below right: clear of the square.
        ASSERT_TRUE(PumpUntil([&] { return ZoomRect().left == cx + 20 && ZoomRect().top == 320; }));
        const RECT rc = ZoomRect();
        EXPECT_TRUE(PumpUntil([&] {
            for (int y : {0, 80, 159})
                for (int x : {0, 79, 80, 159})
                    if (GetPixel(screen, rc.left + x, rc.top + y) !=
                        (cx == 400 && x < 80 ? kRed : kBlue))
                        return false;
            return true;
        })) << cx;
    }
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GetForegroundWindow(), blue.hwnd);
    const LONG_PTR wanted =
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;
    EXPECT_EQ(GetWindowLongPtrW(Zoom(), GWL_EXSTYLE) & wanted, wanted);

    // A click on it lands on the window under it.
    Mouse(650, 400, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([] { return gClicks > 0; }));
}

// Each hotkey posts its command while a window is attached; detached, or
// changed, a combination is released for others to register.
TEST_F(QuilletHotkeys, PostedWhileAttachedAndReleasedWhenDetachedOrChanged) {
    CTarget tray(0, 0, 10, 10);
    QLAttachHookDLL(tray.hwnd);
    InitHook(tray.hwnd);
    // Key, command, and whether Ctrl is held besides Alt.
    const std::tuple<BYTE, WORD, bool> cases[] = {{'Z', 40003, false},
                                                  {'C', 40006, false},
                                                  {'X', 40007, false},
                                                  {'R', 40009, true},
                                                  {'P', 41008, true}};
    for (const auto& [vk, command, ctrl] : cases) {
        gCommands.clear();
        Press(vk, ctrl ? kCtrl | kAlt : kAlt);
        EXPECT_TRUE(PumpUntil([&] { return Got(command); })) << command;
        EXPECT_EQ(gCommands.size(), 1u) << command;
    }
    EXPECT_EQ(QLIsWindowVisible(), 0); // showing the zoom window is the tray's business

    QLAttachHookDLL(nullptr);
    gCommands.clear();
    for (const auto& [vk, command, ctrl] : cases)
        EXPECT_TRUE(RegisterHotKey(tray.hwnd, command, ctrl ? MOD_CONTROL | MOD_ALT : MOD_ALT, vk));
    Press('Z', kAlt);
    EXPECT_TRUE(PumpUntil([] { return gHotkeys > 0; }));
    EXPECT_TRUE(gCommands.empty());
    for (const auto& [vk, command, ctrl] : cases)
        UnregisterHotKey(tray.hwnd, command);

    // Attached again, Alt+C gives way to Ctrl+Shift+C (the extended flag
    // changes nothing), and key 0 leaves no hotkey at all.
    QLAttachHookDLL(tray.hwnd);
    QLSetCaptureParams('C', kCtrl | kShift | kExt);
    EXPECT_TRUE(RegisterHotKey(tray.hwnd, 1, MOD_ALT, 'C'));
    Press('C', kCtrl | kShift);
    EXPECT_TRUE(PumpUntil([] { return Got(40006); }));
    QLSetCaptureParams(0, kCtrl | kShift);
    EXPECT_TRUE(RegisterHotKey(tray.hwnd, 2, MOD_CONTROL | MOD_SHIFT, 'C'));
}

// Without the persist flag the next click or key press puts the zoom window
// away; modifiers alone and the magnifier hotkey (which goes to the tray
// window, which toggles) do not. With the flag it stays.
TEST_F(QuilletZoom, NextClickOrKeyHidesItOnlyWithoutPersist) {
    CTarget tray(100, 100, 300, 300);
    QLAttachHookDLL(tray.hwnd);
    InitHook(tray.hwnd);
    ASSERT_TRUE(Mouse(200, 200));
    constexpr DWORD kLeft = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;
    constexpr DWORD kRight = MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP;
    // Persist flag, a key pressed alone or buttons clicked, and whether that
    // hides it; last, the magnifier hotkey alone (pressed in every round).
    const std::tuple<int, BYTE, DWORD, bool> cases[] = {
        {0, VK_F9, 0, true},  {0, 0, kLeft, true},     {0, 0, kRight, true}, {1, VK_F9, 0, false},
        {1, 0, kLeft, false}, {0, VK_SHIFT, 0, false}, {0, 0, 0, false}};
    for (const auto& [persist, key, buttons, hides] : cases) {
        QLSetZoomParams(40, 40, 'Z', kAlt, 13, 4, persist);
        QLShowZoomWindow(1);
        gCommands.clear();
        if (key != 0)
            Press(key, 0);
        Mouse(200, 200, buttons);
        // The hotkey's command comes after the input's effect would have.
        Press('Z', kAlt);
        EXPECT_TRUE(PumpUntil([] { return Got(40003); }))
            << persist << "/" << +key << "/" << buttons;
        EXPECT_EQ(QLIsWindowVisible() == 0, hides) << persist << "/" << +key << "/" << buttons;
        QLShowZoomWindow(0);
    }
}
