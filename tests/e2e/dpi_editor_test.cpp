// The colour editor at the display scale of the run: 96 DPI in the usual run, 144 and 192 under
// scripts/test-screens. Its pictures grow with the scale and stay inside their frames, and a
// press on the wheel or the bar, or a handle dragged over the cube, takes the colour shown there.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

using Rgb = std::array<int, 3>; // red, green, blue

// A colour of the wheel, the cube's faces or a coloured bar, not of the dialog's greys and text.
bool Colourful(const Rgb& c) {
    return *std::max_element(c.begin(), c.end()) - *std::min_element(c.begin(), c.end()) >= 40;
}

// What the screen shows in a rectangle, read at once.
struct Shot {
    RECT area;
    std::vector<DWORD> px = ScreenPixels(area);
    Rgb At(POINT p) const {
        const DWORD v = px[(p.y - area.top) * (area.right - area.left) + p.x - area.left];
        return {int(v >> 16 & 255), int(v >> 8 & 255), int(v & 255)};
    }
    // The smallest rectangle around the colourful pixels of `within`; empty for none.
    RECT Colours(const RECT& within) const {
        RECT box = {within.right, within.bottom, within.left, within.top};
        for (POINT p = {0, within.top}; p.y < within.bottom; ++p.y)
            for (p.x = within.left; p.x < within.right; ++p.x)
                if (Colourful(At(p)))
                    box = {std::min(box.left, p.x), std::min(box.top, p.y),
                           std::max(box.right, p.x + 1), std::max(box.bottom, p.y + 1)};
        return box;
    }
};

// The colour in the editor's boxes of numbers.
constexpr int kBoxes[] = {IDC_CE_RED, IDC_CE_GREEN, IDC_CE_BLUE};
Rgb Shown(HWND editor) {
    Rgb c;
    for (int i = 0; i < 3; ++i)
        c[i] = std::atoi(ItemText(editor, kBoxes[i]).c_str());
    return c;
}
bool SetColour(HWND editor, const Rgb& c) {
    for (int i = 0; i < 3; ++i)
        ::SetDlgItemTextA(editor, kBoxes[i], std::to_string(c[i]).c_str());
    return WaitFor([&] { return Shown(editor) == c; });
}

} // namespace

TEST(DpiEditor, PicturesScaleAndPressesTakeTheColourShown) {
    const char* set = std::getenv("ZEN_DPI"); // the scale scripts/test-screens runs at
    const int dpi = set ? std::atoi(set) : 96;
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenPage(p, kColorPage, IDC_COLOR_SWATCH);
    ASSERT_NE(page, nullptr);
    PressButton(page, IDC_COLOR_EDIT);
    HWND editor = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        editor = FindProcessWindow(p.Pid(), "Edit Color");
        return editor && ::IsWindowVisible(editor);
    }));
    // At the top left of the desktop, where the top of both monitors shows it whole.
    ASSERT_TRUE(::SetWindowPos(editor, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE));
    ASSERT_TRUE(SetColour(editor, {255, 255, 255})); // the bar grey: only the wheel is colourful

    // The pictures grow with the scale as far as their frames hold them: the wheel to the radius
    // scaled or a little less, the cube with it.
    RECT hsbBox = WindowRect(::GetDlgItem(editor, IDC_CE_HSB_AREA));
    RECT rgbBox = WindowRect(::GetDlgItem(editor, IDC_CE_RGB_AREA));
    Shot shot{WindowRect(editor)};
    RECT wheel = {}, cube = {};
    EXPECT_TRUE(WaitFor([&] {
        shot = Shot{WindowRect(editor)};
        wheel = shot.Colours(hsbBox);
        cube = shot.Colours(rgbBox);
        const int width = wheel.right - wheel.left;
        return width == wheel.bottom - wheel.top && width > ::MulDiv(180, dpi, 96) &&
               width <= ::MulDiv(200, dpi, 96) + 1;
    })) << "wheel "
        << wheel.right - wheel.left << " x " << wheel.bottom - wheel.top;
    EXPECT_GT(4 * (cube.right - cube.left), 3 * (wheel.right - wheel.left));
    ::InflateRect(&hsbBox, -2, -2);
    ::InflateRect(&rgbBox, -2, -2);
    EXPECT_TRUE(Inside(wheel, hsbBox));
    EXPECT_TRUE(Inside(cube, rgbBox));

    // Presses close to the middle, halfway and near the rim (per thousand of the radius).
    const int radius = (wheel.right - wheel.left) / 2;
    const POINT centre = {wheel.left + radius, wheel.top + radius};
    for (const POINT k : {POINT{120, -60}, {-350, -350}, {-150, 900}, {800, -450}}) {
        const POINT at = {centre.x + k.x * radius / 1000, centre.y + k.y * radius / 1000};
        const Rgb want = Shot{hsbBox}.At(at);
        ASSERT_TRUE(ClickAt(at));
        EXPECT_TRUE(WaitFor([&] { return Shown(editor) == want; }))
            << k.x << "," << k.y << ": " << testing::PrintToString(Shown(editor));
    }
    // The bar, coloured now, a tenth of the wheel wide and as high: a press a quarter down it
    // takes three quarters of the brightness.
    RECT bar = {};
    ASSERT_TRUE(WaitFor([&] {
        bar = Shot{hsbBox}.Colours({wheel.right, hsbBox.top, hsbBox.right, hsbBox.bottom});
        return bar.right > bar.left;
    }));
    EXPECT_NEAR(bar.right - bar.left, radius / 5, 1);
    EXPECT_TRUE(Inside(bar, hsbBox));
    ASSERT_TRUE(ClickAt({(bar.left + bar.right) / 2, bar.top + radius / 2}));
    EXPECT_TRUE(WaitFor([&] {
        return std::abs(std::atoi(ItemText(editor, IDC_CE_BRIGHTNESS).c_str()) - 191) <= 2;
    })) << ItemText(editor, IDC_CE_BRIGHTNESS);

    // The green handle, then the blue one, alone at the black corner (the faces' darkest point)
    // and dragged to the middle of the face of its axis and red's, takes its channel there as
    // shown, or one less (the face rounds, the drag truncates). The drag is posted, free of the
    // timing of synthesized pointer moves.
    const auto dark = [](Rgb c) { return c[0] == c[1] && c[1] == c[2] ? 999 : c[0] + c[1] + c[2]; };
    for (const int axis : {1, 2}) {
        ASSERT_TRUE(SetColour(editor, axis == 1 ? Rgb{255, 0, 255} : Rgb{255, 255, 0}));
        const auto off = [axis](Rgb c) {
            return c[3 - axis] ? 999 : std::abs(c[0] - 128) + std::abs(c[axis] - 128);
        };
        POINT corner = {cube.left, cube.top}, middle = corner;
        for (POINT q = {0, cube.top}; q.y < cube.bottom; ++q.y)
            for (q.x = cube.left; q.x < cube.right; ++q.x) {
                corner = dark(shot.At(q)) < dark(shot.At(corner)) ? q : corner;
                middle = off(shot.At(q)) < off(shot.At(middle)) ? q : middle;
            }
        const int want = shot.At(middle)[axis];
        ::ScreenToClient(editor, &corner);
        ::ScreenToClient(editor, &middle);
        ::PostMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(corner.x, corner.y));
        ::PostMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
        ::PostMessageA(editor, WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
        const auto under = [&] { return want - Shown(editor)[axis]; };
        EXPECT_TRUE(WaitFor([&] { return under() == 0 || under() == 1; }))
            << want << " shown, " << testing::PrintToString(Shown(editor)) << " taken";
    }
    SaveScreenshot("color_editor");
    EXPECT_TRUE(CloseWith(editor, IDCANCEL));
}
