// CDibImage::Draw into a memory device context: which picture pixels land where.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "color/DibImage.h"
#include "tests/common/canvas.h"

namespace {

constexpr int kWidth = 4, kHeight = 6, kCanvas = 12;
constexpr COLORREF kBackground = 0x00123456;

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
            for (int y = 0; y < kCanvas; ++y)
                for (int x = 0; x < kCanvas; ++x) {
                    const bool in = x >= c[0] && x < c[0] + c[2] && y >= c[1] && y < c[1] + c[3];
                    ASSERT_EQ(canvas.At(x, y),
                              in ? PictureColour(c[4] + x - c[0], c[5] + y - c[1]) : kBackground)
                        << "pixel " << x << "," << y;
                }
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
    for (int y = 0; y < kCanvas; ++y)
        for (int x = 0; x < kCanvas; ++x)
            ASSERT_EQ(canvas.At(x, y), kBackground) << x << "," << y;
}
