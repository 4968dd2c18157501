// The etched frames of the Magnify and Capture pages, pixel for pixel, on a
// memory DC.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/Gdi.h"
#include "magnify/EtchedFrames.h"

namespace {

constexpr int kW = 360, kH = 200;
constexpr DWORD kBlank = 0x506070, kGrey = 0x808080, kWhite = 0xFFFFFF;

// Header of a top-down 32-bit picture.
BITMAPINFO Info32(int w, int h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    return bi;
}

// A memory DC over a 32-bit picture (0x00RRGGBB per pixel), all kBlank.
struct Canvas {
    Canvas() {
        BITMAPINFO bi = Info32(kW, kH);
        bmp.Attach(
            ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0));
        sel = ::SelectObject(dc, bmp);
        std::fill(px, px + kW * kH, kBlank);
    }
    ~Canvas() { ::SelectObject(dc, sel); }
    DWORD At(int x, int y) const { return (::GdiFlush(), px[y * kW + x] & 0xFFFFFF); }
    CMemDC dc;
    CBitmap bmp;
    DWORD* px = nullptr;
    HGDIOBJ sel;
};

// The frames in drawing order; each segment runs from its first point up
// to, not including, its second.
const struct Segment {
    DWORD colour;
    int x1, y1, x2, y2;
} kFrames[] = {
    // Upper frame, caption gap from 20 to 100.
    {kGrey, 11, 18, 20, 18},
    {kGrey, 100, 18, 330, 18},
    {kWhite, 11, 19, 20, 19},
    {kWhite, 100, 19, 330, 19},
    {kGrey, 11, 84, 330, 84},
    {kWhite, 11, 85, 330, 85},
    {kGrey, 329, 18, 329, 85},
    {kWhite, 330, 18, 330, 86},
    {kGrey, 11, 18, 11, 84},
    {kWhite, 12, 19, 12, 84},
    // Lower frame: 83 lower, gap from 20 to 95.
    {kGrey, 11, 101, 20, 101},
    {kGrey, 95, 101, 330, 101},
    {kWhite, 11, 102, 20, 102},
    {kWhite, 95, 102, 330, 102},
    {kGrey, 11, 167, 330, 167},
    {kWhite, 11, 168, 330, 168},
    {kGrey, 329, 101, 329, 168},
    {kWhite, 330, 101, 330, 169},
    {kGrey, 11, 101, 11, 167},
    {kWhite, 12, 102, 12, 167},
};

} // namespace

TEST(EtchedFrames, EveryPixelOfBothFrames) {
    std::vector<DWORD> want(kW * kH, kBlank);
    for (const Segment& s : kFrames) {
        int dx = (s.x2 > s.x1) - (s.x2 < s.x1), dy = (s.y2 > s.y1) - (s.y2 < s.y1);
        for (int x = s.x1, y = s.y1; x != s.x2 || y != s.y2; x += dx, y += dy)
            want[y * kW + x] = s.colour;
    }
    Canvas cv;
    PaintEtchedFrames(cv.dc, "", "");
    int wrong = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (cv.At(x, y) != want[y * kW + x] && ++wrong <= 10)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << cv.At(x, y);
    EXPECT_EQ(wrong, 0);
    // Landmarks: the gaps end at 100 and at 95; the grey left edge covers the white top.
    EXPECT_EQ(cv.At(99, 18), kBlank);
    EXPECT_EQ(cv.At(100, 18), kGrey);
    EXPECT_EQ(cv.At(94, 101), kBlank);
    EXPECT_EQ(cv.At(95, 101), kGrey);
    EXPECT_EQ(cv.At(11, 19), kGrey);
}

TEST(EtchedFrames, CaptionsStandAtTheirGapsAndTheDcIsLeftAsItWas) {
    Canvas bare, captioned;
    PaintEtchedFrames(bare.dc, "", "");
    HGDIOBJ font = ::GetCurrentObject(captioned.dc, OBJ_FONT);
    HGDIOBJ pen = ::GetCurrentObject(captioned.dc, OBJ_PEN);
    PaintEtchedFrames(captioned.dc, "Magnify Glass", "Magnify Option");
    EXPECT_EQ(::GetCurrentObject(captioned.dc, OBJ_FONT), font);
    EXPECT_EQ(::GetCurrentObject(captioned.dc, OBJ_PEN), pen);
    EXPECT_EQ(::GetBkMode(captioned.dc), OPAQUE);

    // Black text without a background at (22, 12) and (22, 95), 15 pixels
    // high; how far right it reaches depends on the installed face.
    struct Box {
        int count = 0, left = kW, top = kH, bottom = 0;
    } box[2];
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (captioned.At(x, y) != bare.At(x, y)) {
                EXPECT_EQ(captioned.At(x, y), 0u) << x << "," << y;
                Box& b = box[y >= 60];
                ++b.count;
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y + 1);
            }
    const int captionY[] = {12, 95};
    for (int i : {0, 1}) {
        EXPECT_GT(box[i].count, 40);
        EXPECT_TRUE(box[i].left >= 22 && box[i].left < 26) << box[i].left;
        EXPECT_GE(box[i].top, captionY[i]);
        EXPECT_LE(box[i].bottom, captionY[i] + 15);
    }
}
