// The etched frames of the Magnify page on a memory DC, as the user sees them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "capture/CapturePage.h"
#include "color/AutoClickPage.h"
#include "framework/App.h"
#include "magnify/EtchedFrames.h"
#include "magnify/MagnifyPage.h"
#include "skin/SkinnedSheet.h"
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

namespace {

CSkinnedSheet* s_pages = nullptr;

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

void CALLBACK CheckEachPage(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    for (int index = 0; index < 3; ++index) {
        ::SendMessageA(s_pages->m_hWnd, PSM_SETCURSEL, index, 0);
        HWND page =
            reinterpret_cast<HWND>(::SendMessageA(s_pages->m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        SCOPED_TRACE(index);
        CheckPageControlsAgainstFrames(page);
    }
    s_pages->EndDialog(IDCANCEL);
}

} // namespace

TEST(PageFrames, NoControlCrossesTheSidesOrTheTopOfAFrame) {
    if (!AfxGetApp()) {
        static CWinApp ownApp; // unless another test has made one
    }
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&icc);
    CSkinnedSheet sheet("Options", nullptr, SkinScheme{});
    CAutoClick color;
    CMagnifyPage magnify;
    CScreenCapture capture;
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&color, &magnify, &capture})
        sheet.AddPage(page);
    s_pages = &sheet;
    ::SetTimer(nullptr, 0, 200, CheckEachPage);
    sheet.DoModal();
}
