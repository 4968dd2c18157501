// Captioned etched frames.
#include "skin/EtchedFrames.h"

#include <algorithm>
#include <cstring>

#include "framework/Gdi.h"
#include "framework/Wnd.h"

namespace {

using namespace etched;

void Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) {
    CSelectObject sel(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// A grey line with a white one beside it on every side; the top edge leaves
// room for the caption between kGapStart and gapEnd (already stretched).
void DrawFrame(HDC dc, HPEN grey, HPEN white, const EtchedScale& s, int dy, int gapEnd) {
    const int left = s.X(kLeft), right = s.X(kRight), gapStart = s.X(kGapStart);
    const int top = s.Y(kTop + dy), bottom = s.Y(kBottom + dy);
    Line(dc, grey, left, top, gapStart, top);
    Line(dc, grey, gapEnd, top, right, top);
    Line(dc, white, left, top + 1, gapStart, top + 1);
    Line(dc, white, gapEnd, top + 1, right, top + 1);
    Line(dc, grey, left, bottom, right, bottom);
    Line(dc, white, left, bottom + 1, right, bottom + 1);
    Line(dc, grey, right - 1, top, right - 1, bottom + 1);
    Line(dc, white, right, top, right, bottom + 2);
    Line(dc, grey, left, top, left, bottom);
    Line(dc, white, left + 1, top + 1, left + 1, bottom);
}

// Writes a caption and returns where the gap for it must end at least: the
// frame's own gap end, or further where the installed face draws the caption
// wider than the gap, so that the top edge never runs through the text.
int Caption(HDC dc, int x, int y, const char* text, int gapEnd, int right) {
    const int length = static_cast<int>(std::strlen(text));
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutA(dc, x, y, text, length);
    SIZE size = {0, 0};
    if (length > 0 && ::GetTextExtentPoint32A(dc, text, length, &size))
        gapEnd = std::max(gapEnd, x + static_cast<int>(size.cx));
    return std::min(gapEnd, right - 2);
}

} // namespace

EtchedScale EtchedScaleOf(HWND dialog) {
    EtchedScale scale;
    RECT units = {0, 0, 4, 8};
    if (dialog && ::MapDialogRect(dialog, &units)) {
        // A base unit far from the laid-out one is not a font's: the scale stays 1 there.
        const auto sane = [](int unit, int laidOut) {
            return unit >= laidOut / 2 && unit <= laidOut * 3 ? unit : laidOut;
        };
        scale.unitX = sane(units.right, scale.unitX);
        scale.unitY = sane(units.bottom, scale.unitY);
    }
    if (dialog)
        scale.dpi = DpiOf(dialog);
    return scale;
}

BOOL CreateCaptionFont(CFont& font, UINT dpi) {
    return font.CreateFont(Scaled(15, dpi), 0, 300, DEFAULT_CHARSET, "MS Sans Serif");
}

void PaintEtchedFrames(HDC dc, const char* upperCaption, const char* lowerCaption,
                       int lowerCaptionX, const EtchedScale& scale) {
    CFont font;
    CreateCaptionFont(font, scale.dpi);
    CPen grey(PS_SOLID, 0, kGrey);
    CPen white(PS_SOLID, 0, kWhite);
    CSaveDC save(dc);
    CSelectObject selFont(dc, font);
    const int right = scale.X(kRight);

    DrawFrame(dc, grey, white, scale, 0,
              Caption(dc, scale.X(kCaptionX), scale.Y(kUpperCaptionY),
                      upperCaption ? upperCaption : "", scale.X(kUpperGapEnd), right));
    DrawFrame(dc, grey, white, scale, kLowerOffset,
              Caption(dc, scale.X(lowerCaptionX), scale.Y(kLowerCaptionY),
                      lowerCaption ? lowerCaption : "", scale.X(kLowerGapEnd), right));
}
