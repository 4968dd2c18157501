// The two captioned, etched frames that the Color, Magnify and Capture pages
// paint on their skinned backgrounds.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"

// Geometry of the frames, in client pixels.
namespace etched {
constexpr int kLeft = 11;
constexpr int kRight = 330;       // the white outer edge; the grey inner one is at kRight - 1
constexpr int kTop = 18;          // grey top edge of the upper frame; white one line below
constexpr int kBottom = 84;       // grey bottom edge of the upper frame; white one line below
constexpr int kLowerOffset = 83;  // the lower frame is the upper one moved down this far
constexpr int kGapStart = 20;     // the caption's gap in the top edge starts here...
constexpr int kUpperGapEnd = 100; // ...and ends here in the upper frame
constexpr int kLowerGapEnd = 95;  // ...and here in the lower one
constexpr int kCaptionX = 22;
constexpr int kUpperCaptionY = 12;
constexpr int kLowerCaptionY = 95;
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
} // namespace etched

// How far the frames stretch: a page's dialog units against those of the face the frames were
// laid out for (6 x 13 pixels a character: MS Sans Serif at 96 dots an inch), where the scale
// is 1. Where the page's font is wider or taller, its controls are too, and frames and other
// pixel-placed drawing grow with them. The captions' font follows the display scale.
struct EtchedScale {
    int unitX = 6, unitY = 13; // the page's dialog base units
    UINT dpi = 96;             // of the monitor the page is shown on
    int X(int x) const { return ::MulDiv(x, unitX, 6); }
    int Y(int y) const { return ::MulDiv(y, unitY, 13); }
    RECT Rect(const RECT& rc) const { return {X(rc.left), Y(rc.top), X(rc.right), Y(rc.bottom)}; }
};
// The scale for a dialog, from its own dialog units (1 when they cannot be read) and its DPI.
EtchedScale EtchedScaleOf(HWND dialog);

// The captions' font at a DPI; pages that write more text beside the frames take it too.
BOOL CreateCaptionFont(CFont& font, UINT dpi = 96);

// Writes the two captions and draws the two frames around them, every place stretched by
// `scale`; the lower caption starts at lowerCaptionX. A caption wider than its gap (a face wider
// than the one the frames were laid out for) widens the gap to fit it. The DC's state (font, pen,
// background mode) is as before afterwards.
void PaintEtchedFrames(HDC dc, const char* upperCaption, const char* lowerCaption,
                       int lowerCaptionX = etched::kCaptionX, const EtchedScale& scale = {});
