// The hook library's arithmetic: hotkey flags, limits of the magnifier
// settings, placement of the zoom window and the screen copy it makes.
#include "hooklib/ZoomLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

using namespace quillet;

namespace {

std::vector<int> SamplesAcross(int lo, int hi, int step) {
    std::vector<int> v{lo, lo + 1, hi - 2, hi - 1};
    for (int i = lo; i < hi; i += step)
        v.push_back(i);
    return v;
}

} // namespace

TEST(HotkeyFlags, ControlFlagsBecomeRegistrationFlags) {
    // Control: 1 Shift, 2 Ctrl, 4 Alt, 8 extended. Registration: 1 Alt, 2 Ctrl, 4 Shift, 8 Win.
    const unsigned single[4] = {4, 2, 1, 0};
    for (unsigned flags = 0; flags < 16; ++flags) {
        unsigned expected = 0;
        for (int bit = 0; bit < 4; ++bit)
            if (flags & (1u << bit))
                expected |= single[bit];
        // Bits above the four flags are ignored; the Windows key is never asked for.
        EXPECT_EQ(HotkeyFlagsToModifiers(static_cast<unsigned short>(flags)), expected) << flags;
        EXPECT_EQ(HotkeyFlagsToModifiers(static_cast<unsigned short>(flags | 0xFF00)), expected);
    }
    // The stored key is read as its low byte, as the hotkey control shows it.
    const unsigned short keys[][2] = {
        {0, 0}, {'Z', 'Z'}, {0x015A, 'Z'}, {0x0100, 0}, {0xFFFF, 0xFF}};
    for (const auto& k : keys)
        EXPECT_EQ(HotkeyVirtualKey(k[0]), k[1]) << k[0];
}

TEST(ZoomSettingsLimits, ValuesOutsideThePageRangesAreBroughtInside) {
    // Width, height, factor, gap given; then as brought inside the limits.
    const int cases[][8] = {
        {10, 100, 1, 0, 10, 100, 1, 0},
        {9, 101, 0, -1, 10, 100, 1, 0},
        {500, 500, 11, 101, 100, 100, 10, 100},
        {INT_MIN, INT_MAX, INT_MAX, INT_MIN, 10, 100, 10, 0},
    };
    for (const auto& c : cases) {
        const ZoomSettings s = ClampZoomSettings(c[0], c[1], c[2], c[3]);
        EXPECT_EQ((std::array{s.regionWidth, s.regionHeight, s.factor, s.gap}),
                  (std::array{c[4], c[5], c[6], c[7]}))
            << c[0] << "," << c[1] << "," << c[2] << "," << c[3];
    }
}

TEST(ZoomPlacement, BelowRightWithRoomFlippedAtTheEdges) {
    // Hotspot, side of the square, factor, gap; then the window's top left
    // corner on a 1024 x 768 monitor.
    const int cases[][7] = {
        {300, 200, 40, 4, 13, 320, 220},  // clear of the square, which reaches past the gap
        {300, 200, 10, 4, 13, 314, 214},  // 13 pixels between hotspot and window
        {300, 200, 20, 3, 100, 401, 301}, // a wide gap
        {844, 588, 40, 4, 13, 864, 608},  // just fits below right
        {845, 589, 40, 4, 13, 665, 409},  // flipped both ways
        {1023, 0, 40, 4, 13, 843, 20},    // top right corner
    };
    for (const auto& c : cases) {
        const LayoutRect w = PlaceZoomWindow({c[0], c[1]}, {0, 0, 1024, 768},
                                             ClampZoomSettings(c[2], c[2], c[3], c[4]));
        EXPECT_EQ(w.left, c[5]) << c[0] << "," << c[1];
        EXPECT_EQ(w.top, c[6]) << c[0] << "," << c[1];
    }
}

// Over the whole monitor, for small, usual, lopsided and oversized windows:
// the window never covers the square it magnifies; it lies wholly on the
// monitor whenever some position clear of the square does; otherwise a
// window that fits the monitor both ways sticks out along one axis only.
// What it shows is the square's on-screen part, enlarged exactly by the
// factor, where that part belongs in the window.
TEST(ZoomPlacement, NeverCoversTheSquareStaysOnScreenAndShowsWhatIsThere) {
    const LayoutRect screens[] = {{0, 0, 1024, 768}, {-1280, 100, 0, 1124}, {0, 0, 640, 480}};
    const ZoomSettings settings[] = {
        ClampZoomSettings(10, 10, 1, 0),    ClampZoomSettings(40, 40, 4, 13),
        ClampZoomSettings(50, 50, 5, 100),  ClampZoomSettings(100, 20, 6, 13),
        ClampZoomSettings(100, 100, 5, 13), ClampZoomSettings(100, 100, 10, 13),
    };
    for (const LayoutRect& sc : screens) {
        for (const ZoomSettings& s : settings) {
            const int f = s.factor, w = s.regionWidth * f, h = s.regionHeight * f;
            for (int x : SamplesAcross(sc.left, sc.right, 37)) {
                for (int y : SamplesAcross(sc.top, sc.bottom, 29)) {
                    const LayoutRect r = ZoomRegion({x, y}, s);
                    const LayoutRect win = PlaceZoomWindow({x, y}, sc, s);
                    ASSERT_TRUE(win.Width() == w && win.Height() == h);
                    ASSERT_FALSE(Intersects(win, r)) << x << "," << y;
                    const bool fits = w <= sc.Width() && h <= sc.Height();
                    const bool room = r.left - sc.left >= w || sc.right - r.right >= w ||
                                      r.top - sc.top >= h || sc.bottom - r.bottom >= h;
                    const bool xIn = win.left >= sc.left && win.right <= sc.right;
                    const bool yIn = win.top >= sc.top && win.bottom <= sc.bottom;
                    ASSERT_TRUE(!fits || (room ? xIn && yIn : xIn || yIn)) << x << "," << y;

                    // Each edge of the copied part is the square's or the screen's.
                    const ZoomBlit b = ZoomSourceBlit({x, y}, sc, s);
                    ASSERT_TRUE(Contains(sc, b.source) && Contains(r, b.source) &&
                                !b.source.Empty());
                    ASSERT_TRUE(b.source.left == r.left || b.source.left == sc.left);
                    ASSERT_TRUE(b.source.right == r.right || b.source.right == sc.right);
                    ASSERT_TRUE(b.source.top == r.top || b.source.top == sc.top);
                    ASSERT_TRUE(b.source.bottom == r.bottom || b.source.bottom == sc.bottom);
                    ASSERT_TRUE(b.dest.left == (b.source.left - r.left) * f &&
                                b.dest.top == (b.source.top - r.top) * f);
                    ASSERT_TRUE(b.dest.Width() == b.source.Width() * f &&
                                b.dest.Height() == b.source.Height() * f);
                }
            }
        }
    }
}

TEST(ZoomPlacement, TheWindowAlwaysFitsBesideThePointerAtTheLargestMagnificationThatDoes) {
    // Whether a window of these settings sits on the screen clear of the square
    // wherever the pointer is (every pixel of the screen).
    auto fitsEverywhere = [](const LayoutRect& sc, const ZoomSettings& s) {
        for (int x = sc.left; x < sc.right; ++x)
            for (int y = sc.top; y < sc.bottom; ++y) {
                const LayoutRect win = PlaceZoomWindow({x, y}, sc, s);
                if (!Contains(sc, win) || Intersects(win, ZoomRegion({x, y}, s)))
                    return false;
            }
        return true;
    };
    const LayoutRect screens[] = {{0, 0, 640, 480}, {-320, 40, 0, 280}};
    const ZoomSettings settings[] = {
        ClampZoomSettings(100, 100, 10, 13), ClampZoomSettings(40, 40, 4, 13),
        ClampZoomSettings(100, 20, 6, 13), ClampZoomSettings(30, 30, 10, 100)};
    for (const LayoutRect& sc : screens)
        for (const ZoomSettings& s : settings) {
            const ZoomSettings fitted = FitZoomToScreen(s, sc);
            ASSERT_LE(fitted.factor, s.factor);
            EXPECT_EQ(fitted.regionWidth, s.regionWidth);
            EXPECT_TRUE(fitted.factor == 1 || fitsEverywhere(sc, fitted)) << s.factor;
            if (fitted.factor < s.factor) {
                ZoomSettings larger = fitted;
                ++larger.factor;
                EXPECT_FALSE(fitsEverywhere(sc, larger)) << "a larger one fits: " << larger.factor;
            }
        }
}
