// Colour editor geometry. Integer steps are carried out in doubles, which is exact for every
// pixel coordinate, so huge coordinates cannot overflow; results saturate when converted back.
#include "core/Geometry.h"

#include <cmath>

#include "core/ColorModel.h"

namespace {

// The value of pi the wheel was drawn with.
constexpr double kWheelPi = 3.14159265358;

double Diff(int a, int b) {
    return static_cast<double>(a) - static_cast<double>(b);
}

} // namespace

int PointDistance(GeoPoint p, GeoPoint q) {
    const double dx = Diff(p.x, q.x);
    const double dy = Diff(p.y, q.y);
    return TruncToInt(std::sqrt(dx * dx + dy * dy));
}

double LineSlope(GeoPoint p, GeoPoint q) {
    if (q.x == p.x)
        return kVerticalSlope;
    return Diff(q.y, p.y) / Diff(q.x, p.x);
}

double LineIntercept(const GeoLine& line) {
    if (line.slope == kVerticalSlope)
        return line.y;
    return line.y - line.x * line.slope;
}

GeoPoint IntersectLines(const GeoLine& l1, const GeoLine& l2) {
    if (l1.slope == l2.slope)
        return GeoPoint{0, 0};
    double x;
    double y;
    if (l1.slope == kVerticalSlope) {
        x = l1.x;
        y = l1.x * l2.slope + l2.intercept;
    } else if (l2.slope == kVerticalSlope) {
        x = l2.x;
        y = l2.x * l1.slope + l1.intercept;
    } else {
        y = (l1.intercept * l2.slope - l2.intercept * l1.slope) / (l2.slope - l1.slope);
        x = (y - l1.intercept) / l1.slope;
    }
    return GeoPoint{TruncToInt(x), TruncToInt(y)};
}

GeoPoint PointAlongLine(GeoPoint p1, GeoPoint p2, int distance, int limit) {
    const double a = p1.x;
    const double b = p1.y;
    const double e = distance;
    GeoPoint first;
    GeoPoint second;
    if (p1.x == p2.x) {
        const double m = std::trunc(std::sqrt(e * e));
        first = GeoPoint{p1.x, TruncToInt(b - m)};
        second = GeoPoint{p1.x, TruncToInt(b + m)};
    } else {
        // Solved with the y axis upward: the line is Y = x * t + A with Y = -y.
        const double t = Diff(p1.y, p2.y) / Diff(p2.x, p1.x);
        const double intercept = -b - a * t;
        const double w = a + a;
        const double u = w * w - (a * a - e * e / (t * t + 1)) * 4;
        const double root = std::sqrt(u);
        const double x1 = (w + root) * 0.5;
        const double x2 = (w - root) * 0.5;
        first = GeoPoint{TruncToInt(x1), TruncToInt(-std::trunc(x1 * t + intercept))};
        second = GeoPoint{TruncToInt(x2), TruncToInt(-std::trunc(x2 * t + intercept))};
    }
    if (PointDistance(first, p1) <= limit && PointDistance(first, p2) <= limit)
        return first;
    return second;
}

double PointAngle(GeoPoint p, GeoPoint centre) {
    const double dx = Diff(p.x, centre.x);
    const double dy = Diff(centre.y, p.y);
    if (dx == 0.0 && dy == 0.0)
        return 0.0;
    return std::atan2(dy, dx);
}

GeoPoint PolarToPoint(double hue, double saturation, GeoPoint centre, int radius) {
    const double angle = hue * kWheelPi * kInv180;
    const double distance = saturation * radius * kInv255;
    const double dx = std::trunc(std::cos(angle) * distance);
    const double dy = std::trunc(std::sin(angle) * distance);
    return GeoPoint{TruncToInt(centre.x + dx), TruncToInt(centre.y - dy)};
}
