// The etched frames of the Magnify page on a memory DC, as the user sees them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "capture/CapturePage.h"
#include "color/AutoClickPage.h"
#include "magnify/MagnifyPage.h"
#include "skin/EtchedFrames.h"
#include "skin/SkinnedSheet.h"
#include "tests/common/canvas.h"
#include "tests/common/pump.h"

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
    int left = cv.w;
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < left; ++x)
            left = cv.At(x, y) == kGrey ? x : left;
    std::vector<Frame> frames;
    for (int y = 0; y < cv.h; ++y) {
        if (left == cv.w || cv.At(left, y) != kGrey || (y > 0 && cv.At(left, y - 1) == kGrey))
            continue;
        Frame f = {left, y, left, y, 0, 0};
        while (f.bottom + 1 < cv.h && cv.At(left, f.bottom + 1) == kGrey)
            ++f.bottom;
        while (f.right + 1 < cv.w && cv.At(f.right + 1, f.bottom) == kGrey)
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

// Each caption is text in the DC's colour and the captions' font, standing across its frame's
// top edge inside the gap, which leaves room for all of it. The DC is left as it was.
TEST(EtchedFrames, CaptionsStandInTheirGapsAndTheDcIsLeftAsItWas) {
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

    const std::vector<Frame> frames = FindFrames(cv);
    ASSERT_EQ(frames.size(), 2u);
    RECT ink[2] = {{kW, kH, 0, 0}, {kW, kH, 0, 0}};
    int stray = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (cv.At(x, y) != bare.At(x, y)) {
                stray += !Between(cv.At(x, y), text, bare.At(x, y));
                RECT& r = ink[std::abs(y - frames[0].top) < std::abs(y - frames[1].top) ? 0 : 1];
                r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y),
                     std::max<LONG>(r.right, x + 1), std::max<LONG>(r.bottom, y + 1)};
            }
    EXPECT_EQ(stray, 0);
    CFont captionFont;
    ASSERT_TRUE(CreateCaptionFont(captionFont));
    CSelectObject sel(cv.dc, captionFont);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(captions[i]);
        const Frame& f = frames[i];
        const RECT& r = ink[i];
        SIZE cell = {};
        ::GetTextExtentPoint32A(cv.dc, captions[i], int(std::strlen(captions[i])), &cell);
        EXPECT_TRUE(r.left >= f.gapStart && r.left <= f.gapStart + 4 && r.right <= f.gapEnd)
            << r.left << "-" << r.right << " in the gap " << f.gapStart << "-" << f.gapEnd;
        EXPECT_TRUE(r.right - r.left > cell.cx / 2 && r.right - r.left <= cell.cx &&
                    r.bottom - r.top <= cell.cy)
            << "ink " << r.right - r.left << "x" << r.bottom - r.top << " in a cell " << cell.cx
            << "x" << cell.cy;
        EXPECT_TRUE(r.top < f.top && r.bottom > f.top + 1) << "across the top edge";
    }
}

namespace {

// Every control of the page that shows and stands beside a frame's left or right line lies
// between them, and none crosses a frame's top line, whatever face the system gives the dialogs:
// the frames are those the page paints for its own dialog units. (The bottom lines run along the
// lowest controls' feet, as laid out.)
void CheckPageControlsAgainstFrames(HWND page) {
    const EtchedScale scale = EtchedScaleOf(page);
    Canvas cv(scale.X(etched::kRight) + 40, scale.Y(etched::kBottom + etched::kLowerOffset) + 40,
              kBlank);
    PaintEtchedFrames(cv.dc, "", "", etched::kCaptionX, scale);
    const std::vector<Frame> frames = FindFrames(cv);
    ASSERT_EQ(frames.size(), 2u);
    int controls = 0;
    for (HWND c = ::GetWindow(page, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(c))
            continue;
        RECT rc;
        ::GetWindowRect(c, &rc);
        ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rc), 2);
        ++controls;
        for (const Frame& f : frames) {
            const bool beside = rc.top < f.bottom && rc.bottom > f.top;
            const bool between = rc.left >= f.left + 2 && rc.right <= f.right - 1;
            const bool clear = rc.right <= f.left || rc.left > f.right + 1;
            const bool crossesTop = rc.top <= f.top + 1 && rc.bottom > f.top;
            EXPECT_TRUE(!beside || between || clear)
                << "control " << ::GetDlgCtrlID(c) << " at x " << rc.left << "-" << rc.right
                << " crosses a side of the frame at x " << f.left << "-" << f.right
                << " (dialog units " << scale.unitX << " x " << scale.unitY << ")";
            EXPECT_FALSE(crossesTop && !clear)
                << "control " << ::GetDlgCtrlID(c) << " at y " << rc.top << "-" << rc.bottom
                << " crosses the top of the frame at y " << f.top;
        }
    }
    EXPECT_GT(controls, 4);
}

} // namespace

TEST(PageFrames, NoControlCrossesTheSidesOrTheTopOfAFrame) {
    CSkinnedSheet sheet("Options", nullptr, SkinScheme{});
    PickerState picker;
    CAutoClick color(picker);
    CMagnifyPage magnify;
    CScreenCapture capture;
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&color, &magnify, &capture})
        sheet.AddPage(page);
    int checked = 0;
    const auto checkEachPage = [&] {
        for (int index = 0; index < 3; ++index, ++checked) {
            SCOPED_TRACE(index);
            ASSERT_TRUE(sheet.SetActivePage(index));
            CheckPageControlsAgainstFrames(PropSheet_GetCurrentPageHwnd(sheet.m_hWnd));
        }
    };
    EXPECT_EQ(InsideModal([&] { return sheet.DoModal(); }, checkEachPage,
                          [&] { sheet.EndDialog(IDCANCEL); }),
              IDCANCEL);
    EXPECT_EQ(checked, 3);
}
