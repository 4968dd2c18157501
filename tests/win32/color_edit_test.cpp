// The colour editor on a real dialog, as the user sees it: its figures on the screen, the six
// boxes' values, presses and drags, the bar, the system colours, the colour handed back; and its
// two pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <vector>

#include "color/ColorEditDialog.h"
#include "core/EditorArt.h"
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
// In the cube picture: the black corner, then the ends of the red, green and blue axes.
constexpr GeoPoint kCubeCorner = {102, 108}, kCubeEnds[3] = {{102, 9}, {23, 147}, {181, 147}};
const int kEdits[] = {IDC_CE_RED, IDC_CE_GREEN,      IDC_CE_BLUE,
                      IDC_CE_HUE, IDC_CE_SATURATION, IDC_CE_BRIGHTNESS};

// The dialog open modeless at the top-left of the screen, on top of everything.
struct Editor {
    CColorEditDialog dlg;
    explicit Editor(COLORREF colour) : dlg(colour) {
        EXPECT_TRUE(dlg.Create());
        ::SetWindowPos(dlg, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Settle();
    }
    ~Editor() { dlg.DestroyWindow(); }
    // Every pending paint of the dialog and its controls done.
    void Settle() const { ::RedrawWindow(dlg, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }
    void Mouse(UINT msg, GeoPoint p) {
        dlg.SendMessage(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
        Settle();
    }
    void Type(int edit, const char* text) {
        ::SetDlgItemTextA(dlg, edit, text);
        Settle();
    }
    int Shown(int edit) const { return static_cast<int>(::GetDlgItemInt(dlg, edit, nullptr, 1)); }
    RgbColor Rgb() const { return {Shown(kEdits[0]), Shown(kEdits[1]), Shown(kEdits[2])}; }
    HsbColor Hsb() const { return {Shown(kEdits[3]), Shown(kEdits[4]), Shown(kEdits[5])}; }
    // Where a control of the dialog stands in its client area.
    RECT Place(int id) const {
        RECT rc;
        ::GetWindowRect(dlg.GetDlgItem(id), &rc);
        ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
};

// A window's client area as the screen shows it.
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

// The place inside `box` where the most of a sample of the picture's pixels show.
GeoPoint Find(const Canvas& shot, const Canvas& pic, const RECT& box) {
    const std::vector<DWORD> s = shot.Pixels(), p = pic.Pixels();
    GeoPoint best = {};
    for (int y = box.top, most = -1; y + pic.h <= box.bottom; ++y)
        for (int x = box.left; x + pic.w <= box.right; ++x) {
            int hits = 0;
            for (int v = 0; v < pic.h; v += 4)
                for (int u = 0; u < pic.w; u += 4)
                    hits += s[(y + v) * shot.w + x + u] == p[v * pic.w + u];
            if (hits > most)
                most = hits, best = {x, y};
        }
    return best;
}

GeoPoint operator+(GeoPoint a, GeoPoint b) {
    return {a.x + b.x, a.y + b.y};
}

// Where the user sees the pictures: the wheel and the cube found in their frames, the bar beside
// the wheel and as tall as it. Found once, on an editor opened with red (its bar marker at the
// top, out of the bar's middle row).
struct Layout {
    std::unique_ptr<Canvas> wheelPic = Picture(IDB_COLOR_WHEEL, true);
    std::unique_ptr<Canvas> cubePic = Picture(IDB_COLOR_CUBE, true);
    GeoPoint wheel, cube; // the pictures' top-left corners
    RECT bar;
    GeoPoint centre() const { return wheel + GeoPoint{kWheelRadius, kWheelRadius}; }
    CubeAxes axes() const {
        return {cube + kCubeCorner, cube + kCubeEnds[0], cube + kCubeEnds[1], cube + kCubeEnds[2]};
    }
    Layout() {
        Editor ed(RGB(255, 0, 0));
        const std::unique_ptr<Canvas> shot = Grab(ed.dlg);
        wheel = Find(*shot, *wheelPic, ed.Place(IDC_CE_HSB_AREA));
        cube = Find(*shot, *cubePic, ed.Place(IDC_CE_RGB_AREA));
        const int y = wheel.y + 3 * wheelPic->h / 4; // below the wheel marker
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        bar = {wheel.x + wheelPic->w, wheel.y, 0, wheel.y + wheelPic->h};
        while (bar.left < shot->w && shot->At(bar.left, y) == face)
            ++bar.left;
        for (bar.right = bar.left; bar.right < shot->w && shot->At(bar.right, y) != face;)
            ++bar.right;
    }
};
const Layout& Seen() {
    static const Layout layout;
    return layout;
}

COLORREF At(const Canvas& shot, const RECT& rc) {
    return shot.At((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

} // namespace

// The markers and handles stand where the colour puts them on the pictures, the box's edges
// between the handles; every figure shows inverted over its picture, also where handles meet or
// the box is flat (a channel at 0): drawn twice over, they would vanish.
TEST(ColorEdit, OpeningShowsEveryFigureInPlace) {
    const Layout& at = Seen();
    ASSERT_GT(at.bar.right - at.bar.left, 5) << "the bar beside the wheel";
    for (COLORREF colour :
         {RGB(255, 0, 0), RGB(128, 128, 128), RGB(255, 128, 0), RGB(0, 0, 0), RGB(90, 160, 220)}) {
        SCOPED_TRACE(::testing::Message() << std::hex << colour);
        Editor ed(colour);
        const std::unique_ptr<Canvas> shot = Grab(ed.dlg);
        auto inverted = [&](const Canvas& pic, GeoPoint corner, GeoPoint p) {
            return shot->At(p.x, p.y) == (pic.At(p.x - corner.x, p.y - corner.y) ^ 0xFFFFFF);
        };
        const HsbColor hsb = RgbFromColorWord(colour).ToHsb();
        const GeoPoint mark = PolarToPoint(hsb.hue, hsb.saturation, at.centre());
        EXPECT_TRUE(inverted(*at.wheelPic, at.wheel, mark + GeoPoint{-5, -5})) << "wheel marker";
        int rows = 0, sum = 0; // the bar marker's, beside the bar
        for (int y = at.bar.top - 8; y < at.bar.bottom + 8; ++y)
            if (shot->At(at.bar.left - 2, y) != ::GetSysColor(COLOR_BTNFACE))
                ++rows, sum += y;
        const int middle = at.bar.top + (255 - hsb.brightness) * (at.bar.bottom - at.bar.top) / 255;
        EXPECT_TRUE(rows > 0 && std::abs(sum / rows - middle) <= 2) << "bar marker";
        const CubeAxes axes = at.axes();
        const int channel[] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
        GeoPoint hand[3];
        for (int axis = 0; axis < 3; ++axis) {
            hand[axis] = axes.Handle(axis, channel[axis]);
            EXPECT_TRUE(inverted(*at.cubePic, at.cube, hand[axis] + GeoPoint{-5, -5}) &&
                        inverted(*at.cubePic, at.cube, hand[axis] + GeoPoint{4, 4}))
                << "handle " << axis;
        }
        const Wireframe w = axes.Corners(hand[0], hand[1], hand[2]);
        const GeoPoint edges[][2] = {{w.r, w.rg},   {w.rg, w.g},   {w.g, w.gb},
                                     {w.gb, w.b},   {w.b, w.rb},   {w.rb, w.r},
                                     {w.rgb, w.rg}, {w.rgb, w.gb}, {w.rgb, w.rb}};
        for (const auto& e : edges) {
            const GeoPoint mid = {(e[0].x + e[1].x) / 2, (e[0].y + e[1].y) / 2};
            int shown = 0; // the edge's middle, give or take a pixel
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    shown += inverted(*at.cubePic, at.cube, mid + GeoPoint{dx, dy});
            EXPECT_TRUE(e[0] == e[1] || shown > 0) << mid.x << "," << mid.y;
        }
    }
}

// Text that comes into a box keeps its digits only; a number beyond the range is clamped and
// shown clamped. The other side follows the side typed in, and the swatch shows the colour.
TEST(ColorEdit, TypedValuesAreClamped) {
    Editor ed(RGB(10, 20, 30));
    const struct {
        int edit;
        const char* text;
        int value;
    } cases[] = {{IDC_CE_HUE, "360", 359}, {IDC_CE_RED, "-5", 5},    {IDC_CE_SATURATION, "-5", 5},
                 {IDC_CE_RED, "300", 255}, {IDC_CE_RED, "300", 255}, {IDC_CE_BRIGHTNESS, "x7", 7},
                 {IDC_CE_BLUE, "  77", 77}};
    for (const auto& c : cases) {
        ed.Type(c.edit, c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ed.Shown(c.edit), c.value);
        if (c.edit == IDC_CE_RED || c.edit == IDC_CE_GREEN || c.edit == IDC_CE_BLUE)
            EXPECT_EQ(ed.Hsb(), ed.Rgb().ToHsb());
        else
            EXPECT_EQ(ed.Rgb(), ed.Hsb().ToRgb());
        const RgbColor rgb = ed.Rgb();
        EXPECT_EQ(At(*Grab(ed.dlg), ed.Place(IDC_CE_CURRENT)), RGB(rgb.red, rgb.green, rgb.blue));
    }
}

// A press within truncated distance 100 of the wheel's centre takes the wheel, 101 nothing; a
// press on the bar takes the bar.
TEST(ColorEdit, PressesOnTheWheelAndTheBar) {
    const Layout& at = Seen();
    Editor ed(RGB(40, 80, 120));
    const int bright = ed.Hsb().brightness;
    const GeoPoint c = at.centre();
    const struct {
        GeoPoint at;
        bool taken;
        HsbColor hsb;
    } cases[] = {
        {c + GeoPoint{100, 0}, true, {0, 255, bright}},
        {c + GeoPoint{71, 71}, true, {315, 255, bright}},
        {c + GeoPoint{100, 1}, true, {0, 255, bright}},
        {c + GeoPoint{100, 2}, true, {359, 255, bright}},
        {c + GeoPoint{72, 71}, false, {359, 255, bright}},
        {c + GeoPoint{101, 0}, false, {359, 255, bright}},
        {c, true, {0, 0, bright}},
        {{at.bar.left + 3, at.bar.top}, true, {0, 0, 255}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(::testing::Message() << k.at.x - c.x << "," << k.at.y - c.y);
        ed.Mouse(WM_LBUTTONDOWN, k.at);
        EXPECT_EQ(::GetCapture() == ed.dlg.m_hWnd, k.taken);
        EXPECT_EQ(ed.Hsb(), k.hsb);
        EXPECT_EQ(ed.Rgb(), ed.Hsb().ToRgb());
        ed.Mouse(WM_LBUTTONUP, k.at);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

// The red handle stops at the black corner and at the axis end however far the pointer goes;
// the initial swatch keeps the colour the dialog opened with.
TEST(ColorEdit, RedHandleStopsAtTheAxisEnds) {
    const CubeAxes axes = Seen().axes();
    const COLORREF initial = RGB(128, 50, 200);
    Editor ed(initial);
    ed.Mouse(WM_LBUTTONDOWN, axes.Handle(0, 128));
    const struct {
        int y, red;
    } moves[] = {{axes.Origin().y + 30, 0}, {axes.End(0).y - 30, 255}, {axes.Origin().y - 1, 2}};
    for (const auto& m : moves) {
        ed.Mouse(WM_MOUSEMOVE, {axes.Origin().x + 17, m.y});
        EXPECT_EQ(ed.Rgb(), (RgbColor{m.red, 50, 200})) << m.y;
        EXPECT_EQ(ed.Hsb(), ed.Rgb().ToHsb());
        const std::unique_ptr<Canvas> shot = Grab(ed.dlg);
        EXPECT_EQ(At(*shot, ed.Place(IDC_CE_INITIAL)), initial);
        EXPECT_EQ(At(*shot, ed.Place(IDC_CE_CURRENT)), RGB(m.red, 50, 200));
    }
    ed.Mouse(WM_LBUTTONUP, {0, 0});
    EXPECT_EQ(::GetCapture(), nullptr);
}

// A new hue shows on the bar: that hue at full brightness at the top, black at the foot.
TEST(ColorEdit, TheBarShowsTheHueTyped) {
    const RECT bar = Seen().bar;
    Editor ed(RGB(255, 0, 0));
    ed.Type(IDC_CE_HUE, "120");
    const int rows = bar.bottom - bar.top;
    std::vector<std::uint8_t> palette(3 * rows);
    BarPalette(120, 255, rows, palette.data());
    EXPECT_TRUE(palette[0] == 0 && palette[1] >= 250 && palette[2] == 0);
    EXPECT_EQ(palette[3 * rows - 2], 0);
    const std::unique_ptr<Canvas> shot = Grab(ed.dlg);
    for (int row : {20, 100, rows - 1}) {
        const std::uint8_t* e = &palette[3 * row];
        EXPECT_EQ(shot->At(bar.left + 10, bar.top + row), RGB(e[0], e[1], e[2])) << row;
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
    const Layout& at = Seen();
    Editor ed(RGB(0, 200, 100));
    const COLORREF face = RGB(201, 120, 60);
    FaceColour change(face);
    ed.dlg.SendMessage(WM_SYSCOLORCHANGE);
    ed.Settle();
    const std::unique_ptr<Canvas> shot = Grab(ed.dlg);
    for (GeoPoint p :
         {at.wheel, at.wheel + GeoPoint{201, 200}, at.cube, at.cube + GeoPoint{189, 189}})
        EXPECT_EQ(shot->At(p.x, p.y), face) << p.x << "," << p.y;
}

// Drags that come back to where they began leave the pictures as they were then.
TEST(ColorEdit, DragsLeaveNoTrails) {
    const Layout& at = Seen();
    Editor ed(RGB(255, 128, 0));
    const struct {
        const char* name;
        GeoPoint start;
        int dx, dy;
        bool redHandle; // start on the red handle, wherever the drags before left it
    } drags[] = {{"wheel", at.centre() + GeoPoint{30, -20}, 2, 0, false},
                 {"bar", {at.bar.left + 5, at.bar.top + 40}, 0, 2, false},
                 {"red axis", {}, 0, 2, true}};
    for (const auto& d : drags) {
        const GeoPoint start = d.redHandle ? at.axes().Handle(0, ed.Rgb().red) : d.start;
        ed.Mouse(WM_LBUTTONDOWN, start);
        ASSERT_EQ(::GetCapture(), ed.dlg.m_hWnd) << d.name;
        ed.Mouse(WM_MOUSEMOVE, start); // a press on a handle applies nothing yet
        const std::unique_ptr<Canvas> before = Grab(ed.dlg);
        for (int i = 1, steps = 120; i <= steps; ++i) { // out and back
            const int k = std::min(i, steps - i);
            ed.Mouse(WM_MOUSEMOVE, start + GeoPoint{k * d.dx, k * d.dy});
        }
        ed.Mouse(WM_LBUTTONUP, start);
        const std::unique_ptr<Canvas> after = Grab(ed.dlg);
        int differ = 0;
        for (const RECT& r : {ed.Place(IDC_CE_RGB_AREA), ed.Place(IDC_CE_HSB_AREA)})
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    differ += before->At(x, y) != after->At(x, y);
        EXPECT_EQ(differ, 0) << d.name;
    }
}

// Run modally as its callers do: OK hands over the edited colour, Cancel just ends it.
TEST(ColorEdit, ModalRunEndsWithOkOrCancel) {
    for (int button : {IDOK, IDCANCEL}) {
        CColorEditDialog dlg(RGB(1, 2, 3));
        EXPECT_EQ(InsideModal([&] { return dlg.DoModal(); },
                              [&] { ::SetDlgItemTextA(dlg, IDC_CE_GREEN, "77"); },
                              [&] { dlg.PostMessage(WM_COMMAND, button); }),
                  button);
        EXPECT_EQ(dlg.m_rgbInitial, (RgbColor{1, 2, 3}));
        if (button == IDOK) {
            EXPECT_EQ(dlg.m_rgbCurrent, (RgbColor{1, 77, 3}));
        }
    }
}

// The pictures the program ships are its own drawing of them at 96 DPI, pixel for pixel, so the
// editor draws the same pictures at other scales.
TEST(ColorEditArt, ShippedPicturesAreTheProgramsDrawing) {
    const struct {
        UINT id;
        EditorPicture drawn;
    } pictures[] = {{IDB_COLOR_WHEEL, DrawWheel(kWheelRadius)},
                    {IDB_COLOR_CUBE, DrawCube(kCubeArt)}};
    for (const auto& p : pictures) {
        const std::unique_ptr<Canvas> shipped = Picture(p.id, false);
        ASSERT_EQ(shipped->w, p.drawn.Width()) << p.id;
        ASSERT_EQ(shipped->h, p.drawn.Height()) << p.id;
        int differ = 0;
        for (int y = 0; y < shipped->h; ++y)
            for (int x = 0; x < shipped->w; ++x) {
                const RgbColor c = p.drawn.At(x, y);
                differ += shipped->At(x, y) != RGB(c.red, c.green, c.blue);
            }
        EXPECT_EQ(differ, 0) << p.id;
    }
}
