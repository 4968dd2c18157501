// CDibImage drawn on a real device context, part of it at a target, each pixel where it belongs
// and nothing else; and both kinds of picture when there is nothing to draw. (Skin bitmaps are
// drawn pixel by pixel in the skinned button's test.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "core/DibImage.h"
#include "core/SkinBitmap.h"
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

// Nothing to draw or nowhere to draw it: the call says so, or draws nothing, and the canvas is
// untouched throughout.
TEST(PictureDraw, NothingToDrawOrNowhereToDraw) {
    Canvas canvas(kCanvas, kCanvas, kBackground);
    CDibImage empty, image;
    EXPECT_FALSE(empty.Create(0, 8, 8));
    EXPECT_FALSE(empty.Draw(canvas.dc, 0, 0, 8, 8, 0, 0));
    MakePicture(image, 8);
    EXPECT_FALSE(image.Draw(canvas.dc, 0, 0, 0, 3, 0, 0));
    EXPECT_FALSE(image.Draw(nullptr, 0, 0, 4, 3, 0, 0));
    CSkinBitmap b;
    EXPECT_FALSE(b.Draw(canvas.dc, 0, 0)); // never created
    ASSERT_NE(b.Create(4, 4, 8), nullptr);
    EXPECT_FALSE(b.Draw(nullptr, 0, 0));
    ASSERT_NE(b.Create(0, 5, 8), nullptr);
    EXPECT_TRUE(b.Draw(canvas.dc, 0, 0)); // nothing to transfer
    b.Release();
    EXPECT_FALSE(b.Draw(canvas.dc, 0, 0));
    ExpectDrawn(canvas, {}, nullptr);
}
