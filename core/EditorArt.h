// The colour editor's two pictures, the HSB wheel and the RGB cube, drawn at any size with the
// editor's own arithmetic, so that a press on the wheel gives exactly the colour of the pixel
// pressed (at full brightness). The program ships them drawn for 96 DPI and draws them afresh
// for other display scales.
#pragma once

#include <cstdint>
#include <vector>

#include "core/ColorModel.h"
#include "core/EditorFigures.h"
#include "core/Geometry.h"

// The grey the pictures are drawn on. No pixel of either picture's own has it (a wheel pixel
// has a channel at 255, a cube face one at 0), so a viewer can give it the colour around them.
constexpr int kArtBackground = 192;

// A true-colour picture: red, green, blue bytes per pixel, rows from the top.
class EditorPicture {
public:
    // A picture of the background colour only.
    EditorPicture(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel at x, y; the background outside the picture.
    RgbColor At(int x, int y) const;
    // Sets a pixel; a point outside the picture is left out.
    void Set(int x, int y, const RgbColor& colour);
    // The first of a row's Width() triples.
    const std::uint8_t* Row(int y) const { return &m_rgb[static_cast<size_t>(y) * m_width * 3]; }

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_rgb;
};

// The wheel of a radius: (2r + 2) x (2r + 1) pixels, its centre at (r, r). Every pixel the
// editor takes for the wheel (truncated distance from the centre at most r) has the colour of
// WheelHueSaturation at full brightness; the rest is background.
EditorPicture DrawWheel(int radius);

// The cube as drawn: a square picture with its black corner and the ends of the red, green and
// blue axes, the axes' width and the length (and width) of the arrowheads at their ends.
struct CubeArt {
    int size;
    GeoPoint origin;
    GeoPoint ends[3];
    int line;
    int arrow;
};

// The cube at 96 DPI: red up, green to the lower left, blue to the lower right.
constexpr CubeArt kCubeArt = {190, {102, 108}, {{102, 9}, {23, 147}, {181, 147}}, 1, 7};

// The cube seen along its black-white diagonal, black corner nearest: three faces spanned by
// pairs of axes, each point shaded with the two channels it stands for; white axes ending in
// black arrowheads.
EditorPicture DrawCube(const CubeArt& art);
