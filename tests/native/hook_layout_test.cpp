// The hook library's arithmetic: hotkey flags, limits of the magnifier
// settings, placement of the zoom window and the screen copy it makes.
#include "hooklib/ZoomLayout.h"

#include <gtest/gtest.h>

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
    const struct {
        int width, height, factor, gap;
        ZoomSettings expected;
    } cases[] = {
        {40, 40, 4, 13, {40, 40, 4, 13}},
        {10, 100, 1, 0, {10, 100, 1, 0}},
        {9, 101, 0, -1, {10, 100, 1, 0}},
        {500, 500, 11, 101, {100, 100, 10, 100}},
        {INT_MIN, INT_MAX, INT_MAX, INT_MIN, {10, 100, 10, 0}},
    };
    for (const auto& c : cases) {
        const ZoomSettings s = ClampZoomSettings(c.width, c.height, c.factor, c.gap);
        EXPECT_EQ(s.regionWidth, c.expected.regionWidth) << c.width;
        EXPECT_EQ(s.regionHeight, c.expected.regionHeight) << c.height;
        EXPECT_EQ(s.factor, c.expected.factor) << c.factor;
        EXPECT_EQ(s.gap, c.expected.gap) << c.gap;
    }
}

TEST(ZoomPlacement, BelowRightWithRoomFlippedAtEdgesAndCorners) {
    const LayoutRect screen{0, 0, 1024, 768};
    const struct {
        LayoutPoint hot;
        int side, factor, gap;
        LayoutPoint topLeft;
    } cases[] = {
        {{300, 200}, 40, 4, 13, {320, 220}},  // clear of the square, which reaches past the gap
        {{300, 200}, 10, 4, 13, {314, 214}},  // 13 pixels between hotspot and window
        {{300, 200}, 20, 3, 100, {401, 301}}, // a wide gap
        {{0, 0}, 40, 4, 13, {20, 20}},
        {{844, 588}, 40, 4, 13, {864, 608}},  // just fits below right
        {{845, 589}, 40, 4, 13, {665, 409}},  // flipped both ways
        {{1023, 0}, 40, 4, 13, {843, 20}},    // top right corner
        {{0, 767}, 40, 4, 13, {20, 587}},     // bottom left corner
        {{1023, 767}, 40, 4, 13, {843, 587}}, // bottom right corner
    };
    for (const auto& c : cases) {
        const LayoutRect w =
            PlaceZoomWindow(c.hot, screen, ClampZoomSettings(c.side, c.side, c.factor, c.gap));
        EXPECT_EQ(w.left, c.topLeft.x) << c.hot.x << "," << c.hot.y;
        EXPECT_EQ(w.top, c.topLeft.y) << c.hot.x << "," << c.hot.y;
        EXPECT_EQ(w.Width(), c.side * c.factor);
        EXPECT_EQ(w.Height(), c.side * c.factor);
    }
}

// Over the whole monitor, for small, usual, lopsided and oversized windows:
// the window never covers the square it magnifies; it lies wholly on the
// monitor whenever some position clear of the square does; otherwise a
// window that fits the monitor both ways sticks out along one axis only.
TEST(ZoomPlacement, NeverCoversTheSquareAndStaysOnScreenWhenPossible) {
    const LayoutRect screens[] = {{0, 0, 1024, 768}, {-1280, 100, 0, 1124}, {0, 0, 640, 480}};
    const ZoomSettings settings[] = {
        ClampZoomSettings(10, 10, 1, 0),    ClampZoomSettings(40, 40, 4, 13),
        ClampZoomSettings(50, 50, 5, 100),  ClampZoomSettings(100, 20, 6, 13),
        ClampZoomSettings(100, 100, 5, 13), ClampZoomSettings(100, 100, 10, 13),
    };
    for (const LayoutRect& sc : screens) {
        for (const ZoomSettings& s : settings) {
            const int w = s.regionWidth * s.factor, h = s.regionHeight * s.factor;
            for (int x : SamplesAcross(sc.left, sc.right, 37)) {
                for (int y : SamplesAcross(sc.top, sc.bottom, 29)) {
                    const LayoutRect r = ZoomRegion({x, y}, s);
                    const LayoutRect win = PlaceZoomWindow({x, y}, sc, s);
                    ASSERT_EQ(win.Width(), w);
                    ASSERT_FALSE(Intersects(win, r)) << x << "," << y << " w=" << w;
                    const bool fits = w <= sc.Width() && h <= sc.Height();
                    const bool room = r.left - sc.left >= w || sc.right - r.right >= w ||
                                      r.top - sc.top >= h || sc.bottom - r.bottom >= h;
                    const bool xOut = win.left < sc.left || win.right > sc.right;
                    const bool yOut = win.top < sc.top || win.bottom > sc.bottom;
                    if (fits && room) {
                        ASSERT_TRUE(Contains(sc, win)) << x << "," << y << " w=" << w;
                    } else if (fits) {
                        ASSERT_FALSE(xOut && yOut) << x << "," << y << " w=" << w;
                    }
                }
            }
        }
    }
}

TEST(ZoomCopy, OnlyTheOnScreenPartOfTheSquareIsCopiedWhereItBelongs) {
    const LayoutRect screen{0, 0, 1024, 768};
    const ZoomSettings s = ClampZoomSettings(40, 40, 4, 13);
    const ZoomBlit corner = ZoomSourceBlit({0, 0}, screen, s);
    EXPECT_EQ(corner.source.right, 20);
    EXPECT_EQ(corner.dest.left, 80);
    EXPECT_TRUE(ZoomSourceBlit({-100, -100}, screen, s).source.Empty());

    // Everywhere, the copy is the square's on-screen part, enlarged exactly by
    // the factor, and lands inside the window where that part belongs.
    for (int x : SamplesAcross(-50, 1074, 41)) {
        for (int y : SamplesAcross(-50, 818, 31)) {
            const ZoomBlit b = ZoomSourceBlit({x, y}, screen, s);
            const LayoutRect r = ZoomRegion({x, y}, s);
            ASSERT_TRUE(r.Width() == 40 && r.Height() == 40 && x - r.left == 20 && y - r.top == 20);
            if (b.source.Empty()) {
                ASSERT_FALSE(Intersects(r, screen));
                continue;
            }
            ASSERT_TRUE(Contains(screen, b.source) && Contains(r, b.source));
            ASSERT_TRUE(Contains({0, 0, 160, 160}, b.dest));
            // Nothing on the screen is left out: each edge is the square's or the screen's.
            ASSERT_TRUE(b.source.left == r.left || b.source.left == screen.left);
            ASSERT_TRUE(b.source.right == r.right || b.source.right == screen.right);
            ASSERT_TRUE(b.source.top == r.top || b.source.top == screen.top);
            ASSERT_TRUE(b.source.bottom == r.bottom || b.source.bottom == screen.bottom);
            ASSERT_EQ(b.dest.Width(), b.source.Width() * 4);
            ASSERT_EQ(b.dest.Height(), b.source.Height() * 4);
            ASSERT_EQ(b.dest.left, (b.source.left - r.left) * 4);
            ASSERT_EQ(b.dest.top, (b.source.top - r.top) * 4);
        }
    }
}
