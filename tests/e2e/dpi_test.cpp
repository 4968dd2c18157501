// Every window laid out for the display scale it is shown at: no control beyond its window or
// across one of the pages' etched frames, no text wider than its control, captures and the zoom
// window in the screen's own pixels. The usual run takes these at 96 DPI; scripts/test-screens
// at 144 and 192, where ZEN_DPI says which.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}
int Scaled(int length) {
    return ::MulDiv(length, ScreenDpi(), 96);
}

std::string Describe(HWND h) {
    char cls[32] = "";
    ::GetClassNameA(h, cls, sizeof cls);
    const RECT rc = WindowRect(h);
    return std::string(cls) + " " + std::to_string(::GetDlgCtrlID(h)) + " \"" + ControlText(h) +
           "\" at " + std::to_string(rc.left) + "," + std::to_string(rc.top) + "-" +
           std::to_string(rc.right) + "," + std::to_string(rc.bottom);
}

// Whether the text of a static, a button, a check box or a radio button fits its control. Edit
// boxes and lists scroll theirs.
void CheckText(Spy& spy, HWND control, std::vector<std::string>& faults) {
    char cls[32] = "";
    ::GetClassNameA(control, cls, sizeof cls);
    const std::string text = ControlText(control);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    RECT rc;
    ::GetClientRect(control, &rc);
    const int width = rc.right, height = rc.bottom;
    int room = width;
    bool wraps = false;
    if (text.empty())
        return;
    if (lstrcmpiA(cls, "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        if (!wraps && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
            return; // pictures and frames
    } else if (lstrcmpiA(cls, "Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
            room = width - ::GetSystemMetrics(SM_CXMENUCHECK) - Scaled(3); // the box and a gap
            break;
        case BS_GROUPBOX:
            room = width - Scaled(16); // the frame's corners
            break;
        default:
            room = width - Scaled(4); // the edges
            break;
        }
    } else {
        return;
    }
    SIZE line = {}, wrapped = {};
    if (!spy.MeasureText(control, line, wrapped)) {
        faults.push_back("could not measure " + Describe(control));
        return;
    }
    const SIZE takes = wraps ? wrapped : line;
    if (wraps ? takes.cx > width || takes.cy > height : takes.cx > room || takes.cy > height)
        faults.push_back("the text does not fit " + Describe(control) + ": it takes " +
                         std::to_string(takes.cx) + " x " + std::to_string(takes.cy));
}

// What is wrong with the layout of a window: a visible control that reaches beyond its parent's
// client area, a text that does not fit its control. Pages of a property sheet are checked with
// it.
std::vector<std::string> LayoutFaults(const Program& p, HWND window) {
    std::vector<std::string> faults;
    Spy spy(p.TrayWindow());
    if (!spy.Installed())
        return {"no spy in the program to measure texts"};
    std::vector<HWND> parents = {window};
    while (!parents.empty()) {
        HWND parent = parents.back();
        parents.pop_back();
        RECT client;
        ::GetClientRect(parent, &client);
        ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        for (HWND child = ::GetWindow(parent, GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(child))
                continue;
            if (!Inside(WindowRect(child), client))
                faults.push_back("beyond its window: " + Describe(child));
            CheckText(spy, child, faults);
            parents.push_back(child);
        }
    }
    return faults;
}

// The etched frames a page shows, found on the screen: a grey line with a white one beside it,
// the upright ones at least 30 pixels long. Each frame's rectangle up to its outer lines.
std::vector<RECT> EtchedFrames(HWND page) {
    const RECT at = WindowRect(page);
    const int w = at.right - at.left, h = at.bottom - at.top;
    const std::vector<DWORD> px = ScreenPixels(at);
    const auto pixel = [&](int x, int y) { return px[static_cast<size_t>(y) * w + x]; };
    const DWORD grey = 0x808080, white = 0xFFFFFF;
    struct Edge {
        int x, top, bottom; // the grey run, bottom inclusive
    };
    std::vector<Edge> edges;
    for (int x = 0; x + 1 < w; ++x)
        for (int y = 0; y + 1 < h; ++y) {
            if (pixel(x, y) != grey || pixel(x + 1, y + 1) != white)
                continue;
            int end = y;
            while (end < h && pixel(x, end) == grey)
                ++end;
            if (end - y >= 30)
                edges.push_back({x, y, end - 1});
            y = end;
        }
    // A frame's left and right edges span the same rows.
    std::vector<RECT> frames;
    for (const Edge& left : edges)
        for (const Edge& right : edges)
            if (right.x > left.x + 30 && right.top == left.top && right.bottom == left.bottom) {
                const RECT frame = {at.left + left.x, at.top + left.top, at.left + right.x + 2,
                                    at.top + left.bottom + 2};
                bool known = false;
                for (const RECT& f : frames)
                    known = known || (f.top == frame.top && f.left == frame.left);
                if (!known)
                    frames.push_back(frame);
            }
    return frames;
}

// Controls of a page that cross one of its frames: each lies inside a frame's inner lines or
// clear of the frame.
std::vector<std::string> FrameFaults(HWND page, const std::vector<RECT>& frames) {
    std::vector<std::string> faults;
    for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        const RECT rc = WindowRect(child);
        for (const RECT& f : frames) {
            const RECT inner = {f.left + 2, f.top + 2, f.right - 2, f.bottom - 2};
            RECT overlap;
            if (::IntersectRect(&overlap, &rc, &f) && !Inside(rc, inner))
                faults.push_back("across the frame at " + std::to_string(f.left) + "," +
                                 std::to_string(f.top) + "-" + std::to_string(f.right) + "," +
                                 std::to_string(f.bottom) + ": " + Describe(child));
        }
    }
    return faults;
}

// The height of a line of a window's first static text, in the text's own font; 0 if there is
// none.
int LineHeight(const Program& p, HWND window) {
    for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        char cls[16] = "";
        ::GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0 || ::GetWindowTextLengthA(c) == 0)
            continue;
        Spy spy(p.TrayWindow());
        SIZE line = {}, wrapped = {};
        return spy.Installed() && spy.MeasureText(c, line, wrapped) ? line.cy : 0;
    }
    return 0;
}

// The height of the ink of a frame's caption: the dark rows in the gap the caption leaves in the
// frame's top line, running across the line's row.
int CaptionInkHeight(const RECT& frame) {
    const int reach = Scaled(20);
    const RECT around = {frame.left, frame.top - reach, frame.right, frame.top + reach};
    const int w = around.right - around.left, h = around.bottom - around.top;
    const std::vector<DWORD> px = ScreenPixels(around);
    const auto pixel = [&](int x, int y) { return px[static_cast<size_t>(y) * w + x]; };
    int gapStart = -1, gapEnd = -1;
    for (int x = 2; x < w - 2 && gapEnd < 0; ++x) {
        const bool line = pixel(x, reach) == 0x808080;
        if (!line && gapStart < 0)
            gapStart = x;
        else if (line && gapStart >= 0)
            gapEnd = x;
    }
    // The caption's rows run unbroken across the line's row.
    const auto dark = [&](int y) {
        for (int x = gapStart; gapEnd > 0 && y >= 0 && y < h && x < gapEnd; ++x) {
            const DWORD p = pixel(x, y);
            if ((p >> 16 & 255) < 80 && (p >> 8 & 255) < 80 && (p & 255) < 80)
                return true;
        }
        return false;
    };
    if (!dark(reach))
        return 0;
    int first = reach, last = reach;
    while (dark(first - 1))
        --first;
    while (dark(last + 1))
        ++last;
    return last - first + 1;
}

std::string Lines(const std::vector<std::string>& faults) {
    std::string all;
    for (const std::string& f : faults)
        all += "\n  " + f;
    return all;
}

// A window's size and where its controls are in it.
std::vector<RECT> Layout(HWND window) {
    RECT rc = WindowRect(window);
    std::vector<RECT> layout = {{0, 0, rc.right - rc.left, rc.bottom - rc.top}};
    for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        rc = WindowRect(c);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
        layout.push_back(rc);
    }
    return layout;
}

// Moves a window, as the system would, to a monitor of twice the scale and back: it grows there,
// its texts whole, and comes back exactly as it was.
void ExpectToFollowAScaleAndBack(const Program& p, HWND window) {
    const std::vector<RECT> before = Layout(window);
    const auto changeDpi = [&](int dpi) { return Spy(p.TrayWindow()).ChangeDpi(window, dpi); };
    ASSERT_TRUE(changeDpi(2 * ScreenDpi()));
    EXPECT_TRUE(WaitFor([&] {
        const RECT size = Layout(window)[0];
        return size.right > before[0].right && size.bottom > before[0].bottom;
    })) << "the window did not grow";
    // It grows first, then places its controls: done once its thread answers again.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored));
    EXPECT_EQ(Lines(LayoutFaults(p, window)), "");
    ASSERT_TRUE(changeDpi(ScreenDpi()));
    EXPECT_TRUE(WaitFor([&] {
        const std::vector<RECT> now = Layout(window);
        return std::equal(now.begin(), now.end(), before.begin(), before.end(),
                          [](const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != 0; });
    })) << "not back as it was";
}

class Dpi : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* dpi = std::getenv("ZEN_DPI")) {
            ASSERT_EQ(ScreenDpi(), std::atoi(dpi)) << "the run's display scale";
        }
        WriteScheme(m_p);
        ASSERT_TRUE(m_p.StartAndWaitForTray());
        ASSERT_TRUE(MovePointer(20, 20));
    }
    void TearDown() override { m_p.Stop(); }
    // Paints what is pending and saves a screenshot named after the scale's test.
    static void Shot(HWND window, const char* name) {
        ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        SaveScreenshot(name);
    }
    Program m_p;
};

TEST_F(Dpi, ThePagesKeepTheirControlsInsideTheirFramesAndTheirTextsWhole) {
    ASSERT_TRUE(OpenOptions(m_p));
    const struct {
        int index, control, frames;
        const char* shot;
    } pages[] = {{kColorPage, IDC_COLOR_SWATCH, 2, "page_color"},
                 {kMagnifyPage, IDC_MAG_HOTKEY, 2, "page_magnify"},
                 {kCapturePage, IDC_CAP_PATH, 2, "page_capture"},
                 {kAboutPage, IDC_ABOUT_TIP, 0, "page_about"}};
    for (const auto& pg : pages) {
        SCOPED_TRACE(pg.shot);
        HWND page = ShowPage(m_p, pg.index, pg.control);
        ASSERT_TRUE(page);
        Shot(m_p.Sheet(), pg.shot);
        const std::vector<RECT> frames = EtchedFrames(page);
        EXPECT_EQ(frames.size(), static_cast<size_t>(pg.frames)) << "frames found on the screen";
        EXPECT_EQ(Lines(FrameFaults(page, frames)), "");
        // Captions in a font of the scale: their ink is at least 3/5 of a line of the page's own
        // text, which the system scales.
        const int line = LineHeight(m_p, page);
        ASSERT_GT(line, 0) << "no text on the page to measure";
        for (const RECT& f : frames)
            EXPECT_GE(CaptionInkHeight(f) * 5, line * 3)
                << "a caption at " << f.left << "," << f.top << " beside lines of " << line;
    }
    EXPECT_EQ(Lines(LayoutFaults(m_p, m_p.Sheet())), "");
}

TEST_F(Dpi, TheSkinDialogAndTipOfTheDayShowTheirTextsWhole) {
    HWND tip = OpenTipOfDay(m_p);
    ASSERT_TRUE(tip);
    Shot(tip, "tip_of_the_day");
    EXPECT_EQ(Lines(LayoutFaults(m_p, tip)), "");
    ASSERT_TRUE(CloseWith(tip, IDOK));

    HWND skin = OpenSkinDialog(m_p);
    ASSERT_TRUE(skin);
    Shot(skin, "skin_dialog");
    EXPECT_EQ(Lines(LayoutFaults(m_p, skin)), "");
    ExpectToFollowAScaleAndBack(m_p, skin);
}

// The tray menu's items are as tall and as wide as their text at the scale, and the result window
// shows a capture in the screen's own pixels, one for one, with its buttons' texts whole.
TEST_F(Dpi, TheTrayMenuAndTheResultWindowFollowTheScale) {
    ::PostMessageA(m_p.TrayWindow(), WM_USER, 101, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = ShownMenu()) != nullptr; }));
    Shot(menu, "tray_menu");
    // Five items, each at least a line of the system font high (what the menu writes in), and
    // the menu's picture strip down its whole left side.
    HDC screen = ::GetDC(nullptr);
    TEXTMETRICA tm = {};
    const HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(SYSTEM_FONT));
    ::GetTextMetricsA(screen, &tm);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    const RECT shown = WindowRect(menu);
    EXPECT_GE(shown.bottom - shown.top, 5 * tm.tmHeight);
    // Half a line in from the top and bottom is past the menu's frame, inside the first and
    // last items.
    const int strip = shown.left + 3 + Scaled(10), margin = tm.tmHeight / 2;
    EXPECT_EQ(CountColour({strip, shown.top + margin, strip + 1, shown.bottom - margin},
                          RGB(255, 255, 255), 0),
              0)
        << "the strip stops short";
    // The texts end before the menu's right edge: no ink in the columns just inside its frame.
    EXPECT_EQ(CountColour({shown.right - 3 - Scaled(3), shown.top + margin, shown.right - 3,
                           shown.bottom - margin},
                          RGB(0, 0, 0), 100),
              0)
        << "a text runs into the menu's edge";
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitFor([] { return ShownMenu() == nullptr; }));

    const RECT area = {40, 40, 240, 200};
    ScreenPatch pattern(area, Pattern);
    ASSERT_TRUE(pattern.Show());
    const RECT sel = {area.left + 10, area.top + 10, area.left + 110, area.top + 90};
    const std::vector<DWORD> captured = ScreenPixels(sel);
    ASSERT_TRUE(OpenOverlay(m_p));
    pattern.Hide();
    HWND result = SelectOnOverlay(m_p, sel);
    ASSERT_TRUE(result);
    Shot(result, "capture_result");
    EXPECT_EQ(Lines(LayoutFaults(m_p, result)), "");
    // The capture's second row but its first pixel (the window's sunken edge covers the first
    // row and column), pixel for pixel, somewhere in the window.
    const RECT window = WindowRect(result);
    const int w = window.right - window.left, h = window.bottom - window.top, cw = 99;
    const auto row = captured.begin() + 100 + 1;
    bool found = false;
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::vector<DWORD> px = ScreenPixels(window);
            for (int y = 0; y < h && !found; ++y)
                for (int x = 0; x + cw <= w && !found; ++x)
                    found = std::equal(row, row + cw, px.begin() + static_cast<size_t>(y) * w + x);
            return found;
        },
        3000))
        << "the capture is not shown one for one";
    ExpectToFollowAScaleAndBack(m_p, result);
    ASSERT_TRUE(CloseResult(result));
}

// The zoom window magnifies the screen's own pixels: its size is the region times the factor in
// pixels, whatever the scale.
TEST(DpiZoom, TheZoomWindowMagnifiesScreenPixels) {
    Program p;
    WriteIniSetting(Ini(p), "", "nWidth", 20);
    WriteIniSetting(Ini(p), "", "nFactor", 4);
    ASSERT_TRUE(p.StartAndWaitForTray());
    const POINT at = {300, 300};
    ScreenPatch mark({at.x - 20, at.y - 20, at.x + 20, at.y + 20},
                     ScreenPatch::Solid(RGB(255, 0, 255)));
    ASSERT_TRUE(mark.Show());
    ASSERT_TRUE(MovePointer(at.x, at.y));
    RECT rc = {};
    EXPECT_TRUE(ShowZoomOver(p, RGB(255, 0, 255), 80 * 80, rc))
        << "the 20 pixels around the pointer, all of the mark, fill it";
    EXPECT_EQ(rc.right - rc.left, 80);
    EXPECT_EQ(rc.bottom - rc.top, 80);
    SaveScreenshot("zoom");
    p.Command(ID_MAGNIFY);
    ASSERT_TRUE(WaitFor([&] { return p.ZoomWindow() == nullptr; }));
}

} // namespace
