// Plane geometry of the colour editor: distances, lines and the colour wheel, in screen pixels.
#pragma once

// A pixel point; y grows downward unless a function says otherwise.
struct GeoPoint {
    int x;
    int y;
};

inline bool operator==(const GeoPoint& a, const GeoPoint& b) {
    return a.x == b.x && a.y == b.y;
}
inline bool operator!=(const GeoPoint& a, const GeoPoint& b) {
    return !(a == b);
}

// The slope that stands for a vertical line.
constexpr double kVerticalSlope = 1000000.0;

// A line through (x, y) with the given slope and intercept (y = slope * x + intercept).
struct GeoLine {
    double x;
    double y;
    double slope;
    double intercept;
};

// Length of p - q, truncated to whole pixels.
int PointDistance(GeoPoint p, GeoPoint q);

// Slope of the line through p and q; kVerticalSlope when they share x.
double LineSlope(GeoPoint p, GeoPoint q);

// Intercept of the line: its y when vertical, otherwise y - x * slope.
double LineIntercept(const GeoLine& line);

// Crossing point of two lines; (0, 0) for lines of equal slope. The first line must not be
// horizontal unless one of them is vertical.
GeoPoint IntersectLines(const GeoLine& l1, const GeoLine& l2);

// The point at distance `distance` from p1 on the line toward p2, checked against `limit`
// (normally the length of p1-p2). Distance 0 gives p1.
GeoPoint PointAlongLine(GeoPoint p1, GeoPoint p2, int distance, int limit);

// Angle of p around the centre in radians (-pi..pi), counter-clockwise on the screen, 0 to the
// right; 0 for the centre itself.
double PointAngle(GeoPoint p, GeoPoint centre);

// Radius of the colour wheel at 96 DPI: a point at most this far from the centre (truncated)
// is on it.
constexpr int kWheelRadius = 100;

// The point of a hue (degrees) and saturation (255 at the rim) on a colour wheel of the radius
// given around centre.
GeoPoint PolarToPoint(double hue, double saturation, GeoPoint centre, int radius = kWheelRadius);
