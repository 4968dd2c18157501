// CDibImage::Draw into 24- and 32-bit memory device contexts: which picture pixels land where.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "color/ColorModel.h"
#include "color/DibImage.h"

namespace {

constexpr int kWidth = 4, kHeight = 6, kCanvas = 12;
constexpr COLORREF kBackground = 0x00123456;

// The colour of picture pixel (x, y), counted from the picture's top-left.
COLORREF PictureColour(int x, int y) {
    const int k = y * kWidth + x;
    return MakeColorWord(10 * k + 5, 250 - 10 * k, 7 * k + 1);
}

// An 8-bit picture whose pixel (x, y) is colour-table entry y * width + x, or a 24-bit one.
void MakePicture(CDibImage& image, int bits) {
    ASSERT_TRUE(image.Create(kWidth, kHeight, bits));
    std::uint8_t triples[kWidth * kHeight * 3];
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int k = y * kWidth + x;
            const COLORREF c = PictureColour(x, y);
            std::uint8_t* rgb = triples + 3 * k;
            rgb[0] = GetRValue(c), rgb[1] = GetGValue(c), rgb[2] = GetBValue(c);
            if (bits == 8) {
                image.RowPointer(y)[x] = static_cast<std::uint8_t>(k);
            } else {
                std::uint8_t* p = image.RowPointer(y) + 3 * x;
                p[0] = rgb[2], p[1] = rgb[1], p[2] = rgb[0];
            }
        }
    image.SetPalette(triples, kWidth * kHeight);
}

// A memory device context over a DIB section of the given depth, filled with the background.
struct Canvas {
    explicit Canvas(int bits) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = info.bmiHeader.biHeight = kCanvas;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bits);
        void* pixels = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        old = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(kBackground);
        const RECT all = {0, 0, kCanvas, kCanvas};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

} // namespace

TEST(DibDraw, PutsTheChosenPartAtTheTarget) {
    // x, y, w, h, source x, source y; the source y counts from the picture's top.
    const int cases[][6] = {
        {0, 0, kWidth, kHeight, 0, 0},
        {3, 2, kWidth, kHeight, 0, 0},
        {0, 0, kWidth, kHeight / 2, 0, 0},
        {5, 1, kWidth, kHeight / 2, 0, kHeight / 2},
        {1, 1, 2, 2, 2, 2},
        {2, 7, kWidth, 1, 0, kHeight - 1},
        {9, 9, 1, 1, 3, 4},
    };
    for (int canvasBits : {24, 32})
        for (int pictureBits : {8, 24}) {
            CDibImage image;
            MakePicture(image, pictureBits);
            for (const auto& c : cases) {
                SCOPED_TRACE(::testing::Message()
                             << canvasBits << "-bit canvas, " << pictureBits << "-bit picture, h "
                             << c[3] << " from y " << c[5]);
                Canvas canvas(canvasBits);
                ASSERT_TRUE(canvas.bitmap);
                EXPECT_TRUE(image.Draw(canvas.dc, c[0], c[1], c[2], c[3], c[4], c[5]));
                int wrong = 0;
                for (int y = 0; y < kCanvas; ++y)
                    for (int x = 0; x < kCanvas; ++x) {
                        const bool in =
                            x >= c[0] && x < c[0] + c[2] && y >= c[1] && y < c[1] + c[3];
                        const COLORREF want =
                            in ? PictureColour(c[4] + x - c[0], c[5] + y - c[1]) : kBackground;
                        if (GetPixel(canvas.dc, x, y) != want && ++wrong <= 3)
                            ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex
                                          << GetPixel(canvas.dc, x, y) << " not " << want;
                    }
            }
        }
}

TEST(DibDraw, EmptyImageOrNothingToTransferDrawsNothing) {
    Canvas canvas(32);
    CDibImage empty, image;
    EXPECT_FALSE(empty.Create(0, 8, 8));
    EXPECT_FALSE(empty.Draw(canvas.dc, 0, 0, 8, 8, 0, 0));
    MakePicture(image, 8);
    EXPECT_FALSE(image.Draw(canvas.dc, 0, 0, 0, 3, 0, 0));
    EXPECT_FALSE(image.Draw(nullptr, 0, 0, 4, 3, 0, 0));
    for (int y = 0; y < kCanvas; ++y)
        for (int x = 0; x < kCanvas; ++x)
            EXPECT_EQ(GetPixel(canvas.dc, x, y), kBackground) << x << "," << y;
}
