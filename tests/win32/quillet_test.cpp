// Quillet.dll in the test's own process: the zoom window as the user sees it
// and the hotkeys as the tray window receives them, driven by real input.
#include "hooklib/Quillet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr unsigned short kShift = 1, kCtrl = 2, kAlt = 4, kExt = 8; // hotkey control flags
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

// Runs this thread's messages until `done` holds or `timeoutMs` passes.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    }
}

// Stands in for the tray window: notes the commands, hotkeys and clicks it
// receives; painted in one colour on its left half and another on its right.
struct CTarget {
    std::vector<WORD> commands;
    std::vector<WPARAM> hotkeys;
    int clicks = 0;
    COLORREF colours[2];
    HWND hwnd;

    CTarget(int x, int y, int w, int h, COLORREF left = kRed, COLORREF right = kBlue)
        : colours{left, right} {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuilletTestTarget";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr,
                               nullptr, wc.hInstance, this);
        UpdateWindow(hwnd);
    }
    ~CTarget() { DestroyWindow(hwnd); }
    bool Got(WORD command) const {
        return std::find(commands.begin(), commands.end(), command) != commands.end();
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<CTarget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self != nullptr && msg == WM_COMMAND)
            self->commands.push_back(LOWORD(wParam));
        else if (self != nullptr && msg == WM_HOTKEY)
            self->hotkeys.push_back(wParam);
        else if (self != nullptr && msg == WM_LBUTTONDOWN)
            ++self->clicks;
        else if (self != nullptr && msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT rc;
            GetClientRect(hwnd, &rc);
            for (int half = 0; half < 2; ++half) {
                const RECT part{half * rc.right / 2, 0, (half + 1) * rc.right / 2, rc.bottom};
                HBRUSH brush = CreateSolidBrush(self->colours[half]);
                FillRect(dc, &part, brush);
                DeleteObject(brush);
            }
            EndPaint(hwnd, &ps);
        } else
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        return 0;
    }
};

void Key(WORD vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
}

// Types a key with modifiers held, given in the hotkey control's flags.
void Press(WORD vk, unsigned short mods) {
    const WORD modKeys[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    for (int i = 0; i < 3; ++i)
        if (mods & (1 << i))
            Key(modKeys[i], true);
    Key(vk, true);
    Key(vk, false);
    for (int i = 0; i < 3; ++i)
        if (mods & (1 << i))
            Key(modKeys[i], false);
}

// Mouse moves and clicks go through one input queue, so they stay in order.
void Mouse(int x, int y, DWORD buttons) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65535 + 512) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (y * 65535 + 384) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &in, sizeof in);
}

bool MoveCursor(int x, int y) {
    Mouse(x, y, 0);
    return PumpUntil([&] {
        POINT pt;
        return GetCursorPos(&pt) && pt.x == x && pt.y == y;
    });
}

void Click(int x, int y) {
    Mouse(x, y, MOUSEEVENTF_LEFTDOWN);
    Mouse(x, y, MOUSEEVENTF_LEFTUP);
}

HWND Zoom() {
    return FindWindowW(L"QuilletZoom", nullptr);
}

RECT ZoomRect() {
    RECT rc{};
    GetWindowRect(Zoom(), &rc);
    return rc;
}

// With the default settings and room around the cursor at (x, y), the zoom
// window follows it to 20 pixels below and right.
bool ZoomFollowed(int x, int y) {
    return PumpUntil([&] { return ZoomRect().left == x + 20 && ZoomRect().top == y + 20; });
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

// Whether a WM_TIMER for `hwnd` comes due in `timeoutMs`; nothing else is
// dispatched meanwhile, so the timer message is seen before it is handled.
bool TimerComes(HWND hwnd, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (MSG msg; !PeekMessageW(&msg, hwnd, WM_TIMER, WM_TIMER, PM_REMOVE);) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_TIMER);
    }
    return true;
}

// Leaves the library as the program has it after start-up, but detached.
class QuilletTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        QLShowZoomWindow(0);
        QLAttachHookDLL(nullptr);
        QLEnableZoomWindow(1);
        QLSetZoomParams(40, 40, 'Z', kAlt, 13, 4, 1);
        QLSetCaptureParams('C', kAlt);
        QLSetAutoClickParams('X', kAlt);
    }
};
using QuilletZoom = QuilletTest;
using QuilletHotkeys = QuilletTest;

} // namespace

// Settings handed over before the tray window exists are in force once it
// attaches. (Each suite runs in a process of its own: nothing attached before.)
TEST(QuilletStartup, ParametersGivenBeforeAttachingTakeEffect) {
    QLSetZoomParams(500, 500, 'Z', kAlt, 13, 3, 1);
    QLSetCaptureParams('C', kAlt);
    CTarget tray(0, 0, 10, 10);
    QLAttachHookDLL(tray.hwnd);
    QLEnableZoomWindow(1);
    InitHook(tray.hwnd);
    Press('C', kAlt);
    EXPECT_TRUE(PumpUntil([&] { return tray.Got(40006); }));
    QLShowZoomWindow(1);
    EXPECT_EQ(ZoomRect().right - ZoomRect().left, 300); // region 500 read as 100, times 3
    QLShowZoomWindow(0);
    QLAttachHookDLL(nullptr);
}

TEST_F(QuilletZoom, VisibilityTimerAndSizeFollowTheCalls) {
    const struct {
        std::function<void()> call;
        bool visible;
        int side; // of the window, when visible
    } steps[] = {
        {[] { QLShowZoomWindow(1); }, true, 160},
        {[] { QLSetZoomParams(5, 5, 'Z', kAlt, 13, 20, 1); }, true, 100}, // 10 x 10
        {[] { QLSetZoomParams(100, 100, 'Z', kAlt, 13, 10, 1); }, true, 1000},
        {[] { QLShowZoomWindow(0); }, false, 0},
        {[] { QLShowZoomWindow(0); }, false, 0},
        {[] { QLShowZoomWindow(1); }, true, 1000},
        {[] { QLEnableZoomWindow(0); }, false, 0},
        {[] { QLShowZoomWindow(1); }, false, 0},
        {[] { QLEnableZoomWindow(1); }, false, 0},
        {[] { QLShowZoomWindow(1); }, true, 1000},
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        steps[i].call();
        // Readable at once and true to the screen; the follow timer runs
        // exactly while the window is up (250 ms is many of its periods).
        EXPECT_EQ(QLIsWindowVisible() != 0, steps[i].visible) << i;
        EXPECT_EQ(IsWindowVisible(Zoom()) != FALSE, steps[i].visible) << i;
        EXPECT_EQ(TimerComes(Zoom(), 250), steps[i].visible) << i;
        if (steps[i].visible) {
            EXPECT_EQ(ZoomRect().bottom - ZoomRect().top, steps[i].side) << i;
        }
    }
}

TEST_F(QuilletZoom, TopmostClickThroughNeverActivatedAndBesideTheSquare) {
    CTarget below(100, 100, 600, 500);
    SetForegroundWindow(below.hwnd);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == below.hwnd; }));
    ASSERT_TRUE(MoveCursor(300, 300));
    QLShowZoomWindow(1);
    ASSERT_TRUE(ZoomFollowed(300, 300)); // clear of the square (280, 280)-(320, 320)
    EXPECT_EQ(GetForegroundWindow(), below.hwnd);
    const LONG_PTR ex = GetWindowLongPtrW(Zoom(), GWL_EXSTYLE);
    const LONG_PTR wanted =
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;
    EXPECT_EQ(ex & wanted, wanted);

    // A click on it lands on the window under it, which stays in front.
    const RECT rc = ZoomRect();
    Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    EXPECT_TRUE(PumpUntil([&] { return below.clicks > 0; }));
    EXPECT_NE(QLIsWindowVisible(), 0);
    EXPECT_EQ(GetForegroundWindow(), below.hwnd);
}

TEST_F(QuilletZoom, ShowsTheScreenAroundTheCursorMagnified) {
    CTarget colours(100, 100, 600, 500); // red left of x = 400, blue from there on
    ASSERT_TRUE(MoveCursor(400, 300));
    QLShowZoomWindow(1);
    ASSERT_TRUE(ZoomFollowed(400, 300));
    // The square's left 20 pixels are red, its right 20 blue: times 4, the
    // window is red up to x = 80 and blue from there.
    const RECT rc = ZoomRect();
    EXPECT_TRUE(PumpUntil([&] {
        for (int y : {0, 80, 159})
            for (int x : {0, 79, 80, 159})
                if (ScreenPixel(rc.left + x, rc.top + y) != (x < 80 ? kRed : kBlue))
                    return false;
        return true;
    }));

    // It follows the cursor and shows what is under it now.
    CTarget green(700, 100, 200, 200, kGreen, kGreen);
    ASSERT_TRUE(MoveCursor(800, 200));
    ASSERT_TRUE(ZoomFollowed(800, 200));
    EXPECT_TRUE(PumpUntil(
        [&] { return ScreenPixel(ZoomRect().right - 10, ZoomRect().bottom - 10) == kGreen; }));
}

TEST_F(QuilletHotkeys, EachHotkeyPostsItsCommandToTheAttachedWindowOnly) {
    CTarget tray(0, 0, 10, 10);
    QLAttachHookDLL(tray.hwnd);
    InitHook(tray.hwnd);
    const struct {
        WORD vk;
        unsigned short mods;
        WORD command;
    } cases[] = {{'Z', kAlt, 40003},
                 {'C', kAlt, 40006},
                 {'X', kAlt, 40007},
                 {'R', kCtrl | kAlt, 40009},
                 {'P', kCtrl | kAlt, 41008}};
    for (const auto& c : cases) {
        tray.commands.clear();
        Press(c.vk, c.mods);
        EXPECT_TRUE(PumpUntil([&] { return tray.Got(c.command); })) << c.command;
        EXPECT_EQ(tray.commands.size(), 1u) << c.command;
    }
    EXPECT_EQ(QLIsWindowVisible(), 0); // showing the zoom window is the tray's business

    // Detached, every combination is free: the test window can register Alt+Z
    // and Ctrl+Alt+R and receives Alt+Z itself, and no command comes.
    QLAttachHookDLL(nullptr);
    tray.commands.clear();
    ASSERT_TRUE(RegisterHotKey(tray.hwnd, 1, MOD_ALT, 'Z'));
    EXPECT_TRUE(RegisterHotKey(tray.hwnd, 2, MOD_CONTROL | MOD_ALT, 'R'));
    Press('Z', kAlt);
    EXPECT_TRUE(PumpUntil([&] { return !tray.hotkeys.empty(); }));
    EXPECT_TRUE(tray.commands.empty());
    UnregisterHotKey(tray.hwnd, 1);
    UnregisterHotKey(tray.hwnd, 2);
    QLAttachHookDLL(tray.hwnd); // and live again once attached
    Press('Z', kAlt);
    EXPECT_TRUE(PumpUntil([&] { return tray.Got(40003); }));
}

TEST_F(QuilletHotkeys, ReplacedReleasedAndForeignCombinations) {
    CTarget tray(0, 0, 10, 10), other(20, 0, 10, 10);
    QLAttachHookDLL(tray.hwnd);
    InitHook(tray.hwnd);

    // Alt+C gives way to Ctrl+Shift+C (the extended flag changes nothing)...
    QLSetCaptureParams('C', kCtrl | kShift | kExt);
    ASSERT_TRUE(RegisterHotKey(other.hwnd, 1, MOD_ALT, 'C'));
    Press('C', kCtrl | kShift);
    EXPECT_TRUE(PumpUntil([&] { return tray.Got(40006); }));
    // ...and key 0 leaves no hotkey at all.
    QLSetCaptureParams(0, kCtrl | kShift);
    EXPECT_TRUE(RegisterHotKey(other.hwnd, 2, MOD_CONTROL | MOD_SHIFT, 'C'));

    // A combination held elsewhere stays there, quietly.
    ASSERT_TRUE(RegisterHotKey(other.hwnd, 3, MOD_ALT, 'Q'));
    QLSetAutoClickParams('Q', kAlt);
    tray.commands.clear();
    Press('Q', kAlt);
    EXPECT_TRUE(PumpUntil([&] { return other.hotkeys.size() == 1 && other.hotkeys[0] == 3; }));
    EXPECT_TRUE(tray.commands.empty());
    for (int id = 1; id <= 3; ++id)
        UnregisterHotKey(other.hwnd, id);
}

// Without the persist flag the next click or key press puts the zoom window
// away; modifiers alone and the magnifier hotkey (which goes to the tray
// window, which toggles) do not. With the flag it stays.
TEST_F(QuilletZoom, NextClickOrKeyHidesItOnlyWithoutPersist) {
    CTarget tray(100, 100, 300, 300);
    QLAttachHookDLL(tray.hwnd);
    InitHook(tray.hwnd);
    const struct {
        int persist;
        std::function<void()> input;
        bool hides;
    } cases[] = {
        {0, [] { Press(VK_F9, 0); }, true},
        {0, [] { Click(200, 200); }, true},
        {0, [] { Mouse(200, 200, MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP); }, true},
        {1, [] { Press(VK_F9, 0); }, false},
        {1, [] { Click(200, 200); }, false},
        {0, [] { Press(VK_SHIFT, 0); }, false},
        {0, [] {}, false}, // the magnifier hotkey alone, pressed below
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        QLSetZoomParams(40, 40, 'Z', kAlt, 13, 4, cases[i].persist);
        ASSERT_TRUE(MoveCursor(200, 200));
        QLShowZoomWindow(1);
        tray.commands.clear();
        cases[i].input();
        // The hotkey's command comes after the input's effect would have.
        Press('Z', kAlt);
        EXPECT_TRUE(PumpUntil([&] { return tray.Got(40003); })) << i;
        EXPECT_EQ(QLIsWindowVisible() == 0, cases[i].hides) << i;
        QLShowZoomWindow(0);
    }
}
