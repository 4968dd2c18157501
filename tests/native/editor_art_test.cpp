// The colour editor's pictures at the sizes of several display scales: the wheel is where a
// press takes it and a marker stands on the colour it marks; the cube's handles run along the
// drawn axes, and every picture fits its frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/EditorArt.h"
#include "core/EditorFigures.h"
#include "core/Geometry.h"

namespace {

const RgbColor kBackground = {kArtBackground, kArtBackground, kArtBackground};
const RgbColor kWhite = {255, 255, 255}, kBlack = {0, 0, 0};

// A length of 96 DPI at another, rounded as Windows rounds it.
int AtDpi(int length, int dpi) {
    return (length * dpi + 48) / 96;
}

CubeArt CubeAtDpi(int dpi) {
    CubeArt art = kCubeArt;
    art.size = AtDpi(art.size, dpi);
    art.origin = {AtDpi(art.origin.x, dpi), AtDpi(art.origin.y, dpi)};
    for (GeoPoint& end : art.ends)
        end = {AtDpi(end.x, dpi), AtDpi(end.y, dpi)};
    art.line = AtDpi(art.line, dpi);
    art.arrow = AtDpi(art.arrow, dpi);
    return art;
}

} // namespace

// The pixels a press takes for the wheel are the wheel's and no others; a marker put for a hue
// and saturation stands on a pixel of nearly that colour, which is exactly the colour a press on
// it gives. The rim is fully saturated: red to the right, the centre white.
TEST(EditorArt, WheelAgreesWithPressesAndMarkersAtEveryRadius) {
    for (int radius : {100, 150, 200, 125}) {
        SCOPED_TRACE(radius);
        const EditorPicture wheel = DrawWheel(radius);
        ASSERT_EQ(wheel.Width(), 2 * radius + 2);
        ASSERT_EQ(wheel.Height(), 2 * radius + 1);
        const GeoPoint centre{radius, radius};
        int misplaced = 0;
        for (int y = 0; y < wheel.Height(); ++y)
            for (int x = 0; x < wheel.Width(); ++x)
                misplaced +=
                    (PointDistance({x, y}, centre) <= radius) == (wheel.At(x, y) == kBackground);
        EXPECT_EQ(misplaced, 0);
        EXPECT_EQ(wheel.At(2 * radius, radius), (RgbColor{255, 0, 0}));
        EXPECT_EQ(wheel.At(radius, radius), kWhite);
        // A marker's place and its distance from the centre are truncated to pixels.
        const int slack = 3 * 255 / radius + 1;
        for (int hue = 0; hue < 360; hue += 7)
            for (int saturation : {128, 200, 255}) {
                const GeoPoint mark = PolarToPoint(hue, saturation, centre, radius);
                int h = 0, s = 0;
                WheelHueSaturation(mark, centre, radius, h, s);
                EXPECT_EQ(wheel.At(mark.x, mark.y), (HsbColor{h, s, 255}.ToRgb()));
                EXPECT_LE(std::abs(std::remainder(h - hue, 360.0)), 2.0)
                    << hue << "," << saturation;
                EXPECT_LE(std::abs(s - saturation), slack) << hue << "," << saturation;
            }
    }
}

// At every scale the handles' places on each axis are on the axis drawn (white, give or take the
// pixel a place on a slanting axis is truncated by) up to its arrowhead, whose tip is black at
// the axis end; the faces show the channels they span, and the whole cube lies in its picture.
TEST(EditorArt, CubeAxesAreWhereTheHandlesRunAtEveryScale) {
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const CubeArt art = CubeAtDpi(dpi);
        const EditorPicture cube = DrawCube(art);
        ASSERT_EQ(cube.Width(), art.size);
        ASSERT_EQ(cube.Height(), art.size);
        const CubeAxes axes(art.origin, art.ends[0], art.ends[1], art.ends[2]);
        for (int axis = 0; axis < 3; ++axis) {
            const int shaft = 255 * (axes.Length(axis) - art.arrow - 1) / axes.Length(axis);
            for (int value = 0; value <= shaft; ++value) {
                const GeoPoint h = axes.Handle(axis, value);
                int white = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        white += cube.At(h.x + dx, h.y + dy) == kWhite;
                EXPECT_GT(white, 0) << axis << ": " << value;
            }
            EXPECT_EQ(cube.At(art.ends[axis].x, art.ends[axis].y), kBlack) << axis;
        }
        // The middles of the three faces: red and green, red and blue, green and blue at half.
        const GeoPoint o = art.origin, r = art.ends[0], g = art.ends[1], b = art.ends[2];
        const struct {
            GeoPoint u, v;
            RgbColor colour;
        } faces[] = {{r, g, {128, 128, 0}}, {r, b, {128, 0, 128}}, {g, b, {0, 128, 128}}};
        for (const auto& f : faces) {
            const int x = o.x + (f.u.x - o.x + f.v.x - o.x) / 2;
            const int y = o.y + (f.u.y - o.y + f.v.y - o.y) / 2;
            const RgbColor got = cube.At(x, y);
            EXPECT_TRUE(std::abs(got.red - f.colour.red) <= 8 &&
                        std::abs(got.green - f.colour.green) <= 8 &&
                        std::abs(got.blue - f.colour.blue) <= 8)
                << ::testing::PrintToString(got) << " at " << x << "," << y;
        }
        int onEdge = 0;
        for (int i = 0; i < art.size; ++i)
            for (GeoPoint p : {GeoPoint{i, 0}, GeoPoint{i, art.size - 1}, GeoPoint{0, i},
                               GeoPoint{art.size - 1, i}})
                onEdge += !(cube.At(p.x, p.y) == kBackground);
        EXPECT_EQ(onEdge, 0);
    }
}
