// The colour editor on a real dialog: where its markers and handles stand and how they show on
// the screen, typed values, presses and drags, the bar's palette, the system colours, the modal
// run; and its two pictures.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>
#include <vector>

#include "color/ColorEditDialog.h"
#include "res/resource.h"
#include "tests/common/canvas.h"
#include "tests/common/pump.h"

void PrintTo(const HsbColor& c, std::ostream* os) {
    *os << "hsb(" << c.hue << "," << c.saturation << "," << c.brightness << ")";
}
void PrintTo(const RgbColor& c, std::ostream* os) {
    *os << "rgb(" << c.red << "," << c.green << "," << c.blue << ")";
}

namespace {

constexpr COLORREF kGrey192 = RGB(192, 192, 192);
constexpr double kPi = 3.14159265358979323846;

// The dialog with its inner state in reach, open modeless at the top-left of the screen.
struct Editor : CColorEditDialog {
    using CColorEditDialog::FieldValue;
    using CColorEditDialog::m_axes;
    using CColorEditDialog::m_barImage;
    using CColorEditDialog::m_ptWheelCentre;
    using CColorEditDialog::m_rcBar;
    using CColorEditDialog::m_rcBarMarker;
    using CColorEditDialog::m_rcCurrent;
    using CColorEditDialog::m_rcHandle;
    using CColorEditDialog::m_rcHsbArea;
    using CColorEditDialog::m_rcInitial;
    using CColorEditDialog::m_rcRgbArea;
    using CColorEditDialog::m_rcWheelMarker;
    using CColorEditDialog::m_wire;

    explicit Editor(COLORREF colour) : CColorEditDialog(colour) {
        static const bool controls = [] {
            INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_UPDOWN_CLASS};
            return ::InitCommonControlsEx(&icc) != FALSE;
        }();
        (void)controls;
        if (Create())
            ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Settle();
    }
    ~Editor() override { DestroyWindow(); }
    // Every pending paint of the dialog and its controls done.
    void Settle() const {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void Mouse(UINT msg, POINT p) {
        SendMessage(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
        Settle();
    }
    int Shown(int edit) const {
        return static_cast<int>(::GetDlgItemInt(m_hWnd, edit, nullptr, TRUE));
    }
    void Type(int edit, const char* text) {
        ::SetDlgItemTextA(m_hWnd, edit, text);
        Settle();
    }
    POINT Origin() const { return {m_rcHsbArea.left, m_rcHsbArea.top}; }
    POINT CubeOrigin() const { return {m_rcRgbArea.left, m_rcRgbArea.top}; }
    GeoPoint O() const { return m_axes.Origin(); }
};

// The dialog's client area as the screen shows it.
std::unique_ptr<Canvas> Grab(HWND wnd) {
    RECT rc;
    ::GetClientRect(wnd, &rc);
    auto shot = std::make_unique<Canvas>(rc.right, rc.bottom, 0);
    CClientDC dc(wnd);
    ::BitBlt(shot->dc, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    return shot;
}

// A picture of the program as loaded, its background given the button-face colour when asked.
std::unique_ptr<Canvas> Picture(UINT id, bool recolour) {
    CBitmap bmp;
    bmp.LoadBitmap(id);
    BITMAP bm = {};
    ::GetObjectA(bmp, sizeof bm, &bm);
    auto pic = std::make_unique<Canvas>(bm.bmWidth, bm.bmHeight, 0);
    CMemDC src;
    CSelectObject sel(src, bmp);
    ::BitBlt(pic->dc, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (int y = 0; recolour && y < pic->h; ++y)
        for (int x = 0; x < pic->w; ++x)
            if (pic->At(x, y) == kGrey192) // pixels stored 0x00RRGGBB
                pic->px[y * pic->w + x] =
                    GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    return pic;
}

POINT Centre(const RECT& rc) {
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

} // namespace

// Opening places the markers and handles where the colour puts them: red on the wheel's rim to
// the right, at the bar's top, at the red axis end with green and blue on the black corner; a
// grey on the wheel's centre. Every figure shows inverted over its picture, also where handles
// meet or the box is flat (a channel at 0): drawn twice over, they would vanish.
TEST(ColorEdit, OpeningShowsEveryFigureInPlace) {
    const struct {
        COLORREF colour;
        POINT wheel;   // marker's centre from the wheel's
        int barY;      // marker's middle below the bar's top
        POINT hand[3]; // handles' centres from the black corner
    } places[] = {{RGB(255, 0, 0), {100, 0}, 0, {{0, -99}, {0, 0}, {0, 0}}},
                  {RGB(128, 128, 128), {0, 0}, 101, {{0, -49}, {-40, 19}, {39, 19}}}};
    const std::unique_ptr<Canvas> wheel = Picture(IDB_COLOR_WHEEL, true);
    const std::unique_ptr<Canvas> cube = Picture(IDB_COLOR_CUBE, true);
    for (COLORREF colour :
         {RGB(255, 0, 0), RGB(128, 128, 128), RGB(255, 128, 0), RGB(0, 0, 0), RGB(90, 160, 220)}) {
        SCOPED_TRACE(::testing::Message() << std::hex << colour);
        Editor ed(colour);
        ASSERT_TRUE(ed.m_hWnd);
        for (const auto& c : places) {
            if (c.colour != colour)
                continue;
            EXPECT_EQ(Centre(ed.m_rcWheelMarker).x - ed.m_ptWheelCentre.x, c.wheel.x);
            EXPECT_EQ(Centre(ed.m_rcWheelMarker).y - ed.m_ptWheelCentre.y, c.wheel.y);
            EXPECT_EQ(Centre(ed.m_rcBarMarker).y - ed.m_rcBar.top, c.barY);
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_EQ(Centre(ed.m_rcHandle[axis]).x - ed.O().x, c.hand[axis].x) << axis;
                EXPECT_EQ(Centre(ed.m_rcHandle[axis]).y - ed.O().y, c.hand[axis].y) << axis;
            }
        }
        const std::unique_ptr<Canvas> shot = Grab(ed);
        auto inverted = [&](const Canvas& pic, POINT at, int x, int y) {
            return shot->At(x, y) == (pic.At(x - at.x, y - at.y) ^ 0xFFFFFF);
        };
        EXPECT_TRUE(inverted(*wheel, ed.Origin(), ed.m_rcWheelMarker.left, ed.m_rcWheelMarker.top));
        for (const RECT& h : ed.m_rcHandle)
            EXPECT_TRUE(inverted(*cube, ed.CubeOrigin(), h.left, h.top) &&
                        inverted(*cube, ed.CubeOrigin(), h.right - 1, h.bottom - 1));
        const Wireframe& w = ed.m_wire;
        const GeoPoint edges[][2] = {{w.r, w.rg},   {w.rg, w.g},   {w.g, w.gb},
                                     {w.gb, w.b},   {w.b, w.rb},   {w.rb, w.r},
                                     {w.rgb, w.rg}, {w.rgb, w.gb}, {w.rgb, w.rb}};
        for (const auto& e : edges) {
            const int mx = (e[0].x + e[1].x) / 2, my = (e[0].y + e[1].y) / 2;
            int shown = 0; // the edge's middle, give or take a pixel
            for (int y = my - 1; y <= my + 1; ++y)
                for (int x = mx - 1; x <= mx + 1; ++x)
                    shown += inverted(*cube, ed.CubeOrigin(), x, y);
            EXPECT_TRUE(e[0] == e[1] || shown > 0) << mx << "," << my;
        }
    }
}

// Typed values are clamped and shown clamped; the other side follows the side typed in.
TEST(ColorEdit, TypedValuesAreClamped) {
    Editor ed(RGB(10, 20, 30));
    const struct {
        int edit;
        const char* text;
        int value;
    } cases[] = {{IDC_CE_HUE, "360", 359},     {IDC_CE_RED, "-5", 0},
                 {IDC_CE_SATURATION, "-5", 0}, {IDC_CE_RED, "300", 255},
                 {IDC_CE_RED, "300", 255},     {IDC_CE_GREEN, "", 0},
                 {IDC_CE_BRIGHTNESS, "x7", 0}, {IDC_CE_BLUE, "  77", 77}};
    const int edits[] = {IDC_CE_RED, IDC_CE_GREEN,      IDC_CE_BLUE,
                         IDC_CE_HUE, IDC_CE_SATURATION, IDC_CE_BRIGHTNESS};
    for (const auto& c : cases) {
        ed.Type(c.edit, c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ed.Shown(c.edit), c.value);
        if (c.edit == IDC_CE_RED || c.edit == IDC_CE_GREEN || c.edit == IDC_CE_BLUE)
            EXPECT_EQ(ed.m_hsbCurrent, ed.m_rgbCurrent.ToHsb());
        else
            EXPECT_EQ(ed.m_rgbCurrent, ed.m_hsbCurrent.ToRgb());
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(ed.Shown(edits[i]), ed.FieldValue(i)) << i;
    }
}

// A press within truncated distance 100 of the wheel's centre takes the wheel, 101 nothing; a
// press on the bar takes the bar.
TEST(ColorEdit, PressesOnTheWheelAndTheBar) {
    Editor ed(RGB(40, 80, 120));
    const HsbColor before = ed.m_hsbCurrent;
    const POINT c = ed.m_ptWheelCentre;
    const struct {
        POINT at;
        bool taken;
        int hue, saturation, brightness;
    } cases[] = {
        {{c.x + 100, c.y}, true, 0, 255, before.brightness},
        {{c.x + 71, c.y + 71}, true, 315, 255, before.brightness},
        {{c.x + 100, c.y + 1}, true, 0, 255, before.brightness},
        {{c.x + 100, c.y + 2}, true, 359, 255, before.brightness},
        {{c.x + 72, c.y + 71}, false, 0, 0, 0},
        {{c.x + 101, c.y}, false, 0, 0, 0},
        {c, true, 0, 0, before.brightness},
        {{ed.m_rcBar.left + 3, ed.m_rcBar.top}, true, 0, 0, 255},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(::testing::Message() << k.at.x - c.x << "," << k.at.y - c.y);
        const HsbColor was = ed.m_hsbCurrent;
        ed.Mouse(WM_LBUTTONDOWN, k.at);
        EXPECT_EQ(::GetCapture() == ed.m_hWnd, k.taken);
        const HsbColor want = k.taken ? HsbColor{k.hue, k.saturation, k.brightness} : was;
        EXPECT_EQ(ed.m_hsbCurrent, want);
        EXPECT_EQ(ed.m_rgbCurrent, ed.m_hsbCurrent.ToRgb());
        ed.Mouse(WM_LBUTTONUP, k.at);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

// The red handle stops at the black corner and at the axis end however far the pointer goes;
// the initial swatch keeps the colour the dialog opened with.
TEST(ColorEdit, RedHandleStopsAtTheAxisEnds) {
    const COLORREF initial = RGB(128, 50, 200);
    Editor ed(initial);
    const RECT initialSwatch = ed.m_rcInitial;
    ed.Mouse(WM_LBUTTONDOWN, Centre(ed.m_rcHandle[0]));
    const struct {
        int y, red;
    } moves[] = {{ed.O().y + 30, 0}, {ed.m_axes.End(0).y - 30, 255}, {ed.O().y - 1, 2}};
    for (const auto& m : moves) {
        ed.Mouse(WM_MOUSEMOVE, {ed.O().x + 17, m.y});
        EXPECT_EQ(ed.m_rgbCurrent.red, m.red) << m.y;
        EXPECT_EQ(ed.Shown(IDC_CE_RED), m.red);
        EXPECT_EQ(ed.m_hsbCurrent, ed.m_rgbCurrent.ToHsb());
        const std::unique_ptr<Canvas> shot = Grab(ed);
        EXPECT_EQ(shot->At(Centre(initialSwatch).x, Centre(initialSwatch).y), initial);
        EXPECT_EQ(shot->At(Centre(ed.m_rcCurrent).x, Centre(ed.m_rcCurrent).y),
                  RGB(ed.m_rgbCurrent.red, ed.m_rgbCurrent.green, ed.m_rgbCurrent.blue));
    }
    ed.Mouse(WM_LBUTTONUP, {0, 0});
    EXPECT_EQ(::GetCapture(), nullptr);
}

// A new hue or saturation reloads the bar's colour table only, and the screen shows it.
TEST(ColorEdit, BarPaletteChangesWithoutItsPixels) {
    Editor ed(RGB(255, 0, 0));
    const CDibImage& bar = ed.m_barImage;
    ASSERT_EQ(bar.Height(), ed.m_rcBar.bottom - ed.m_rcBar.top);
    const std::vector<std::uint8_t> pixels(bar.Bits(), bar.Bits() + bar.Stride() * bar.Height());
    ed.Type(IDC_CE_HUE, "120");
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), bar.Bits()));
    const std::uint8_t* top = bar.ColorTable(); // blue, green, red
    EXPECT_EQ(RGB(top[2], top[1], top[0]), RGB(0, 253, 0));
    const std::unique_ptr<Canvas> shot = Grab(ed);
    for (int row : {20, 100, 200}) {
        const std::uint8_t* e = bar.ColorTable() + 4 * bar.RowPointer(row)[0];
        EXPECT_EQ(shot->At(ed.m_rcBar.left + 10, ed.m_rcBar.top + row), RGB(e[2], e[1], e[0]))
            << row;
    }
}

// After a change of the system colours both pictures' backgrounds take the new button face.
TEST(ColorEdit, PictureBackgroundsFollowTheButtonFace) {
    struct FaceColour { // sets the button face, puts the old one back at the end
        COLORREF old = ::GetSysColor(COLOR_BTNFACE);
        explicit FaceColour(COLORREF c) { Set(c); }
        ~FaceColour() { Set(old); }
        static void Set(COLORREF c) {
            const int element = COLOR_BTNFACE;
            ::SetSysColors(1, &element, &c);
        }
    };
    Editor ed(RGB(0, 200, 100));
    const COLORREF face = RGB(201, 120, 60);
    FaceColour change(face);
    ed.SendMessage(WM_SYSCOLORCHANGE);
    ed.Settle();
    const std::unique_ptr<Canvas> shot = Grab(ed);
    for (POINT p : {ed.Origin(), POINT{ed.Origin().x + 201, ed.Origin().y + 200}, ed.CubeOrigin(),
                    POINT{ed.CubeOrigin().x + 189, ed.CubeOrigin().y + 189}})
        EXPECT_EQ(shot->At(p.x, p.y), face) << p.x << "," << p.y;
}

// Drags that come back to where they began leave the screen as it was then, and each step,
// with the paints it leaves, is quick.
TEST(ColorEdit, DragsLeaveNoTrailsAndStepQuickly) {
    Editor ed(RGB(255, 128, 0));
    const POINT c = ed.m_ptWheelCentre;
    const struct {
        const char* name;
        POINT start;
        int dx, dy;
        bool redHandle; // start on the red handle, wherever the drags before left it
    } drags[] = {{"wheel", {c.x + 30, c.y - 20}, 2, 0, false},
                 {"bar", {ed.m_rcBar.left + 5, ed.m_rcBar.top + 40}, 0, 2, false},
                 {"red axis", {}, 0, 2, true}};
    constexpr int kSteps = 120; // out and back
    for (const auto& d : drags) {
        const POINT start = d.redHandle ? Centre(ed.m_rcHandle[0]) : d.start;
        ed.Mouse(WM_LBUTTONDOWN, start);
        ASSERT_EQ(::GetCapture(), ed.m_hWnd) << d.name;
        ed.Mouse(WM_MOUSEMOVE, start); // a press on a handle applies nothing yet
        const std::unique_ptr<Canvas> before = Grab(ed);
        const DWORD t0 = ::GetTickCount();
        for (int i = 1; i <= kSteps; ++i) {
            const int k = std::min(i, kSteps - i);
            ed.Mouse(WM_MOUSEMOVE, {start.x + k * d.dx, start.y + k * d.dy});
        }
        const double step = double(::GetTickCount() - t0) / kSteps;
        ed.Mouse(WM_LBUTTONUP, start);
        const std::unique_ptr<Canvas> after = Grab(ed);
        int differ = 0;
        for (const RECT& r : {ed.m_rcRgbArea, ed.m_rcHsbArea})
            for (int y = r.top - 6; y < r.bottom; ++y)
                for (int x = r.left - 3; x < r.right; ++x)
                    differ += before->At(x, y) != after->At(x, y);
        EXPECT_EQ(differ, 0) << d.name;
        std::printf("%s drag step with its paints: %.2f ms\n", d.name, step);
        EXPECT_LT(step, 20.0) << d.name;
    }
}

// Inside a modal run: types a green and presses a button once the dialog is up.
CColorEditDialog* g_modal = nullptr;
int g_button = 0;
void CALLBACK TypeAndPress(HWND, UINT, UINT_PTR, DWORD) {
    if (g_modal && g_modal->m_hWnd) {
        ::SetDlgItemTextA(g_modal->m_hWnd, IDC_CE_GREEN, "77");
        ::PostMessageA(g_modal->m_hWnd, WM_COMMAND, g_button, 0);
        g_modal = nullptr;
    }
}

// Run modally as its callers do: OK hands over the edited colour, Cancel just ends it.
TEST(ColorEdit, ModalRunEndsWithOkOrCancel) {
    for (int button : {IDOK, IDCANCEL}) {
        CColorEditDialog dlg(RGB(1, 2, 3));
        g_modal = &dlg;
        g_button = button;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, TypeAndPress);
        EXPECT_EQ(dlg.DoModal(), button);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(dlg.m_rgbInitial, (RgbColor{1, 2, 3}));
        if (button == IDOK) {
            EXPECT_EQ(dlg.m_rgbCurrent, (RgbColor{1, 77, 3}));
        }
    }
}

// The wheel shows the conversion of its angle and radius at full brightness; the cube has its
// corners and axis ends where the editor's arithmetic expects them. Outside, the background.
TEST(ColorEditArt, WheelAndCubePictures) {
    const std::unique_ptr<Canvas> wheel = Picture(IDB_COLOR_WHEEL, false);
    ASSERT_EQ(wheel->w, 202);
    ASSERT_EQ(wheel->h, 201);
    int worst = 0, outside = 0;
    for (int y = 0; y < wheel->h; ++y)
        for (int x = 0; x < wheel->w; ++x) {
            const double dx = x - 100, dy = 100 - y, r = std::hypot(dx, dy);
            const COLORREF got = wheel->At(x, y);
            if (r >= 101.0) {
                outside += got != kGrey192;
                continue;
            }
            const int hue =
                static_cast<int>(std::lround(std::atan2(dy, dx) * 180 / kPi) + 360) % 360;
            const RgbColor want =
                HsbColor{hue, std::min(255, static_cast<int>(std::lround(r * 2.55))), 255}.ToRgb();
            worst = std::max({worst, std::abs(GetRValue(got) - want.red),
                              std::abs(GetGValue(got) - want.green),
                              std::abs(GetBValue(got) - want.blue)});
        }
    EXPECT_LE(worst, 8) << "levels from the conversion";
    EXPECT_EQ(outside, 0);

    const std::unique_ptr<Canvas> cube = Picture(IDB_COLOR_CUBE, false);
    ASSERT_EQ(cube->w, 190);
    ASSERT_EQ(cube->h, 190);
    const struct {
        int x, y;
        COLORREF colour;
        int slack; // levels per channel
    } spots[] = {
        // The axes meet white at the black corner and end in black arrowheads; the outer
        // corners are yellow, magenta and cyan; beside the black corner black; just outside the
        // outline the background.
        {102, 108, RGB(255, 255, 255), 0},
        {102, 9, 0, 0},
        {23, 147, 0, 0},
        {181, 147, 0, 0},
        {26, 51, RGB(255, 255, 0), 40},
        {178, 51, RGB(255, 0, 255), 40},
        {102, 182, RGB(0, 255, 255), 40},
        {104, 111, 0, 20},
        {102, 5, kGrey192, 0},
        {19, 48, kGrey192, 0},
        {185, 48, kGrey192, 0}};
    for (const auto& s : spots) {
        const COLORREF got = cube->At(s.x, s.y);
        for (int shift : {0, 8, 16})
            EXPECT_LE(std::abs(int(got >> shift & 255) - int(s.colour >> shift & 255)), s.slack)
                << s.x << "," << s.y;
    }
}
