// The etched frames of the Magnify page on a memory DC, as the user sees them.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "magnify/EtchedFrames.h"
#include "tests/common/canvas.h"

namespace {

constexpr int kW = 360, kH = 200;
constexpr COLORREF kBlank = RGB(0x70, 0x60, 0x50), kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A frame as the picture shows it: its grey rectangle (edges included) and the gap in its top.
struct Frame {
    int left, top, right, bottom, gapStart, gapEnd;
};

// The frames top to bottom: each run of grey down the leftmost grey column is a left edge,
// the bottom edge runs right from its foot, the gap is the first break in the top edge.
std::vector<Frame> FindFrames(const Canvas& cv) {
    int left = kW;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < left; ++x)
            left = cv.At(x, y) == kGrey ? x : left;
    std::vector<Frame> frames;
    for (int y = 0; y < kH; ++y) {
        if (left == kW || cv.At(left, y) != kGrey || (y > 0 && cv.At(left, y - 1) == kGrey))
            continue;
        Frame f = {left, y, left, y, 0, 0};
        while (f.bottom + 1 < kH && cv.At(left, f.bottom + 1) == kGrey)
            ++f.bottom;
        while (f.right + 1 < kW && cv.At(f.right + 1, f.bottom) == kGrey)
            ++f.right;
        for (f.gapStart = left; f.gapStart < f.right && cv.At(f.gapStart, y) == kGrey;)
            ++f.gapStart;
        for (f.gapEnd = f.gapStart; f.gapEnd < f.right && cv.At(f.gapEnd, y) != kGrey;)
            ++f.gapEnd;
        frames.push_back(f);
    }
    return frames;
}

} // namespace

// Each frame is a grey rectangle, closed but for a gap in its top edge, with a white line beside
// every edge: inside along the top and left, outside along the bottom and right. Nothing else.
TEST(EtchedFrames, GreyRectanglesWithWhiteLinesAndAGapInTheTop) {
    Canvas cv(kW, kH, kBlank);
    PaintEtchedFrames(cv.dc, "", "");
    const std::vector<Frame> frames = FindFrames(cv);
    ASSERT_EQ(frames.size(), 2u);
    int wrong = 0, ring = 0;
    for (const Frame& f : frames) {
        EXPECT_TRUE(f.left < f.gapStart && f.gapStart < f.gapEnd && f.gapEnd < f.right);
        for (int x = f.left; x <= f.right; ++x) {
            const bool gap = x >= f.gapStart && x < f.gapEnd;
            wrong += (cv.At(x, f.top) != (gap ? kBlank : kGrey)) + (cv.At(x, f.bottom) != kGrey);
            wrong += cv.At(x, f.bottom + 1) != kWhite;
            wrong += x > f.left && x < f.right && cv.At(x, f.top + 1) != (gap ? kBlank : kWhite);
        }
        for (int y = f.top; y <= f.bottom; ++y) {
            wrong += (cv.At(f.left, y) != kGrey) + (cv.At(f.right, y) != kGrey);
            wrong += cv.At(f.right + 1, y) != kWhite;
            wrong += y > f.top && y < f.bottom && cv.At(f.left + 1, y) != kWhite;
        }
        ring += 2 * (f.right - f.left) + 2 * (f.bottom - f.top) - (f.gapEnd - f.gapStart);
    }
    EXPECT_EQ(wrong, 0);
    // Every other pixel is blank, except the white line's corners beside the grey rectangle.
    int grey = 0, stray = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            grey += cv.At(x, y) == kGrey;
            stray += cv.At(x, y) != kBlank &&
                     std::none_of(frames.begin(), frames.end(), [&](const Frame& f) {
                         const bool inside =
                             x > f.left + 1 && x < f.right && y > f.top + 1 && y < f.bottom;
                         return x >= f.left && x <= f.right + 1 && y >= f.top &&
                                y <= f.bottom + 1 && !inside;
                     });
        }
    EXPECT_EQ(grey, ring);
    EXPECT_EQ(stray, 0);
    // Both as wide, one under the other.
    EXPECT_EQ(frames[0].left, frames[1].left);
    EXPECT_EQ(frames[0].right, frames[1].right);
    EXPECT_GT(frames[1].top, frames[0].bottom + 1);
}

// Each caption is black text from its point, drawn where nothing else is, in the cell the text
// takes in the frames' font; it starts at the gap and stands across the top edge, which leaves
// room for all of it.
TEST(EtchedFrames, CaptionsStandAtTheirGapsAndTheDcIsLeftAsItWas) {
    const char* const captions[] = {"Magnify Glass", "Magnify Option"};
    Canvas bare(kW, kH, kBlank), cv(kW, kH, kBlank);
    PaintEtchedFrames(bare.dc, "", "");
    const HGDIOBJ font = ::GetCurrentObject(cv.dc, OBJ_FONT);
    const HGDIOBJ pen = ::GetCurrentObject(cv.dc, OBJ_PEN);
    const COLORREF text = ::GetTextColor(cv.dc);
    PaintEtchedFrames(cv.dc, captions[0], captions[1]);
    EXPECT_EQ(::GetCurrentObject(cv.dc, OBJ_FONT), font);
    EXPECT_EQ(::GetCurrentObject(cv.dc, OBJ_PEN), pen);
    EXPECT_EQ(::GetBkMode(cv.dc), OPAQUE);

    CFont framesFont;
    framesFont.CreateFont(15, 0, 300, DEFAULT_CHARSET, "MS Sans Serif");
    CSelectObject sel(cv.dc, framesFont);
    const std::vector<Frame> frames = FindFrames(bare);
    ASSERT_EQ(frames.size(), 2u);
    RECT cells[2];
    for (int i = 0; i < 2; ++i) {
        SIZE size = {};
        ::GetTextExtentPoint32A(cv.dc, captions[i], int(std::strlen(captions[i])), &size);
        const int y = i ? etched::kLowerCaptionY : etched::kUpperCaptionY;
        cells[i] = {etched::kCaptionX, y, etched::kCaptionX + size.cx, y + size.cy};
    }
    int ink[2] = {}, left[2] = {kW, kW}, stray = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (cv.At(x, y) != bare.At(x, y)) {
                const int i = ::PtInRect(&cells[0], {x, y})   ? 0
                              : ::PtInRect(&cells[1], {x, y}) ? 1
                                                              : -1;
                if (i < 0 || !Between(cv.At(x, y), text, bare.At(x, y))) {
                    ++stray;
                    continue;
                }
                ++ink[i];
                left[i] = std::min(left[i], x);
            }
    EXPECT_EQ(stray, 0);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(captions[i]);
        EXPECT_GT(ink[i], 40);
        const Frame& f = frames[i];
        EXPECT_TRUE(left[i] >= f.gapStart && left[i] <= f.gapStart + 4)
            << left[i] << " " << f.gapStart;
        EXPECT_TRUE(cells[i].top < f.top && cells[i].bottom > f.top + 1);
        // However wide the face draws it, the top edge never runs through the caption.
        int crossing = 0;
        for (int x = cells[i].left; x < cells[i].right; ++x)
            crossing += cv.At(x, f.top) == kGrey;
        EXPECT_EQ(crossing, 0);
    }
}
