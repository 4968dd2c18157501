// The flat owner-drawn and skinned push buttons on real windows: what they draw in each state
// (read back from a memory DC), and the hover tracking under real mouse input.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "skin/OwnerDrawButton.h"
#include "skin/SkinButton.h"
#include "skin/SkinPainter.h"

namespace {

constexpr int kId = 1201;
constexpr int kW = 120, kH = 40;      // button size
constexpr POINT kOrigin = {100, 100}; // the host's screen position
constexpr POINT kButtonAt = {40, 40}; // the button's position in the host
constexpr POINT kInside = {kOrigin.x + kButtonAt.x + 60, kOrigin.y + kButtonAt.y + 20};
constexpr POINT kOutside = {kOrigin.x + 20, kOrigin.y + 200};

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        // Short waits: some conditions change in another thread without a message here.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 10),
                                  QS_ALLINPUT);
    }
}

// Mouse messages this thread has taken from its queue (a thread-local mouse hook): how many,
// when the last came and where it was.
int g_mouseMessages = 0;
DWORD g_lastMouseTick = 0;
POINT g_lastMousePt = {};
LRESULT CALLBACK CountMouse(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        ++g_mouseMessages;
        g_lastMouseTick = GetTickCount();
        g_lastMousePt = reinterpret_cast<MOUSEHOOKSTRUCT*>(lp)->pt;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Sends mouse input at a screen point and waits until it has been handled. Wine's virtual
// desktop reports each pointer move a second time a little later, sometimes after the next
// move (from a position already left), so after a move the wait goes on until the moves stop
// coming and the last one is where the pointer was sent.
bool Mouse(POINT at, DWORD buttons, int tries = 3) {
    POINT now;
    if (!buttons && GetCursorPos(&now) && now.x == at.x && now.y == at.y &&
        !Mouse({at.x + 1, at.y}, 0)) // a move to where the pointer is would not be reported
        return false;
    PumpUntil([] { return true; });
    const int before = g_mouseMessages;
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx =
        (at.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy =
        (at.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &in, sizeof in);
    if (buttons)
        return PumpUntil([&] { return g_mouseMessages > before; });
    if (!PumpUntil(
            [&] { return g_mouseMessages > before && GetTickCount() - g_lastMouseTick >= 80; }))
        return false;
    if (g_lastMousePt.x == at.x && g_lastMousePt.y == at.y)
        return true;
    return tries > 1 && Mouse(at, 0, tries - 1);
}

HFONT TestFont() { // crisp text, so ink pixels have exactly the text colour
    static HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                                    NONANTIALIASED_QUALITY, 0, "Tahoma");
    return font;
}

class CHost : public CWnd {
public:
    int m_clicks = 0, m_doubleClicks = 0;
    void OnClicked() { ++m_clicks; }
    void OnDoubleClicked() { ++m_doubleClicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHost, CWnd)
ON_BN_CLICKED(kId, OnClicked)
ON_CONTROL(BN_DOUBLECLICKED, kId, OnDoubleClicked)
END_MESSAGE_MAP()

template <class Base> class CProbe : public Base {
public:
    void SetHover(int hover) { this->m_bHover = hover; }
};

// One push button, attached to `button` when given, on a top-level window that lives as long
// as the test program: closing a top-level window hands the activation on asynchronously, and
// a late activation change would take the capture from the next test's button.
struct Host {
    CHost& wnd = Window();
    HWND hButton = nullptr;
    Host(CWnd* button, const char* caption, int w = kW, int h = kH, DWORD type = BS_PUSHBUTTON) {
        wnd.m_clicks = wnd.m_doubleClicks = 0;
        hButton =
            CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type,
                            kButtonAt.x, kButtonAt.y, w, h, wnd, HMENU(kId), nullptr, nullptr);
        SendMessageA(hButton, WM_SETFONT, WPARAM(TestFont()), FALSE);
        if (button)
            button->SubclassWindow(hButton);
        SetForegroundWindow(wnd);
        PumpUntil([&] { return GetActiveWindow() == wnd.m_hWnd; });
    }
    ~Host() { DestroyWindow(hButton); }
    static CHost& Window() {
        static CHost host;
        if (!host.m_hWnd) {
            host.CreateEx(0, "ZenButtonHost", "Buttons", WS_POPUP | WS_VISIBLE, kOrigin.x,
                          kOrigin.y, 300, 260, nullptr, nullptr);
            SetWindowsHookExA(WH_MOUSE, CountMouse, nullptr, GetCurrentThreadId());
        }
        return host;
    }
};

// A 32-bit picture to draw into; coordinates are logical, the origin `margin` pixels in.
struct Canvas {
    int w, h, margin;
    DWORD* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp;
    Canvas(int cw, int ch, int m = 0) : w(cw + 2 * m), h(ch + 2 * m), margin(m) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bmp =
            CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        SelectObject(dc, bmp);
        SelectObject(dc, TestFont());
        SetViewportOrgEx(dc, m, m, nullptr);
        Fill(RGB(1, 2, 3));
    }
    ~Canvas() {
        DeleteDC(dc);
        DeleteObject(bmp);
    }
    void Fill(COLORREF c) {
        for (int i = 0; i < w * h; ++i)
            bits[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    COLORREF At(int x, int y) const {
        const DWORD p = bits[(y + margin) * w + x + margin];
        return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
    }
    std::set<std::pair<int, int>> Ink(COLORREF c, int dx = 0, int dy = 0) const {
        std::set<std::pair<int, int>> ink;
        for (int y = -margin; y < h - margin; ++y)
            for (int x = -margin; x < w - margin; ++x)
                if (At(x, y) == c)
                    ink.insert({x + dx, y + dy});
        return ink;
    }
};

// One owner-draw request of the given state, through the parent's reflection.
void Draw(const Host& host, Canvas& canvas, UINT state, int w = kW, int h = kH) {
    DRAWITEMSTRUCT dis{ODT_BUTTON, kId,          0, ODA_DRAWENTIRE, state, host.hButton,
                       canvas.dc,  {0, 0, w, h}, 0};
    SendMessageA(host.wnd, WM_DRAWITEM, kId, LPARAM(&dis));
}

// The button as the system paints it now (its real state).
void Paint(const Host& host, Canvas& canvas) {
    SendMessageA(host.hButton, WM_PRINTCLIENT, WPARAM(canvas.dc), PRF_CLIENT);
}

enum Edge { kNoBorder, kRaised, kSunken };

// Whether the one-pixel frame is the raised or sunken border; `plain` gives the expected
// edge pixel without a border.
bool EdgesAre(const Canvas& c, Edge edge, const std::function<COLORREF(int, int)>& plain) {
    const COLORREF hi = GetSysColor(COLOR_3DHILIGHT), sh = GetSysColor(COLOR_3DSHADOW);
    auto expect = [&](int x, int y, bool topLeft) {
        if (edge == kNoBorder)
            return c.At(x, y) == plain(x, y);
        return c.At(x, y) == ((edge == kRaised) == topLeft ? hi : sh);
    };
    for (int x = 0; x < kW; ++x)
        if (!expect(x, 0, x < kW - 1) || !expect(x, kH - 1, false))
            return false;
    for (int y = 0; y < kH; ++y)
        if (!expect(0, y, y < kH - 1) || !expect(kW - 1, y, false))
            return false;
    return true;
}

TEST(OwnerDrawButton, StatesDrawBorderShiftAndEmboss) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
    const COLORREF hi = GetSysColor(COLOR_3DHILIGHT), sh = GetSysColor(COLOR_3DSHADOW);
    ASSERT_EQ(std::set<COLORREF>({face, text, hi, sh}).size(), 4u);
    CProbe<COwnerDrawButton> button;
    Host host(&button, "Capture");
    EXPECT_EQ(GetWindowLongPtrA(host.hButton, GWL_STYLE) & (BS_TYPEMASK | WS_TABSTOP),
              BS_OWNERDRAW | WS_TABSTOP);
    Canvas cold(kW, kH);
    EXPECT_EQ(HBRUSH(SendMessageA(host.wnd, WM_CTLCOLORBTN, WPARAM(cold.dc), LPARAM(host.hButton))),
              GetStockObject(NULL_BRUSH));
    Paint(host, cold); // the system's own request
    const auto coldInk = cold.Ink(text);
    ASSERT_FALSE(coldInk.empty());
    struct Row {
        const char* name;
        int hover;
        UINT state;
        Edge edge;
        int shift; // of the caption, right and down
    } rows[] = {
        {"cold, focused", 0, ODS_FOCUS, kNoBorder, 0},
        {"hovered", 1, 0, kRaised, 0},
        {"pressed while hovered", 1, ODS_SELECTED, kSunken, 1},
        {"pressed from the keyboard", 0, ODS_SELECTED | ODS_FOCUS, kSunken, 1},
        {"disabled", 0, ODS_DISABLED, kNoBorder, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        button.SetHover(r.hover);
        Canvas c(kW, kH);
        Draw(host, c, r.state);
        EXPECT_TRUE(EdgesAre(c, r.edge, [&](int, int) { return face; }));
        if (r.state & ODS_DISABLED) {
            // Embossed: shadow where the text is, highlight where it would be one pixel on.
            auto lower = cold.Ink(text, 1, 1);
            for (const auto& p : coldInk)
                lower.erase(p);
            EXPECT_EQ(c.Ink(sh), coldInk);
            EXPECT_EQ(c.Ink(hi), lower);
            EXPECT_TRUE(c.Ink(text).empty());
        } else {
            EXPECT_EQ(c.Ink(text), cold.Ink(text, r.shift, r.shift));
        }
        int other = 0; // inside the frame: only face and caption, no focus mark
        for (int y = 1; y < kH - 1; ++y)
            for (int x = 1; x < kW - 1; ++x)
                other += !std::set<COLORREF>({face, text, hi, sh}).count(c.At(x, y));
        EXPECT_EQ(other, 0);
    }
}

TEST(OwnerDrawButton, CaptionCentredWithHalvesTruncatedTowardZero) {
    const char* word = "Apply";
    Canvas ref(200, 100, 20);
    RECT m = {0, 0, 1000, 1000};
    DrawTextA(ref.dc, word, -1, &m, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    SetTextColor(ref.dc, text);
    SetBkMode(ref.dc, TRANSPARENT);
    DrawTextA(ref.dc, word, -1, &m, DT_WORDBREAK | DT_CENTER);
    struct Row {
        int dw, dh; // button size minus text size
        int ex, ey; // expected offset of the text
    } rows[] = {{10, 10, 5, 5},   {11, 11, 5, 5},   {12, 13, 6, 6},  {0, 0, 0, 0},
                {-4, -4, -2, -2}, {-5, -5, -2, -2}, {-6, -7, -3, -3}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.dw << "," << r.dh);
        const int w = m.right + r.dw, h = m.bottom + r.dh;
        CProbe<COwnerDrawButton> button;
        Host host(&button, word, w, h);
        Canvas c(200, 100, 20);
        Draw(host, c, 0, w, h);
        EXPECT_EQ(c.Ink(text), ref.Ink(text, r.ex, r.ey));
    }
}

TEST(OwnerDrawButton, LongCaptionBreaksIntoLinesCentredAsABlock) {
    const char* caption = "Save as file";
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    SIZE line;
    Canvas probe(1, 1);
    GetTextExtentPoint32A(probe.dc, "Save as", 7, &line);
    std::set<std::pair<int, int>> first;
    for (int k = 0; k <= 3; ++k) { // each two pixels taller moves the block one pixel down
        CProbe<COwnerDrawButton> button;
        Host host(&button, caption, line.cx + 6, 3 * line.cy + 2 * k);
        Canvas c(line.cx + 6, 3 * line.cy + 6);
        Draw(host, c, 0, line.cx + 6, 3 * line.cy + 2 * k);
        const auto ink = c.Ink(text);
        int top = 1000, bottom = -1;
        for (const auto& p : ink)
            top = std::min(top, p.second), bottom = std::max(bottom, p.second);
        EXPECT_GT(bottom - top, line.cy); // more than one line
        if (k == 0)
            first = c.Ink(text, 0, 0);
        else
            EXPECT_EQ(c.Ink(text, 0, -k), first);
    }
}

// The pictures SetSkin should make: the painter's with the same noise sequence.
struct Expected {
    CSkinBitmap face, hover;
    Expected(int mode, int granularity, int blend, int coloring, COLORREF colour,
             std::uint32_t seed) {
        CrtRandom random(seed);
        GenerateSkin(face, kW, kH, mode, granularity, coloring, colour, CurrentSkinSystemColors(),
                     random);
        hover.CopyFrom(face);
        hover.BlendPalette(GetSysColor(COLOR_3DHILIGHT), blend);
    }
};

COLORREF PixelOf(const CSkinBitmap& b, int x, int y) {
    return b.PaletteColor(b.GetPixel(x, y));
}

TEST(SkinButton, FaceFollowsHoverAndPress) {
    CProbe<CSkinButton> button;
    Host host(&button, "");
    ProcessRandom().Seed(77);
    button.SetSkin(6, 12, 30, 40, RGB(200, 60, 20));
    const Expected want(6, 12, 30, 40, RGB(200, 60, 20), 77);
    ASSERT_EQ(button.Face().Width(), kW);
    ASSERT_EQ(button.Face().Height(), kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            ASSERT_EQ(PixelOf(button.Face(), x, y), PixelOf(want.face, x, y));
            ASSERT_EQ(PixelOf(button.HoverFace(), x, y), PixelOf(want.hover, x, y));
        }
    struct Row {
        const char* name;
        int hover;
        UINT state;
        Edge edge;
        const CSkinBitmap* picture;
        int at;
    } rows[] = {
        {"cold", 0, 0, kNoBorder, &want.face, 0},
        {"disabled", 0, ODS_DISABLED, kNoBorder, &want.face, 0},
        {"hovered", 1, 0, kRaised, &want.hover, 0},
        {"pressed while hovered", 1, ODS_SELECTED, kSunken, &want.hover, 1},
        {"pressed from the keyboard", 0, ODS_SELECTED, kSunken, &want.face, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        button.SetHover(r.hover);
        Canvas c(kW, kH);
        Draw(host, c, r.state);
        auto picture = [&](int x, int y) { return PixelOf(*r.picture, x - r.at, y - r.at); };
        EXPECT_TRUE(EdgesAre(c, r.edge, picture));
        int wrong = 0;
        for (int y = 1; y < kH - 1; ++y)
            for (int x = 1; x < kW - 1; ++x)
                wrong += c.At(x, y) != picture(x, y);
        EXPECT_EQ(wrong, 0);
    }
}

TEST(SkinButton, HoverBlendAndRepeatedSkins) {
    CProbe<CSkinButton> button;
    Host host(&button, "");
    Canvas blank(kW, kH);
    Draw(host, blank, 0); // before SetSkin nothing is drawn
    EXPECT_EQ(blank.Ink(RGB(1, 2, 3)).size(), size_t(kW * kH));
    struct Row {
        int blend;
        bool same; // else every hover colour is the highlight
    } rows[] = {{0, true}, {-20, true}, {100, false}, {250, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.blend);
        button.SetSkin(2, 20, r.blend, 0, 0);
        const CSkinBitmap &face = button.Face(), &hover = button.HoverFace();
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(hover.PaletteColor(i),
                      r.same ? face.PaletteColor(i) : GetSysColor(COLOR_3DHILIGHT));
        EXPECT_TRUE(std::equal(face.Bits(), face.Bits() + face.Stride() * kH, hover.Bits()));
    }
    // Hover blend 0: pressed while hovered still sinks the picture by one pixel.
    button.SetSkin(2, 20, 0, 0, 0);
    button.SetHover(1);
    Canvas c(kW, kH);
    Draw(host, c, ODS_SELECTED);
    EXPECT_EQ(c.At(10, 10), PixelOf(button.Face(), 9, 9));
    EXPECT_EQ(c.At(kW - 2, kH - 2), PixelOf(button.Face(), kW - 3, kH - 3));
    // The same look again: the same palette, new noise.
    button.SetSkin(5, 40, 30, 50, RGB(0, 0, 255));
    CSkinBitmap first;
    first.CopyFrom(button.Face());
    button.SetSkin(5, 40, 30, 50, RGB(0, 0, 255));
    const CSkinBitmap& again = button.Face();
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(again.PaletteColor(i), first.PaletteColor(i));
    EXPECT_FALSE(std::equal(first.Bits(), first.Bits() + first.Stride() * kH, again.Bits()));
    CSkinButton unattached; // no window: nothing to size the face by
    unattached.SetSkin(1, 10, 30, 0, 0);
    EXPECT_FALSE(unattached.Face().HasImage());
}

// Real pointer input: hover, capture, border, clicks.
TEST(ButtonHover, TracksThePointerThroughTheCapture) {
    CProbe<COwnerDrawButton> button;
    Host host(&button, "Go");
    const POINT inside2 = {kInside.x + 5, kInside.y + 3}, outside2 = {kOutside.x + 7, kOutside.y};
    enum Holder { kNobody, kButton };
    struct Step {
        const char* name;
        POINT at;
        DWORD buttons;
        int hover;
        Holder capture;
        Edge edge;
        int clicks;
    } steps[] = {
        {"pointer away", kOutside, 0, 0, kNobody, kNoBorder, 0},
        {"pointer enters", kInside, 0, 1, kButton, kRaised, 0},
        {"pointer leaves", outside2, 0, 0, kNobody, kNoBorder, 0},
        {"pointer back", kInside, 0, 1, kButton, kRaised, 0},
        {"press", kInside, MOUSEEVENTF_LEFTDOWN, 1, kButton, kSunken, 0},
        {"drag out", kOutside, 0, 0, kButton, kNoBorder, 0},
        {"drag back in", inside2, 0, 0, kButton, kSunken, 0},
        // The move the system makes when the capture goes is a move without the button held.
        {"release over it", inside2, MOUSEEVENTF_LEFTUP, 1, kButton, kRaised, 1},
        {"move on it", kInside, 0, 1, kButton, kRaised, 1},
        {"press and drag out", kInside, MOUSEEVENTF_LEFTDOWN, 1, kButton, kSunken, 1},
        {"...", outside2, 0, 0, kButton, kNoBorder, 1},
        {"release outside", outside2, MOUSEEVENTF_LEFTUP, 0, kNobody, kNoBorder, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(Mouse(s.at, s.buttons));
        EXPECT_EQ(button.IsHover(), s.hover);
        EXPECT_EQ(GetCapture(), s.capture == kButton ? host.hButton : nullptr);
        EXPECT_EQ(host.wnd.m_clicks, s.clicks);
        Canvas c(kW, kH);
        Paint(host, c);
        EXPECT_TRUE(EdgesAre(c, s.edge, [](int, int) { return GetSysColor(COLOR_BTNFACE); }));
    }
}

TEST(ButtonHover, FocusLossDisableAndCancelModeTurnHoverOff) {
    // Focus loss leaves the capture with the button, so the pointer must leave and come back;
    // cancel mode's default processing releases it, so the next move is a new entry; a
    // disabled button gets no pointer moves at all.
    struct Row {
        const char* name;
        std::function<void(HWND button, HWND host)> cancel;
        bool keepsCapture, relitByNextMove, relitAfterLeaving;
    } rows[] = {
        {"focus lost", [](HWND b, HWND h) { SetFocus(b), SetFocus(h); }, true, false, true},
        {"disabled", [](HWND b, HWND) { EnableWindow(b, FALSE); }, false, false, false},
        {"cancel mode", [](HWND b, HWND) { SendMessageA(b, WM_CANCELMODE, 0, 0); }, false, true,
         true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CProbe<COwnerDrawButton> button;
        Host host(&button, "Go");
        ASSERT_TRUE(Mouse(kOutside, 0));
        ASSERT_TRUE(Mouse(kInside, 0));
        ASSERT_EQ(button.IsHover(), 1);
        r.cancel(host.hButton, host.wnd);
        EXPECT_EQ(button.IsHover(), 0);
        EXPECT_EQ(GetCapture(), r.keepsCapture ? host.hButton : nullptr);
        Canvas c(kW, kH);
        Paint(host, c);
        EXPECT_TRUE(EdgesAre(c, kNoBorder, [](int, int) { return GetSysColor(COLOR_BTNFACE); }));
        ASSERT_TRUE(Mouse({kInside.x + 4, kInside.y}, 0));
        EXPECT_EQ(button.IsHover(), r.relitByNextMove);
        ASSERT_TRUE(Mouse(kOutside, 0));
        EXPECT_EQ(GetCapture(), nullptr);
        ASSERT_TRUE(Mouse(kInside, 0));
        EXPECT_EQ(button.IsHover(), r.relitAfterLeaving);
    }
}

TEST(ButtonHover, CaptureTakenByAnotherWindowIsLeftWithIt) {
    CProbe<COwnerDrawButton> button;
    Host host(&button, "Go");
    ASSERT_TRUE(Mouse(kOutside, 0));
    ASSERT_TRUE(Mouse(kInside, 0));
    SetCapture(host.wnd);
    EXPECT_EQ(GetCapture(), host.wnd.m_hWnd);
    EXPECT_EQ(button.IsHover(), 1);
    ReleaseCapture();
    ASSERT_TRUE(Mouse({kInside.x + 3, kInside.y}, 0));
    EXPECT_EQ(GetCapture(), host.hButton);
}

TEST(ButtonHover, PointerOverButtonOfInactiveApplicationStaysCold) {
    CProbe<COwnerDrawButton> button;
    Host host(&button, "Go");
    ASSERT_TRUE(Mouse(kOutside, 0));
    // A window of another thread takes the activation, so this thread has no active window.
    std::atomic<HWND> other{nullptr};
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread thread([&] {
        HWND w = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 500, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(w);
        other = w;
        while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        DestroyWindow(w);
    });
    EXPECT_TRUE(
        PumpUntil([&] { return other && GetForegroundWindow() == other && !GetActiveWindow(); }));
    EXPECT_TRUE(Mouse(kInside, 0)); // (no early return: the thread must be joined)
    EXPECT_EQ(button.IsHover(), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    // Active again before the other window goes, so nothing is handed on after this test.
    SetForegroundWindow(host.wnd);
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == host.wnd.m_hWnd; }));
    SetEvent(done);
    thread.join();
    CloseHandle(done);
}

TEST(ButtonClick, DoubleClickIsTwoClicks) {
    struct Row {
        bool attach;
        int clicks, doubleClicks;
    } rows[] = {{true, 2, 0}, {false, 1, 1}}; // a bare owner-drawn button reports a double click
    for (const Row& r : rows) {
        SCOPED_TRACE(r.attach);
        CProbe<COwnerDrawButton> button;
        Host host(r.attach ? &button : nullptr, "Go", kW, kH,
                  r.attach ? BS_PUSHBUTTON : BS_OWNERDRAW);
        ASSERT_TRUE(Mouse(kOutside, 0));
        ASSERT_TRUE(Mouse(kInside, 0));
        ASSERT_TRUE(Mouse(kInside, MOUSEEVENTF_LEFTDOWN));
        ASSERT_TRUE(Mouse(kInside, MOUSEEVENTF_LEFTUP));
        ASSERT_TRUE(Mouse(kInside, MOUSEEVENTF_LEFTDOWN));
        ASSERT_TRUE(Mouse(kInside, MOUSEEVENTF_LEFTUP));
        EXPECT_EQ(host.wnd.m_clicks, r.clicks);
        EXPECT_EQ(host.wnd.m_doubleClicks, r.doubleClicks);
    }
}

} // namespace
