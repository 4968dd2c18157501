// The colour editor's arithmetic, in the same plain double steps as the colour model, so that a
// point of the wheel picture and a press on it give the same colour.
#include "core/EditorFigures.h"

#include <algorithm>

namespace {

// The reciprocal of the value of pi the wheel was drawn with.
constexpr double kInvWheelPi = 0.31830988618478295;

} // namespace

void WheelHueSaturation(GeoPoint point, GeoPoint centre, int radius, int& hue, int& saturation) {
    hue = TruncToInt(PointAngle(point, centre) * 180.0 * kInvWheelPi);
    if (hue < 0)
        hue += 360;
    const int distance = PointDistance(point, centre);
    saturation = radius > 0 ? std::min(255, TruncToInt(distance * 255.0 / radius)) : 255;
}

int BarBrightness(int y, int top, int bottom) {
    if (bottom <= top)
        return 0;
    const double v =
        (static_cast<double>(bottom) - y) * 255.0 / (static_cast<double>(bottom) - top);
    return TruncToInt(std::clamp(v, 0.0, 255.0));
}

int BarMarkerY(int top, int bottom, int brightness) {
    return bottom - TruncToInt((bottom - top) * (brightness * kInv255));
}

void BarPalette(int hue, int saturation, int height, std::uint8_t* triples) {
    const double step = 255.0 / height;
    for (int j = 0; j < height; ++j) {
        const RgbColor c = HsbColor{hue, saturation, TruncToInt((height - 1 - j) * step)}.ToRgb();
        triples[3 * j] = static_cast<std::uint8_t>(c.red);
        triples[3 * j + 1] = static_cast<std::uint8_t>(c.green);
        triples[3 * j + 2] = static_cast<std::uint8_t>(c.blue);
    }
}

CubeAxes::CubeAxes(GeoPoint origin, GeoPoint redEnd, GeoPoint greenEnd, GeoPoint blueEnd)
    : m_origin(origin), m_end{redEnd, greenEnd, blueEnd} {
    for (int axis = 0; axis < 3; ++axis) {
        m_length[axis] = PointDistance(origin, m_end[axis]);
        m_slope[axis] = LineSlope(m_end[axis], origin);
    }
}

GeoPoint CubeAxes::Handle(int axis, int value) const {
    const int length = m_length[axis];
    return PointAlongLine(m_origin, m_end[axis], value * length / 255, length);
}

int CubeAxes::DragValue(int axis, GeoPoint pointer) const {
    const GeoPoint o = m_origin, end = m_end[axis];
    const bool upright = end.x == o.x;
    const double along =
        upright ? static_cast<double>(pointer.y) - o.y : static_cast<double>(pointer.x) - o.x;
    const double span =
        upright ? static_cast<double>(end.y) - o.y : static_cast<double>(end.x) - o.x;
    if (span == 0.0)
        return 0;
    // The share of the axis covered, as the pointer's offset over the axis end's.
    return TruncToInt(std::clamp(along / span, 0.0, 1.0) * 255.0);
}

GeoLine CubeAxes::Parallel(GeoPoint p, int axis) const {
    GeoLine line{static_cast<double>(p.x), static_cast<double>(p.y), m_slope[axis], 0.0};
    line.intercept = LineIntercept(line);
    return line;
}

Wireframe CubeAxes::Corners(GeoPoint r, GeoPoint g, GeoPoint b) const {
    Wireframe w;
    w.o = m_origin;
    w.r = r;
    w.g = g;
    w.b = b;
    // Which line comes first matters where one of them is upright.
    w.rg = IntersectLines(Parallel(r, 1), Parallel(g, 0));
    w.gb = IntersectLines(Parallel(b, 1), Parallel(g, 2));
    w.rb = IntersectLines(Parallel(r, 2), Parallel(b, 0));
    w.rgb = IntersectLines(Parallel(w.gb, 0), Parallel(w.rg, 2));
    return w;
}
