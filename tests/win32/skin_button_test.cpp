// The flat owner-drawn and skinned push buttons on real windows: what they draw in each state
// (read back from a memory DC), and the hover tracking under real mouse input.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <set>

#include "core/SkinPainter.h"
#include "framework/Gdi.h"
#include "skin/OwnerDrawButton.h"
#include "skin/SkinButton.h"
#include "tests/common/canvas.h"
#include "tests/common/pump.h"

namespace {

constexpr int kId = 1201, kW = 121, kH = 40; // the button's id and size (rows padded)
// The host window stands at (100, 100) on the screen, the button at (40, 40) in it.
constexpr POINT kInside = {200, 160}, kOutside = {120, 300};

// Mouse messages this thread has taken from its queue (a thread-local mouse hook): how many,
// how many were double clicks, when the last came and where it was.
int g_mouseMessages = 0, g_doubleClicks = 0;
DWORD g_lastMouseTick = 0;
POINT g_lastMousePt = {};
LRESULT CALLBACK CountMouse(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        ++g_mouseMessages;
        g_doubleClicks += wp == WM_LBUTTONDBLCLK;
        g_lastMouseTick = GetTickCount();
        g_lastMousePt = reinterpret_cast<MOUSEHOOKSTRUCT*>(lp)->pt;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Sends mouse input at a screen point and waits until it has been handled. Wine's virtual
// desktop reports each pointer move a second time a little later, sometimes after the next
// move (from a position already left), so after a move the wait goes on until the moves stop
// coming and the last one is where the pointer was sent.
bool Mouse(POINT at, DWORD buttons = 0, int tries = 3) {
    POINT now;
    if (!buttons && GetCursorPos(&now) && now.x == at.x && now.y == at.y &&
        !Mouse({at.x + 1, at.y})) // a move to where the pointer is would not be reported
        return false;
    MSG msg; // the input already queued first
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    const int before = g_mouseMessages;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons,
                (at.x * 65535 + cx / 2) / (cx - 1), (at.y * 65535 + cy / 2) / (cy - 1), 0, 0);
    if (buttons)
        return PumpUntil([&] { return g_mouseMessages > before; });
    if (!PumpUntil(
            [&] { return g_mouseMessages > before && GetTickCount() - g_lastMouseTick >= 80; }))
        return false;
    if (g_lastMousePt.x == at.x && g_lastMousePt.y == at.y)
        return true;
    return tries > 1 && Mouse(at, 0, tries - 1);
}

struct CHost : CWnd {
    int clicks = 0, doubleClicks = 0;
    bool OnCommand(WPARAM wp, LPARAM lp, LRESULT& result) override {
        clicks += HIWORD(wp) == BN_CLICKED;
        doubleClicks += HIWORD(wp) == BN_DOUBLECLICKED;
        return CWnd::OnCommand(wp, lp, result);
    }
};

template <class Base> struct CProbe : Base {
    void SetHover(int hover) { this->m_bHover = hover; }
};

// One push button, attached to `button`, on a top-level window that lives as long
// as the test program: closing a top-level window hands the activation on asynchronously, and
// a late activation change would take the capture from the next test's button.
struct Host {
    CHost& wnd = Window();
    HWND hButton = nullptr;
    Host(CWnd* button, const char* caption) {
        wnd.clicks = wnd.doubleClicks = 0;
        hButton = CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 40, 40,
                                  kW, kH, wnd, HMENU(kId), nullptr, nullptr);
        SendMessageA(hButton, WM_SETFONT, WPARAM(CrispFont()), FALSE);
        button->SubclassWindow(hButton);
        SetForegroundWindow(wnd);
        PumpUntil([&] { return GetActiveWindow() == wnd.m_hWnd; });
    }
    ~Host() { DestroyWindow(hButton); }
    static CHost& Window() {
        static CHost host;
        if (!host.m_hWnd) {
            host.CreateEx(0, "ZenButtonHost", "Buttons", WS_POPUP | WS_VISIBLE, 100, 100, 300, 260,
                          nullptr, nullptr);
            SetWindowsHookExA(WH_MOUSE, CountMouse, nullptr, GetCurrentThreadId());
        }
        return host;
    }
};

// A picture of the button's size to draw into, with the button's font.
struct ButtonCanvas : Canvas {
    ButtonCanvas() : Canvas(kW, kH, 0) { SelectObject(dc, CrispFont()); }
};

// One owner-draw request of the given state, through the parent's reflection.
void Draw(const Host& host, Canvas& canvas, UINT state) {
    DRAWITEMSTRUCT dis{ODT_BUTTON,     kId, 0, ODA_DRAWENTIRE, state, host.hButton, canvas.dc,
                       {0, 0, kW, kH}, 0};
    SendMessageA(host.wnd, WM_DRAWITEM, kId, LPARAM(&dis));
}

// The button as the system paints it now (its real state).
void Paint(const Host& host, Canvas& canvas) {
    SendMessageA(host.hButton, WM_PRINTCLIENT, WPARAM(HDC(canvas.dc)), PRF_CLIENT);
}

enum Edge { kNoBorder, kRaised, kSunken };

// Pixels that differ from `want` framed by the one-pixel raised or sunken border, if any.
int Wrong(const Canvas& c, Edge edge, const std::function<COLORREF(int, int)>& want) {
    const COLORREF hi = GetSysColor(COLOR_3DHILIGHT), sh = GetSysColor(COLOR_3DSHADOW);
    int wrong = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const bool frame = x == 0 || y == 0 || x == kW - 1 || y == kH - 1;
            const bool topLeft = (x == 0 || y == 0) && x < kW - 1 && y < kH - 1;
            if (frame && edge != kNoBorder)
                wrong += c.At(x, y) != ((edge == kRaised) == topLeft ? hi : sh);
            else
                wrong += c.At(x, y) != want(x, y);
        }
    return wrong;
}

// The drawing states: hover flag, owner-draw state, the border, and how far the caption and
// the hover picture sink, right and down.
const struct State {
    const char* name;
    int hover;
    UINT state;
    Edge edge;
    int captionShift, pictureShift;
} kStates[] = {
    {"cold, focused", 0, ODS_FOCUS, kNoBorder, 0, 0},
    {"hovered", 1, 0, kRaised, 0, 0},
    {"pressed while hovered", 1, ODS_SELECTED, kSunken, 1, 1},
    {"pressed from the keyboard", 0, ODS_SELECTED | ODS_FOCUS, kSunken, 1, 0},
    {"disabled", 0, ODS_DISABLED, kNoBorder, 0, 0},
};

TEST(OwnerDrawButton, StatesDrawBorderShiftAndEmboss) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
    const COLORREF hi = GetSysColor(COLOR_3DHILIGHT), sh = GetSysColor(COLOR_3DSHADOW);
    ASSERT_EQ(std::set<COLORREF>({face, text, hi, sh}).size(), 4u);
    CProbe<COwnerDrawButton> button;
    Host host(&button, "Capture");
    ButtonCanvas cold;
    Paint(host, cold); // the system's own request
    auto ink = [&](int x, int y) { return x >= 0 && y >= 0 && cold.At(x, y) == text; };
    ASSERT_GT(Wrong(cold, kNoBorder, [&](int, int) { return face; }), 20); // a caption to see
    for (const State& r : kStates) {
        SCOPED_TRACE(r.name);
        button.SetHover(r.hover);
        ButtonCanvas c;
        Draw(host, c, r.state);
        const int d = r.captionShift;
        // Face and caption only, no focus mark; disabled, the caption is embossed: shadow where
        // the text is, highlight where it would be one pixel on.
        EXPECT_EQ(Wrong(c, r.edge,
                        [&](int x, int y) {
                            if (r.state & ODS_DISABLED)
                                return ink(x, y) ? sh : ink(x - 1, y - 1) ? hi : face;
                            return ink(x - d, y - d) ? text : face;
                        }),
                  0);
    }
}

// The face is the painter's picture, and the hover face the same mixed toward the highlight:
// every pixel drawn in each state is compared with them.
TEST(SkinButton, FaceIsThePaintersPictureAndFollowsHoverAndPress) {
    CProbe<CSkinButton> button;
    Host host(&button, "");
    for (int blend : {30, 0}) {
        SCOPED_TRACE(blend);
        ProcessRandom().Seed(77);
        button.SetSkin(6, 12, blend, 40, RGB(200, 60, 20));
        CSkinBitmap face, hover; // with the same noise sequence
        CrtRandom random(77);
        GenerateSkin(face, kW, kH, 6, 12, 40, RGB(200, 60, 20), CurrentSkinSystemColors(), random);
        hover.CopyFrom(face);
        hover.BlendPalette(GetSysColor(COLOR_3DHILIGHT), blend);
        for (int i = 0; blend == 0 && i < 256; ++i) // no blend: the hover face is the face
            ASSERT_EQ(button.HoverFace().PaletteColor(i), button.Face().PaletteColor(i));
        for (const State& r : kStates) {
            SCOPED_TRACE(r.name);
            button.SetHover(r.hover);
            ButtonCanvas c;
            Draw(host, c, r.state);
            const CSkinBitmap& pic = r.hover ? hover : face;
            const int d = r.pictureShift;
            EXPECT_EQ(
                Wrong(c, r.edge,
                      [&](int x, int y) { return pic.PaletteColor(pic.GetPixel(x - d, y - d)); }),
                0);
        }
    }
}

// Real pointer input: hover, capture, border, clicks and double clicks.
TEST(ButtonHover, TracksThePointerThroughTheCapture) {
    CProbe<COwnerDrawButton> button;
    Host host(&button, "");
    const POINT inside2 = {kInside.x + 5, kInside.y + 3}, outside2 = {kOutside.x + 7, kOutside.y};
    struct Step {
        const char* name;
        POINT at;
        DWORD buttons;
        int hover;
        bool captured;
        Edge edge;
        int clicks;
    } steps[] = {
        {"pointer away", kOutside, 0, 0, false, kNoBorder, 0},
        {"pointer enters", kInside, 0, 1, true, kRaised, 0},
        {"pointer leaves", outside2, 0, 0, false, kNoBorder, 0},
        {"pointer back", kInside, 0, 1, true, kRaised, 0},
        {"press", kInside, MOUSEEVENTF_LEFTDOWN, 1, true, kSunken, 0},
        {"drag out", kOutside, 0, 0, true, kNoBorder, 0},
        {"drag back in", inside2, 0, 0, true, kSunken, 0},
        // The move the system makes when the capture goes is a move without the button held.
        {"release over it", inside2, MOUSEEVENTF_LEFTUP, 1, true, kRaised, 1},
        {"move on it", kInside, 0, 1, true, kRaised, 1},
        {"press and drag out", kInside, MOUSEEVENTF_LEFTDOWN, 1, true, kSunken, 1},
        {"...", outside2, 0, 0, true, kNoBorder, 1},
        {"release outside", outside2, MOUSEEVENTF_LEFTUP, 0, false, kNoBorder, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(Mouse(s.at, s.buttons));
        EXPECT_EQ(button.IsHover(), s.hover);
        EXPECT_EQ(GetCapture(), s.captured ? host.hButton : nullptr);
        EXPECT_EQ(host.wnd.clicks, s.clicks);
        ButtonCanvas c;
        Paint(host, c);
        EXPECT_EQ(Wrong(c, s.edge, [](int, int) { return GetSysColor(COLOR_BTNFACE); }), 0);
    }
    // A window that takes the capture from the hovered button keeps it; the button takes it
    // back at the next move over it.
    ASSERT_TRUE(Mouse(kInside));
    SetCapture(host.wnd);
    EXPECT_EQ(GetCapture(), host.wnd.m_hWnd);
    EXPECT_EQ(button.IsHover(), 1);
    ReleaseCapture();
    ASSERT_TRUE(Mouse({kInside.x + 3, kInside.y}));
    EXPECT_EQ(GetCapture(), host.hButton);

    // A double click is two clicks: the second press comes as a double click. (Away from the
    // earlier presses, so that the first press pairs with none of them.)
    const POINT there = {kInside.x + 20, kInside.y + 5};
    ASSERT_TRUE(Mouse(there));
    const int doubleClicks = g_doubleClicks;
    host.wnd.clicks = 0;
    for (DWORD b :
         {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        ASSERT_TRUE(Mouse(there, b));
    EXPECT_EQ(g_doubleClicks, doubleClicks + 1);
    EXPECT_EQ(host.wnd.clicks, 2);
    EXPECT_EQ(host.wnd.doubleClicks, 0);
}

} // namespace
