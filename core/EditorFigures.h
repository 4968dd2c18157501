// The colour editor's arithmetic: which colour a point of its wheel, bar or cube stands for, and
// where its markers, handles and wireframe stand for a colour. Pixels, y downward.
#pragma once

#include <cstdint>

#include "core/ColorModel.h"
#include "core/Geometry.h"

// Hue and saturation of a point seen from the centre of a wheel of the radius given: hue the
// angle counter-clockwise from the right (0..359), saturation 255 at the rim and beyond. The
// centre is hue 0, grey.
void WheelHueSaturation(GeoPoint point, GeoPoint centre, int radius, int& hue, int& saturation);

// Brightness of a height on the bar running from `top` (255) down to `bottom` (0); heights
// outside the bar stop at those ends.
int BarBrightness(int y, int top, int bottom);

// Height of the bar marker's middle for a brightness: `top` for 255, `bottom` for 0.
int BarMarkerY(int top, int bottom, int brightness);

// The bar's colour table as red, green, blue triples, one per row of a bar `height` rows
// high: the hue and saturation given, brightest in the top row, black in the bottom one.
void BarPalette(int hue, int saturation, int height, std::uint8_t* triples);

// The corners of the box that three handles span on the cube, in the cube's oblique view.
struct Wireframe {
    GeoPoint o, r, rg, g, gb, rgb, rb, b;
};

// The cube's three axes from its black corner: red (0), green (1) and blue (2). A channel
// value 0..255 is a point on its axis, 255 at the axis end.
class CubeAxes {
public:
    CubeAxes(GeoPoint origin, GeoPoint redEnd, GeoPoint greenEnd, GeoPoint blueEnd);

    GeoPoint Origin() const { return m_origin; }
    GeoPoint End(int axis) const { return m_end[axis]; }
    int Length(int axis) const { return m_length[axis]; }

    // The point of a channel value on its axis.
    GeoPoint Handle(int axis, int value) const;

    // The channel value under the pointer while it drags an axis's handle: the pointer's
    // position along the axis's main direction (vertical for an upright axis, horizontal
    // otherwise), so the handle stays under it; 0 short of the black corner, 255 past the end.
    int DragValue(int axis, GeoPoint pointer) const;

    // The box spanned by handles at r, g and b.
    Wireframe Corners(GeoPoint r, GeoPoint g, GeoPoint b) const;

private:
    // The line through a point parallel to an axis.
    GeoLine Parallel(GeoPoint p, int axis) const;

    GeoPoint m_origin;
    GeoPoint m_end[3];
    int m_length[3];
    double m_slope[3];
};
