// Captioned etched frames.
#include "magnify/EtchedFrames.h"

#include <algorithm>
#include <cstring>

#include "framework/Gdi.h"

namespace {

using namespace etched;

void Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2) {
    CSelectObject sel(dc, pen);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// A grey line with a white one beside it on every side; the top edge leaves
// room for the caption between kGapStart and gapEnd.
void DrawFrame(HDC dc, HPEN grey, HPEN white, int dy, int gapEnd) {
    const int top = kTop + dy, bottom = kBottom + dy;
    Line(dc, grey, kLeft, top, kGapStart, top);
    Line(dc, grey, gapEnd, top, kRight, top);
    Line(dc, white, kLeft, top + 1, kGapStart, top + 1);
    Line(dc, white, gapEnd, top + 1, kRight, top + 1);
    Line(dc, grey, kLeft, bottom, kRight, bottom);
    Line(dc, white, kLeft, bottom + 1, kRight, bottom + 1);
    Line(dc, grey, kRight - 1, top, kRight - 1, bottom + 1);
    Line(dc, white, kRight, top, kRight, bottom + 2);
    Line(dc, grey, kLeft, top, kLeft, bottom);
    Line(dc, white, kLeft + 1, top + 1, kLeft + 1, bottom);
}

// Writes a caption and returns where the gap for it must end at least: the
// frame's own gap end, or further where the installed face draws the caption
// wider than the gap, so that the top edge never runs through the text.
int Caption(HDC dc, int x, int y, const char* text, int gapEnd) {
    const int length = static_cast<int>(std::strlen(text));
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutA(dc, x, y, text, length);
    SIZE size = {0, 0};
    if (length > 0 && ::GetTextExtentPoint32A(dc, text, length, &size))
        gapEnd = std::max(gapEnd, x + static_cast<int>(size.cx));
    return std::min(gapEnd, kRight - 2);
}

} // namespace

BOOL CreateCaptionFont(CFont& font) {
    return font.CreateFont(15, 0, 300, DEFAULT_CHARSET, "MS Sans Serif");
}

void PaintEtchedFrames(HDC dc, const char* upperCaption, const char* lowerCaption,
                       int lowerCaptionX) {
    CFont font;
    CreateCaptionFont(font);
    CPen grey(PS_SOLID, 0, kGrey);
    CPen white(PS_SOLID, 0, kWhite);
    CSaveDC save(dc);
    CSelectObject selFont(dc, font);

    DrawFrame(
        dc, grey, white, 0,
        Caption(dc, kCaptionX, kUpperCaptionY, upperCaption ? upperCaption : "", kUpperGapEnd));
    DrawFrame(
        dc, grey, white, kLowerOffset,
        Caption(dc, lowerCaptionX, kLowerCaptionY, lowerCaption ? lowerCaption : "", kLowerGapEnd));
}
