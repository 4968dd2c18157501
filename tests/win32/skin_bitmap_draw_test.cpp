// Skin bitmaps drawn on a real device context: position, orientation, palette and packed depths.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/SkinBitmap.h"
#include "skin/SkinPainter.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);

// A memory DC over a top-down 32-bit picture whose pixels can be read directly.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits),
                                    nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < width * height; ++i)
            m_bits[i] = 0x010203; // kBackground as B, G, R
    }
    ~Canvas() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

// Every canvas pixel is the bitmap's colour inside the rectangle at x0, y0 and untouched outside.
void ExpectDrawnAt(const Canvas& canvas, const CSkinBitmap& b, int x0, int y0) {
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const bool inside = x >= x0 && x < x0 + b.Width() && y >= y0 && y < y0 + b.Height();
            const COLORREF expected =
                inside ? b.PaletteColor(b.GetPixel(x - x0, y - y0)) : kBackground;
            ASSERT_EQ(canvas.At(x, y), expected)
                << "depth " << b.BitCount() << " at " << x << "," << y;
        }
    }
}

} // namespace

TEST(SkinBitmapDraw, PutsEachPixelAtItsPlace) {
    // Distinct colours per pixel at every depth with a palette; odd widths exercise row padding.
    for (int depth : {1, 4, 8}) {
        Canvas canvas(40, 30);
        CSkinBitmap b;
        ASSERT_NE(b.Create(7, 5, depth), nullptr);
        for (int i = 0; i < b.PaletteSize(); ++i)
            b.SetPaletteEntry(i, 10 + i, 200 - (i % 100), (i * 37) & 0xFF);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                b.SetPixel(x, y, x + 7 * y + (x == 0 ? 0 : y));
        EXPECT_TRUE(b.Draw(canvas.Dc(), 11, 6));
        EXPECT_EQ(GetStretchBltMode(canvas.Dc()), COLORONCOLOR);
        ExpectDrawnAt(canvas, b, 11, 6);
    }
}

TEST(SkinBitmapDraw, GeneratedSkinShowsTopRowFirst) {
    for (int mode : {2, 7, 8}) {
        Canvas canvas(64, 48);
        CSkinBitmap b;
        CrtRandom random(11);
        GenerateSkin(b, 37, 29, mode, 6, 40, RGB(30, 90, 200), CurrentSkinSystemColors(), random);
        ASSERT_TRUE(b.Draw(canvas.Dc(), 5, 9));
        ExpectDrawnAt(canvas, b, 5, 9);
        if (mode == 2) { // light at the top of the window, dark at the bottom
            EXPECT_GT(GetRValue(canvas.At(20, 9)), GetRValue(canvas.At(20, 37)));
        }
    }
}

TEST(SkinBitmapDraw, NothingToDrawOrNowhereToDraw) {
    Canvas canvas(16, 16);
    CSkinBitmap b;
    EXPECT_FALSE(b.Draw(canvas.Dc(), 0, 0)); // never created
    ASSERT_NE(b.Create(4, 4, 8), nullptr);
    EXPECT_FALSE(b.Draw(nullptr, 0, 0));
    ASSERT_NE(b.Create(0, 5, 8), nullptr);
    EXPECT_TRUE(b.Draw(canvas.Dc(), 0, 0)); // nothing to transfer
    b.Release();
    EXPECT_FALSE(b.Draw(canvas.Dc(), 0, 0));
    ExpectDrawnAt(canvas, b, 100, 100); // the canvas is untouched throughout
}
