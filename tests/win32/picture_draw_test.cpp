// The program's two kinds of picture drawn on a real device context: CDibImage, part of it at a
// target, and the skin bitmaps at every depth; each pixel where it belongs and nothing else.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "color/DibImage.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinPainter.h"
#include "tests/common/canvas.h"

namespace {

constexpr COLORREF kBackground = RGB(0x56, 0x34, 0x12);

// Every pixel of the canvas is `want` (of the pixel's place in the rectangle) inside the
// rectangle and the background outside.
void ExpectDrawn(const Canvas& c, const RECT& r, const std::function<COLORREF(int, int)>& want) {
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            const bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            ASSERT_EQ(c.At(x, y), in ? want(x - r.left, y - r.top) : kBackground)
                << "pixel " << x << "," << y;
        }
}

constexpr int kWidth = 4, kHeight = 6, kCanvas = 12;

// The colour of picture pixel (x, y), counted from the picture's top-left.
COLORREF PictureColour(int x, int y) {
    const int k = y * kWidth + x;
    return RGB(10 * k + 5, 250 - 10 * k, 7 * k + 1);
}

// An 8-bit picture whose pixel (x, y) is colour-table entry y * width + x, or a 24-bit one.
void MakePicture(CDibImage& image, int bits) {
    ASSERT_TRUE(image.Create(kWidth, kHeight, bits));
    std::uint8_t rgb[kWidth * kHeight * 3];
    for (int k = 0; k < kWidth * kHeight; ++k) {
        const int x = k % kWidth, y = k / kWidth;
        const COLORREF c = PictureColour(x, y);
        std::uint8_t* triple = rgb + 3 * k;
        triple[0] = GetRValue(c), triple[1] = GetGValue(c), triple[2] = GetBValue(c);
        if (bits == 8)
            image.RowPointer(y)[x] = static_cast<std::uint8_t>(k);
        else // stored blue, green, red
            std::reverse_copy(triple, triple + 3, image.RowPointer(y) + 3 * x);
    }
    image.SetPalette(rgb, kWidth * kHeight);
}

// The colours a skin bitmap holds, pixel by pixel from its top-left.
std::function<COLORREF(int, int)> Pixels(const CSkinBitmap& b) {
    return [&b](int x, int y) { return b.PaletteColor(b.GetPixel(x, y)); };
}

} // namespace

TEST(DibDraw, PutsTheChosenPartAtTheTarget) {
    // x, y, w, h, source x, source y; the source y counts from the picture's top.
    const int cases[][6] = {{3, 2, 4, 6, 0, 0}, {0, 0, 4, 3, 0, 0}, {5, 1, 4, 3, 0, 3},
                            {1, 1, 2, 2, 2, 2}, {2, 7, 4, 1, 0, 5}, {9, 9, 1, 1, 3, 4}};
    for (int bits : {8, 24}) {
        CDibImage image;
        MakePicture(image, bits);
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << bits << "-bit, h " << c[3] << " from y " << c[5]);
            Canvas canvas(kCanvas, kCanvas, kBackground);
            EXPECT_TRUE(image.Draw(canvas.dc, c[0], c[1], c[2], c[3], c[4], c[5]));
            ExpectDrawn(canvas, {c[0], c[1], c[0] + c[2], c[1] + c[3]},
                        [&](int x, int y) { return PictureColour(c[4] + x, c[5] + y); });
        }
    }
}

TEST(DibDraw, EmptyImageOrNothingToTransferDrawsNothing) {
    Canvas canvas(kCanvas, kCanvas, kBackground);
    CDibImage empty, image;
    EXPECT_FALSE(empty.Create(0, 8, 8));
    EXPECT_FALSE(empty.Draw(canvas.dc, 0, 0, 8, 8, 0, 0));
    MakePicture(image, 8);
    EXPECT_FALSE(image.Draw(canvas.dc, 0, 0, 0, 3, 0, 0));
    EXPECT_FALSE(image.Draw(nullptr, 0, 0, 4, 3, 0, 0));
    ExpectDrawn(canvas, {}, nullptr);
}

TEST(SkinBitmapDraw, PutsEachPixelAtItsPlace) {
    // Distinct colours per pixel at every depth with a palette; odd widths exercise row padding.
    for (int depth : {1, 4, 8}) {
        SCOPED_TRACE(depth);
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
        ExpectDrawn(canvas, {11, 6, 18, 11}, Pixels(b));
    }
    // A generated skin shows its top row first: mode 2 is light at the top, dark at the bottom.
    Canvas canvas(64, 48, kBackground);
    CSkinBitmap b;
    CrtRandom random(11);
    GenerateSkin(b, 37, 29, 2, 6, 40, RGB(30, 90, 200), CurrentSkinSystemColors(), random);
    ASSERT_TRUE(b.Draw(canvas.dc, 5, 9));
    ExpectDrawn(canvas, {5, 9, 42, 38}, Pixels(b));
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
    ExpectDrawn(canvas, {}, nullptr); // the canvas is untouched throughout
}
