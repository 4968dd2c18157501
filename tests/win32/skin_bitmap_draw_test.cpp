// Skin bitmaps drawn on a real device context: position, orientation, palette and packed depths.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/SkinBitmap.h"
#include "skin/SkinPainter.h"
#include "tests/common/canvas.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);

// Every pixel is the bitmap's colour inside the rectangle at x0, y0 and untouched outside.
void ExpectDrawnAt(const Canvas& c, const CSkinBitmap& b, int x0, int y0) {
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            const bool in = x >= x0 && x < x0 + b.Width() && y >= y0 && y < y0 + b.Height();
            ASSERT_EQ(c.At(x, y), in ? b.PaletteColor(b.GetPixel(x - x0, y - y0)) : kBackground)
                << "depth " << b.BitCount() << " at " << x << "," << y;
        }
}

} // namespace

TEST(SkinBitmapDraw, PutsEachPixelAtItsPlace) {
    // Distinct colours per pixel at every depth with a palette; odd widths exercise row padding.
    for (int depth : {1, 4, 8}) {
        Canvas canvas(40, 30, kBackground);
        CSkinBitmap b;
        ASSERT_NE(b.Create(7, 5, depth), nullptr);
        for (int i = 0; i < b.PaletteSize(); ++i)
            b.SetPaletteEntry(i, 10 + i, 200 - (i % 100), (i * 37) & 0xFF);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                b.SetPixel(x, y, x + 7 * y + (x == 0 ? 0 : y));
        EXPECT_TRUE(b.Draw(canvas.dc, 11, 6));
        EXPECT_EQ(GetStretchBltMode(canvas.dc), COLORONCOLOR);
        ExpectDrawnAt(canvas, b, 11, 6);
    }
    // A generated skin shows its top row first: mode 2 is light at the top, dark at the bottom.
    Canvas canvas(64, 48, kBackground);
    CSkinBitmap b;
    CrtRandom random(11);
    GenerateSkin(b, 37, 29, 2, 6, 40, RGB(30, 90, 200), CurrentSkinSystemColors(), random);
    ASSERT_TRUE(b.Draw(canvas.dc, 5, 9));
    ExpectDrawnAt(canvas, b, 5, 9);
    EXPECT_GT(GetRValue(canvas.At(20, 9)), GetRValue(canvas.At(20, 37)));
}

TEST(SkinBitmapDraw, NothingToDrawOrNowhereToDraw) {
    Canvas canvas(16, 16, kBackground);
    CSkinBitmap b;
    EXPECT_FALSE(b.Draw(canvas.dc, 0, 0)); // never created
    ASSERT_NE(b.Create(4, 4, 8), nullptr);
    EXPECT_FALSE(b.Draw(nullptr, 0, 0));
    ASSERT_NE(b.Create(0, 5, 8), nullptr);
    EXPECT_TRUE(b.Draw(canvas.dc, 0, 0)); // nothing to transfer
    b.Release();
    EXPECT_FALSE(b.Draw(canvas.dc, 0, 0));
    ExpectDrawnAt(canvas, b, 100, 100); // the canvas is untouched throughout
}
