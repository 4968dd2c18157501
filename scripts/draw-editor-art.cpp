// Draws the colour editor's two pictures as 24-bit BMP files, with the program's own colour
// arithmetic, so a press on the wheel gives exactly the colour of the pixel pressed (at full
// brightness). RGB(192, 192, 192) is the background, which the editor recolours; no pixel of
// either picture's content has that colour.
//   draw-editor-art WHEEL.bmp CUBE.bmp
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/ColorModel.h"
#include "core/EditorFigures.h"
#include "core/Geometry.h"

namespace {

constexpr int kBackground = 192;

class Picture {
public:
    Picture(int w, int h) : m_w(w), m_h(h), m_rgb(static_cast<size_t>(w) * h * 3, kBackground) {}
    void Set(int x, int y, int r, int g, int b) {
        if (x < 0 || y < 0 || x >= m_w || y >= m_h)
            return;
        std::uint8_t* p = &m_rgb[(static_cast<size_t>(y) * m_w + x) * 3];
        p[0] = static_cast<std::uint8_t>(r);
        p[1] = static_cast<std::uint8_t>(g);
        p[2] = static_cast<std::uint8_t>(b);
    }
    // An uncompressed bottom-up BMP with a 40-byte information header.
    bool Write(const char* path) const {
        const int stride = (m_w * 3 + 3) / 4 * 4;
        const std::uint32_t bits = static_cast<std::uint32_t>(stride) * m_h;
        std::vector<std::uint8_t> out;
        auto put = [&out](std::uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        };
        out.push_back('B');
        out.push_back('M');
        put(54 + bits, 4);
        put(0, 4);
        put(54, 4);
        put(40, 4);
        put(static_cast<std::uint32_t>(m_w), 4);
        put(static_cast<std::uint32_t>(m_h), 4);
        put(1, 2);
        put(24, 2);
        put(0, 4);
        put(bits, 4);
        put(2835, 4); // 72 dots per inch
        put(2835, 4);
        put(0, 4);
        put(0, 4);
        for (int y = m_h - 1; y >= 0; --y) {
            for (int x = 0; x < m_w; ++x) {
                const std::uint8_t* p = &m_rgb[(static_cast<size_t>(y) * m_w + x) * 3];
                out.insert(out.end(), {p[2], p[1], p[0]});
            }
            out.resize(out.size() + stride - m_w * 3, 0);
        }
        std::FILE* f = std::fopen(path, "wb");
        if (!f)
            return false;
        const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
        return std::fclose(f) == 0 && ok;
    }
    int Width() const { return m_w; }
    int Height() const { return m_h; }

private:
    int m_w, m_h;
    std::vector<std::uint8_t> m_rgb;
};

// The wheel: every pixel a press would take for the wheel has the colour that press gives.
Picture Wheel() {
    Picture pic(202, 201);
    const GeoPoint centre{100, 100};
    for (int y = 0; y < pic.Height(); ++y)
        for (int x = 0; x < pic.Width(); ++x) {
            if (PointDistance({x, y}, centre) > kWheelRadius)
                continue;
            int hue = 0, saturation = 0;
            WheelHueSaturation({x, y}, centre, hue, saturation);
            const RgbColor c = HsbColor{hue, saturation, 255}.ToRgb();
            pic.Set(x, y, c.red, c.green, c.blue);
        }
    return pic;
}

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

void Line(Picture& pic, GeoPoint from, GeoPoint to, int r, int g, int b) {
    const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps ? static_cast<double>(i) / steps : 0.0;
        pic.Set(static_cast<int>(std::lround(from.x + t * (to.x - from.x))),
                static_cast<int>(std::lround(from.y + t * (to.y - from.y))), r, g, b);
    }
}

// The cube seen along its black-white diagonal, black corner nearest: three faces spanned by
// pairs of axes, each point shaded with the two channels it stands for; white axes ending in
// black arrowheads.
Picture Cube() {
    Picture pic(190, 190);
    const GeoPoint o{102, 108};
    const GeoPoint ends[3] = {{102, 9}, {23, 147}, {181, 147}}; // red, green, blue
    const Vec axis[3] = {{0.0 + ends[0].x - o.x, 0.0 + ends[0].y - o.y},
                         {0.0 + ends[1].x - o.x, 0.0 + ends[1].y - o.y},
                         {0.0 + ends[2].x - o.x, 0.0 + ends[2].y - o.y}};
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
                pic.Set(x, y, channel[0], channel[1], channel[2]);
                break;
            }
        }
    for (int i = 0; i < 3; ++i) {
        Line(pic, o, ends[i], 255, 255, 255);
        // An arrowhead 7 pixels long and 7 wide, its tip on the axis end.
        const double len = std::hypot(axis[i].x, axis[i].y);
        const Vec u{axis[i].x / len, axis[i].y / len}, n{-u.y, u.x};
        const Vec tip{0.0 + ends[i].x, 0.0 + ends[i].y}, base{tip.x - 7 * u.x, tip.y - 7 * u.y};
        const Vec left{base.x + 3.5 * n.x, base.y + 3.5 * n.y};
        const Vec right{base.x - 3.5 * n.x, base.y - 3.5 * n.y};
        for (int y = ends[i].y - 8; y <= ends[i].y + 8; ++y)
            for (int x = ends[i].x - 8; x <= ends[i].x + 8; ++x)
                if (InTriangle({0.0 + x, 0.0 + y}, tip, left, right))
                    pic.Set(x, y, 0, 0, 0);
    }
    return pic;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WHEEL.bmp CUBE.bmp\n", argv[0]);
        return 2;
    }
    if (!Wheel().Write(argv[1]) || !Cube().Write(argv[2])) {
        std::perror("draw-editor-art");
        return 1;
    }
    return 0;
}
