// Writes the colour editor's two pictures at 96 DPI as 24-bit BMP files, drawn by the
// program's own code (core/EditorArt), so the wheel agrees with what a press on it gives.
// RGB(192, 192, 192) is the background, which the editor recolours.
//   draw-editor-art WHEEL.bmp CUBE.bmp
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/EditorArt.h"

namespace {

// An uncompressed bottom-up BMP with a 40-byte information header.
bool Write(const EditorPicture& pic, const char* path) {
    const int w = pic.Width(), h = pic.Height();
    const int stride = (w * 3 + 3) / 4 * 4;
    const std::uint32_t bits = static_cast<std::uint32_t>(stride) * h;
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
    put(static_cast<std::uint32_t>(w), 4);
    put(static_cast<std::uint32_t>(h), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(bits, 4);
    put(2835, 4); // 72 dots per inch
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = h - 1; y >= 0; --y) {
        const std::uint8_t* p = pic.Row(y);
        for (int x = 0; x < w; ++x, p += 3)
            out.insert(out.end(), {p[2], p[1], p[0]});
        out.resize(out.size() + stride - w * 3, 0);
    }
    std::FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WHEEL.bmp CUBE.bmp\n", argv[0]);
        return 2;
    }
    if (!Write(DrawWheel(kWheelRadius), argv[1]) || !Write(DrawCube(kCubeArt), argv[2])) {
        std::perror("draw-editor-art");
        return 1;
    }
    return 0;
}
