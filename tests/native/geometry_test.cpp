// Colour editor geometry: distances, lines, points along the cube's axes and the wheel; the value
// under a dragged handle and the box the handles span.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>

#include "core/EditorFigures.h"
#include "core/Geometry.h"

void PrintTo(const GeoPoint& p, std::ostream* os) {
    *os << "(" << p.x << "," << p.y << ")";
}

namespace {

// The editor's cube: origin and the ends of the red (vertical), green and blue axes.
const GeoPoint kOrigin{102, 108}, kRedEnd{102, 9}, kGreenEnd{23, 147}, kBlueEnd{181, 147};
const CubeAxes kCube(kOrigin, kRedEnd, kGreenEnd, kBlueEnd);
const double kPi = 3.14159265358979323846;

} // namespace

TEST(EditorGeometry, DistanceSlopeAndIntercept) {
    // The last distance saturates instead of overflowing.
    const struct {
        GeoPoint p, q;
        int distance;
    } cases[] = {
        {{0, 0}, {3, 4}, 5},      {{0, 0}, {1, 1}, 1},
        {kOrigin, kGreenEnd, 88}, {kOrigin, kRedEnd, 99},
        {{7, -3}, {7, -3}, 0},    {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, INT32_MAX}};
    for (const auto& c : cases) {
        EXPECT_EQ(PointDistance(c.p, c.q), c.distance) << ::testing::PrintToString(c.q);
        EXPECT_EQ(PointDistance(c.q, c.p), c.distance) << ::testing::PrintToString(c.q);
    }
    EXPECT_EQ(LineSlope(kRedEnd, kOrigin), kVerticalSlope);
    EXPECT_DOUBLE_EQ(LineSlope(kGreenEnd, kOrigin), -39.0 / 79.0);
    EXPECT_EQ(LineSlope({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}), 1.0);
    EXPECT_EQ(LineIntercept({102.0, 9.0, kVerticalSlope, 0.0}), 9.0); // its y when vertical
    EXPECT_EQ(LineIntercept({4.0, 5.0, 0.5, 0.0}), 3.0);
}

TEST(EditorGeometry, IntersectLines) {
    const GeoLine vertical{5, 0, kVerticalSlope, 5}, rising{0, 3, 2, 3}; // x = 5; y = 2x + 3
    EXPECT_EQ(IntersectLines({0, 0, 0.5, 0}, {0, 10, 0.5, 10}), (GeoPoint{0, 0})); // parallel
    EXPECT_EQ(IntersectLines(vertical, rising), (GeoPoint{5, 13}));
    EXPECT_EQ(IntersectLines(rising, vertical), (GeoPoint{5, 13}));
    EXPECT_EQ(IntersectLines({0, 1, 1, 1}, {0, 5, -1, 5}), (GeoPoint{2, 3}));
    // Nearly parallel lines meet far beyond any int: saturated, not overflowed.
    EXPECT_EQ(IntersectLines({0, 0, 0.5, 0}, {0, 1, 0.5 + 1e-15, 1}).x, INT32_MIN);
    // The editor's wireframe corner of handles (102, 59) on the red and (62, 127) on the green
    // axis: lines through each, parallel to the other axis.
    GeoLine fromR{102, 59, LineSlope(kGreenEnd, kOrigin), 0}, fromG{62, 127, kVerticalSlope, 0};
    fromR.intercept = LineIntercept(fromR);
    fromG.intercept = LineIntercept(fromG);
    EXPECT_EQ(IntersectLines(fromR, fromG), (GeoPoint{62, 78}));
}

TEST(EditorGeometry, PointAlongLine) {
    const struct {
        GeoPoint end;
        int distance, limit;
        GeoPoint expected;
    } cases[] = {
        {kGreenEnd, 0, 88, kOrigin},    {kGreenEnd, 1, 88, {102, 107}}, // first candidate passes
        {kGreenEnd, 44, 88, {62, 127}}, {kGreenEnd, 87, 88, {23, 146}},
        {kGreenEnd, 88, 88, {23, 146}}, {kBlueEnd, 1, 88, kOrigin},
        {kBlueEnd, 44, 88, {141, 127}}, {kBlueEnd, 88, 88, {180, 146}},
        {kRedEnd, 50, 99, {102, 58}},   {kRedEnd, 99, 99, {102, 9}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PointAlongLine(kOrigin, c.end, c.distance, c.limit), c.expected)
            << ::testing::PrintToString(c.end) << " at " << c.distance;
    // Every handle place lies within two pixels of the asked distance (both coordinates are
    // truncated), no farther from the end than the origin is, and from distance 2 on, on the
    // end's side.
    for (GeoPoint end : {kRedEnd, kGreenEnd, kBlueEnd, GeoPoint{102, 200}, GeoPoint{150, 20}}) {
        const int length = PointDistance(kOrigin, end);
        for (int e = 0; e <= length; ++e) {
            const GeoPoint p = PointAlongLine(kOrigin, end, e, length);
            const int toward =
                (p.x - kOrigin.x) * (end.x - kOrigin.x) + (p.y - kOrigin.y) * (end.y - kOrigin.y);
            EXPECT_TRUE(std::abs(PointDistance(p, kOrigin) - e) <= 2 &&
                        PointDistance(p, end) <= length && (e < 2 || toward >= 0))
                << ::testing::PrintToString(end) << " at " << e;
        }
    }
}

TEST(EditorGeometry, WheelAngleAndPoint) {
    const GeoPoint o{100, 100};
    EXPECT_EQ(PointAngle({110, 100}, o), 0.0);
    EXPECT_DOUBLE_EQ(PointAngle({100, 90}, o), kPi / 2); // y grows upward here
    EXPECT_DOUBLE_EQ(PointAngle({90, 100}, o), kPi);
    EXPECT_DOUBLE_EQ(PointAngle({90, 110}, o), -3 * kPi / 4);
    EXPECT_EQ(PointAngle(o, o), 0.0);
    const struct {
        double hue, sat;
        GeoPoint offset;
    } cases[] = {
        {0, 255, {100, 0}}, {90, 255, {0, -100}}, {45, 255, {70, -70}}, {180, 255, {-100, 0}},
        {0, 128, {50, 0}},  {0, 0, {0, 0}},       {200, 1, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PolarToPoint(c.hue, c.sat, o), (GeoPoint{o.x + c.offset.x, o.y + c.offset.y}))
            << c.hue << "," << c.sat;
    // A hue read back from its rim point is within a degree.
    for (int hue = 0; hue < 360; ++hue) {
        const double back = PointAngle(PolarToPoint(hue, 255, o), o) * 180.0 / kPi;
        EXPECT_LT(std::fabs(std::remainder(back - hue, 360.0)), 1.0) << hue;
    }
}

// The red handle follows the pointer's height, green and blue its horizontal position, in one
// move, stopping at the black corner and the axis end.
TEST(EditorFigures, DraggedHandleStaysUnderThePointer) {
    const struct {
        int axis;
        GeoPoint pointer;
        int value;
    } cases[] = {
        {0, {102, 200}, 0}, {0, {40, 0}, 255}, {0, {102, 58}, 128}, {1, {180, 0}, 0},
        {1, {0, 300}, 255}, {2, {20, 147}, 0}, {2, {300, 0}, 255},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kCube.DragValue(c.axis, c.pointer), c.value)
            << c.axis << ": " << c.pointer.x << "," << c.pointer.y;
    for (int x = 23; x <= 181; ++x) {
        const int axis = x < 102 ? 1 : 2, value = kCube.DragValue(axis, {x, 120});
        EXPECT_LE(std::abs(kCube.Handle(axis, value).x - x), 1) << x;
    }
}

TEST(EditorFigures, WireframeSpansTheHandles) {
    const GeoPoint o = kCube.Origin();
    Wireframe black = kCube.Corners(o, o, o);
    for (GeoPoint p : {black.r, black.rg, black.g, black.gb, black.rgb, black.rb, black.b})
        EXPECT_EQ(p, o);
    // At white the box is the cube: its corners where the picture's outline turns, give or take
    // the pixel that each handle's truncated place may fall short.
    const Wireframe w =
        kCube.Corners(kCube.Handle(0, 255), kCube.Handle(1, 255), kCube.Handle(2, 255));
    const struct {
        GeoPoint got, want;
    } corners[] = {{w.r, {102, 9}},   {w.g, {23, 147}},   {w.b, {181, 147}}, {w.rg, {23, 48}},
                   {w.rb, {181, 48}}, {w.gb, {102, 186}}, {w.rgb, {102, 87}}};
    for (const auto& c : corners)
        EXPECT_TRUE(std::abs(c.got.x - c.want.x) <= 2 && std::abs(c.got.y - c.want.y) <= 2)
            << c.got.x << "," << c.got.y << " for " << c.want.x << "," << c.want.y;
}
