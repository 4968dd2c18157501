// The etched frames of the Magnify and Capture pages, pixel for pixel, on a
// memory DC.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/Gdi.h"
#include "magnify/EtchedFrames.h"

namespace {

constexpr int kW = 360, kH = 200;
constexpr DWORD kBlank = 0x506070, kGrey = 0x808080, kWhite = 0xFFFFFF;

// A memory DC over a 32-bit picture (0x00RRGGBB per pixel), all kBlank.
struct Canvas {
    Canvas() {
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bmp.Attach(
            ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0));
        ::SelectObject(dc, bmp);
        std::fill(px, px + kW * kH, kBlank);
    }
    DWORD At(int x, int y) const { return (::GdiFlush(), px[y * kW + x] & 0xFFFFFF); }
    CBitmap bmp; // outlives the DC it is selected into
    CMemDC dc;
    DWORD* px = nullptr;
};

} // namespace

TEST(EtchedFrames, EveryPixelOfBothFrames) {
    // One frame in drawing order, y from the frame's top; x = -1 is where the caption gap
    // ends. Each line runs from its first point up to, not including, its second.
    const struct {
        DWORD colour;
        int x1, y1, x2, y2;
    } frame[] = {{kGrey, 11, 0, 20, 0},    {kGrey, -1, 0, 330, 0},    {kWhite, 11, 1, 20, 1},
                 {kWhite, -1, 1, 330, 1},  {kGrey, 11, 66, 330, 66},  {kWhite, 11, 67, 330, 67},
                 {kGrey, 329, 0, 329, 67}, {kWhite, 330, 0, 330, 68}, {kGrey, 11, 0, 11, 66},
                 {kWhite, 12, 1, 12, 66}};
    std::vector<DWORD> want(kW * kH, kBlank);
    // The upper frame from y = 18 with its gap up to 100; the lower 83 pixels lower, up to 95.
    for (const auto& [top, gapEnd] : {std::pair{18, 100}, std::pair{18 + 83, 95}})
        for (const auto& s : frame) {
            const int x1 = s.x1 < 0 ? gapEnd : s.x1;
            const int dx = (s.x2 > x1) - (s.x2 < x1), dy = (s.y2 > s.y1) - (s.y2 < s.y1);
            for (int x = x1, y = s.y1; x != s.x2 || y != s.y2; x += dx, y += dy)
                want[(top + y) * kW + x] = s.colour;
        }
    Canvas cv;
    PaintEtchedFrames(cv.dc, "", "");
    int wrong = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (cv.At(x, y) != want[y * kW + x] && ++wrong <= 10)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << cv.At(x, y);
    EXPECT_EQ(wrong, 0);
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
    // Black text without a background from (22, 12) and (22, 95), 15 pixels high; how far
    // right it reaches depends on the installed face.
    int count[2] = {}, left[2] = {kW, kW}, stray = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (captioned.At(x, y) != bare.At(x, y)) {
                const int i = y >= 60, top = i ? 95 : 12;
                stray += captioned.At(x, y) != 0 || y < top || y >= top + 15;
                ++count[i];
                left[i] = std::min(left[i], x);
            }
    EXPECT_EQ(stray, 0);
    EXPECT_TRUE(count[0] > 40 && count[1] > 40) << count[0] << "," << count[1];
    EXPECT_TRUE(std::min(left[0], left[1]) >= 22 && std::max(left[0], left[1]) < 26)
        << left[0] << "," << left[1];
}
