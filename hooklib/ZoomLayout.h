// Arithmetic of Quillet.dll without the platform: hotkey modifier conversion,
// limits of the magnifier settings, where the zoom window goes and what it copies.
#pragma once

#include "settings/Settings.h"

namespace quillet {

struct LayoutPoint {
    int x;
    int y;
};

// Half-open rectangle: right and bottom are outside, as on the platform.
struct LayoutRect {
    int left;
    int top;
    int right;
    int bottom;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

bool Intersects(const LayoutRect& a, const LayoutRect& b);
bool Contains(const LayoutRect& outer, const LayoutRect& inner);

// The hotkey control's modifier flags (1 Shift, 2 Ctrl, 4 Alt, 8 extended key)
// turned into the hotkey registration's (1 Alt, 2 Ctrl, 4 Shift). The extended
// key flag only says which of two physical keys was typed; registration cannot
// tell them apart, so it is dropped (it must not become 8, the Windows key).
unsigned HotkeyFlagsToModifiers(unsigned short hotkeyFlags);

// The virtual-key code the hotkey control shows for a stored key: its low byte.
// 0 (and a stored value whose low byte is 0) means "no hotkey".
unsigned HotkeyVirtualKey(unsigned short storedKey);

// Limits of the magnifier settings, as the program's settings table gives
// them; values handed over from a hand-edited settings file are brought
// inside them, so the zoom window stays at most 1000 pixels square.
constexpr int kMinRegion = settings::kZoomRegion.min;
constexpr int kMaxRegion = settings::kZoomRegion.max;
constexpr int kMinFactor = settings::kZoomFactor.min;
constexpr int kMaxFactor = settings::kZoomFactor.max;
constexpr int kMinGap = 0;
constexpr int kMaxGap = 100;

struct ZoomSettings {
    int regionWidth;  // pixels of the screen magnified, across
    int regionHeight; // and down
    int factor;       // magnification, times
    int gap;          // least distance, in pixels, between the cursor and the window
};

ZoomSettings ClampZoomSettings(int regionWidth, int regionHeight, int factor, int gap);

// The screen square that is magnified: regionWidth x regionHeight pixels with
// the cursor's hotspot at its centre (for an even side the hotspot is the
// first pixel right of and below the middle).
LayoutRect ZoomRegion(LayoutPoint hotspot, const ZoomSettings& s);

// Where the zoom window (regionWidth*factor x regionHeight*factor) goes for a
// cursor at `hotspot` on a monitor whose rectangle is `screen`.
//
// It sits diagonally below and to the right of the hotspot, `gap` pixels away
// on each axis but never closer than the edge of the magnified square, so it
// never hides what it shows. Near the right (bottom) edge of the monitor it
// flips to the left (top) of the cursor. When it fits on neither side of one
// axis, it slides along that axis to stay on the monitor, which is safe
// because the other axis still keeps it clear of the square. Only when a
// window is too big for both axes (a huge window on a small monitor) does it
// leave the monitor partly, and then it still keeps clear of the square.
LayoutRect PlaceZoomWindow(LayoutPoint hotspot, const LayoutRect& screen, const ZoomSettings& s);

// The settings with the largest magnification, up to the chosen one, whose
// window fits on the monitor beside the magnified square wherever the pointer
// is on it. At magnification 1 the window is the square's own size and is
// left as it is.
ZoomSettings FitZoomToScreen(const ZoomSettings& s, const LayoutRect& screen);

// One copy of the screen into the zoom window: the part of the magnified
// square that lies on the screen (`source`) and the part of the window it
// covers (`dest`, in client coordinates, `factor` times larger). The rest of
// the window shows no screen and is painted plainly. `source` is empty when
// the square lies wholly off the screen.
struct ZoomBlit {
    LayoutRect source;
    LayoutRect dest;
};

ZoomBlit ZoomSourceBlit(LayoutPoint hotspot, const LayoutRect& virtualScreen,
                        const ZoomSettings& s);

} // namespace quillet
