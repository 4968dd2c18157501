// The colour editor's cube: the value under a dragged handle, the box the handles span.
#include <gtest/gtest.h>

#include <cstdlib>

#include "color/EditorFigures.h"

namespace {

// The cube as the editor's picture draws it.
const CubeAxes kCube({102, 108}, {102, 9}, {23, 147}, {181, 147});

} // namespace

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
