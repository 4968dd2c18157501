// Captioned etched frames.
#include "magnify/EtchedFrames.h"

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

void Caption(HDC dc, int x, int y, const char* text) {
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
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

    Caption(dc, kCaptionX, kUpperCaptionY, upperCaption ? upperCaption : "");
    DrawFrame(dc, grey, white, 0, kUpperGapEnd);
    Caption(dc, lowerCaptionX, kLowerCaptionY, lowerCaption ? lowerCaption : "");
    DrawFrame(dc, grey, white, kLowerOffset, kLowerGapEnd);
}
