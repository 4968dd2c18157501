// The colour editor's pictures, drawn pixel by pixel in plain double steps (built without
// contracted multiply-adds), so they come out the same on every compiler and word size.
#include "core/EditorArt.h"

#include <algorithm>
#include <cmath>

namespace {

struct Vec {
    double x, y;
};

// Whether p lies in the triangle abc (edges included).
bool InTriangle(Vec p, Vec a, Vec b, Vec c) {
    auto side = [](Vec p, Vec q, Vec r) {
        return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    };
    const double d1 = side(a, b, p), d2 = side(b, c, p), d3 = side(c, a, p);
    const bool neg = d1 < 0 || d2 < 0 || d3<0, pos = d1> 0 || d2 > 0 || d3 > 0;
    return !(neg && pos);
}

// A straight line `width` pixels wide: a width x width square at each step, the step's pixel at
// its middle (for an even width, the upper left one of the middle four).
void Line(EditorPicture& pic, GeoPoint from, GeoPoint to, int width, const RgbColor& colour) {
    const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps ? static_cast<double>(i) / steps : 0.0;
        const int x = static_cast<int>(std::lround(from.x + t * (to.x - from.x)));
        const int y = static_cast<int>(std::lround(from.y + t * (to.y - from.y)));
        for (int dy = -(width - 1) / 2; dy <= width / 2; ++dy)
            for (int dx = -(width - 1) / 2; dx <= width / 2; ++dx)
                pic.Set(x + dx, y + dy, colour);
    }
}

} // namespace

EditorPicture::EditorPicture(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_rgb(static_cast<size_t>(m_width) * m_height * 3, kArtBackground) {}

RgbColor EditorPicture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return {kArtBackground, kArtBackground, kArtBackground};
    const std::uint8_t* p = Row(y) + x * 3;
    return {p[0], p[1], p[2]};
}

void EditorPicture::Set(int x, int y, const RgbColor& colour) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    std::uint8_t* p = &m_rgb[(static_cast<size_t>(y) * m_width + x) * 3];
    p[0] = static_cast<std::uint8_t>(colour.red);
    p[1] = static_cast<std::uint8_t>(colour.green);
    p[2] = static_cast<std::uint8_t>(colour.blue);
}

EditorPicture DrawWheel(int radius) {
    EditorPicture pic(2 * radius + 2, 2 * radius + 1);
    const GeoPoint centre{radius, radius};
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x) {
            if (PointDistance({x, y}, centre) > radius)
                continue;
            int hue = 0, saturation = 0;
            WheelHueSaturation({x, y}, centre, radius, hue, saturation);
            pic.Set(x, y, HsbColor{hue, saturation, 255}.ToRgb());
        }
    return pic;
}

EditorPicture DrawCube(const CubeArt& art) {
    EditorPicture pic(art.size, art.size);
    const GeoPoint o = art.origin;
    Vec axis[3];
    for (int i = 0; i < 3; ++i)
        axis[i] = {0.0 + art.ends[i].x - o.x, 0.0 + art.ends[i].y - o.y};
    const int faces[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    constexpr double kEdge = 1e-9;
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x) {
            const Vec d{0.0 + x - o.x, 0.0 + y - o.y};
            for (const auto& face : faces) {
                const Vec u = axis[face[0]], v = axis[face[1]];
                const double det = u.x * v.y - u.y * v.x;
                const double s = (d.x * v.y - d.y * v.x) / det, t = (u.x * d.y - u.y * d.x) / det;
                if (s < -kEdge || t < -kEdge || s > 1 + kEdge || t > 1 + kEdge)
                    continue;
                int channel[3] = {0, 0, 0};
                channel[face[0]] = static_cast<int>(std::lround(std::clamp(s, 0.0, 1.0) * 255));
                channel[face[1]] = static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * 255));
                pic.Set(x, y, {channel[0], channel[1], channel[2]});
                break;
            }
        }
    for (int i = 0; i < 3; ++i) {
        const GeoPoint end = art.ends[i];
        Line(pic, o, end, art.line, {255, 255, 255});
        // The arrowhead's tip on the axis end, its base as wide as it is long.
        const double len = std::hypot(axis[i].x, axis[i].y);
        const Vec u{axis[i].x / len, axis[i].y / len}, n{-u.y, u.x};
        const double half = art.arrow / 2.0;
        const Vec tip{0.0 + end.x, 0.0 + end.y};
        const Vec base{tip.x - art.arrow * u.x, tip.y - art.arrow * u.y};
        const Vec left{base.x + half * n.x, base.y + half * n.y};
        const Vec right{base.x - half * n.x, base.y - half * n.y};
        const int reach = art.arrow + 1;
        for (int y = end.y - reach; y <= end.y + reach; ++y)
            for (int x = end.x - reach; x <= end.x + reach; ++x)
                if (InTriangle({0.0 + x, 0.0 + y}, tip, left, right))
                    pic.Set(x, y, {0, 0, 0});
    }
    return pic;
}
