// Arithmetic of Quillet.dll without the platform.
#include "hooklib/ZoomLayout.h"

#include <algorithm>

namespace quillet {

namespace {

// Flags of the hotkey control and of the hotkey registration, spelled out
// here because this file does not see the platform's headers.
constexpr unsigned kControlShift = 1, kControlCtrl = 2, kControlAlt = 4;
constexpr unsigned kRegisterAlt = 1, kRegisterCtrl = 2, kRegisterShift = 4;

// Placement of the zoom window along one axis.
struct AxisPlace {
    int start;
    bool fits; // wholly inside the monitor on this axis, clear of the square
};

// Finds a start for a window of `size` along one axis: after the square
// (right or below) if it fits, else before it, else on the side with more room.
// `hot` is the hotspot, [regionLo, regionHi) the square, [lo, hi) the monitor.
AxisPlace ChooseSide(int hot, int regionLo, int regionHi, int lo, int hi, int size, int gap) {
    const int after = std::max(hot + 1 + gap, regionHi);
    const int beforeEnd = std::min(hot - gap, regionLo);
    const int before = beforeEnd - size;
    if (after >= lo && after + size <= hi)
        return {after, true};
    if (before >= lo && beforeEnd <= hi)
        return {before, true};
    const int roomAfter = hi - after;
    const int roomBefore = beforeEnd - lo;
    return {roomAfter >= roomBefore ? after : before, false};
}

// How far a window starting at `start` reaches outside [lo, hi).
int Overflow(int start, int size, int lo, int hi) {
    return std::max(0, lo - start) + std::max(0, start + size - hi);
}

// Slides a window along one axis into [lo, hi); one larger than the monitor
// shows its start.
int SlideInside(int start, int size, int lo, int hi) {
    if (size >= hi - lo)
        return lo;
    return std::clamp(start, lo, hi - size);
}

} // namespace

bool Intersects(const LayoutRect& a, const LayoutRect& b) {
    return !a.Empty() && !b.Empty() && a.left < b.right && b.left < a.right && a.top < b.bottom &&
           b.top < a.bottom;
}

bool Contains(const LayoutRect& outer, const LayoutRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

unsigned HotkeyFlagsToModifiers(unsigned short hotkeyFlags) {
    unsigned mods = 0;
    if (hotkeyFlags & kControlShift)
        mods |= kRegisterShift;
    if (hotkeyFlags & kControlCtrl)
        mods |= kRegisterCtrl;
    if (hotkeyFlags & kControlAlt)
        mods |= kRegisterAlt;
    return mods;
}

unsigned HotkeyVirtualKey(unsigned short storedKey) {
    return storedKey & 0xFFu;
}

ZoomSettings ClampZoomSettings(int regionWidth, int regionHeight, int factor, int gap) {
    return {std::clamp(regionWidth, kMinRegion, kMaxRegion),
            std::clamp(regionHeight, kMinRegion, kMaxRegion),
            std::clamp(factor, kMinFactor, kMaxFactor), std::clamp(gap, kMinGap, kMaxGap)};
}

LayoutRect ZoomRegion(LayoutPoint hotspot, const ZoomSettings& s) {
    const int left = hotspot.x - s.regionWidth / 2;
    const int top = hotspot.y - s.regionHeight / 2;
    return {left, top, left + s.regionWidth, top + s.regionHeight};
}

namespace {

// Room beside the magnified square along one axis that is there wherever the
// pointer stands: the rooms before and after the square add up to the same
// length everywhere, so the larger is always at least half of it.
int SureRoom(int extent, int region, int gap) {
    const int both = extent - std::max(gap, region / 2) - std::max(1 + gap, region - region / 2);
    return both <= 0 ? both : (both + 1) / 2;
}

} // namespace

ZoomSettings FitZoomToScreen(const ZoomSettings& s, const LayoutRect& screen) {
    // Where room is short the window gives up the gap before the monitor,
    // so the room that counts is the room without it.
    const int roomX = SureRoom(screen.Width(), s.regionWidth, 0);
    const int roomY = SureRoom(screen.Height(), s.regionHeight, 0);
    ZoomSettings fitted = s;
    for (; fitted.factor > 1; --fitted.factor) {
        const int w = s.regionWidth * fitted.factor, h = s.regionHeight * fitted.factor;
        // Beside the square on one axis, inside the monitor on the other.
        if ((w <= roomX && h <= screen.Height()) || (h <= roomY && w <= screen.Width()))
            break;
    }
    return fitted;
}

LayoutRect PlaceZoomWindow(LayoutPoint hotspot, const LayoutRect& screen, const ZoomSettings& s) {
    const LayoutRect region = ZoomRegion(hotspot, s);
    const int width = s.regionWidth * s.factor;
    const int height = s.regionHeight * s.factor;

    AxisPlace x =
        ChooseSide(hotspot.x, region.left, region.right, screen.left, screen.right, width, s.gap);
    AxisPlace y =
        ChooseSide(hotspot.y, region.top, region.bottom, screen.top, screen.bottom, height, s.gap);
    if (!x.fits && !y.fits) {
        // Room is short: staying on the monitor matters more than the gap.
        const AxisPlace x0 =
            ChooseSide(hotspot.x, region.left, region.right, screen.left, screen.right, width, 0);
        const AxisPlace y0 =
            ChooseSide(hotspot.y, region.top, region.bottom, screen.top, screen.bottom, height, 0);
        if (x0.fits)
            x = x0;
        else if (y0.fits)
            y = y0;
    }

    if (x.fits || y.fits) {
        // One axis keeps the window clear of the square; the other may slide.
        if (!x.fits)
            x.start = SlideInside(x.start, width, screen.left, screen.right);
        if (!y.fits)
            y.start = SlideInside(y.start, height, screen.top, screen.bottom);
    } else if (Overflow(x.start, width, screen.left, screen.right) <=
               Overflow(y.start, height, screen.top, screen.bottom)) {
        // Too big either way: keep clear along the axis that overflows less.
        y.start = SlideInside(y.start, height, screen.top, screen.bottom);
    } else {
        x.start = SlideInside(x.start, width, screen.left, screen.right);
    }
    return {x.start, y.start, x.start + width, y.start + height};
}

ZoomBlit ZoomSourceBlit(LayoutPoint hotspot, const LayoutRect& virtualScreen,
                        const ZoomSettings& s) {
    const LayoutRect region = ZoomRegion(hotspot, s);
    const LayoutRect seen{
        std::max(region.left, virtualScreen.left), std::max(region.top, virtualScreen.top),
        std::min(region.right, virtualScreen.right), std::min(region.bottom, virtualScreen.bottom)};
    if (seen.Empty())
        return {{0, 0, 0, 0}, {0, 0, 0, 0}};
    const int f = s.factor;
    return {seen,
            {(seen.left - region.left) * f, (seen.top - region.top) * f,
             (seen.right - region.left) * f, (seen.bottom - region.top) * f}};
}

} // namespace quillet
