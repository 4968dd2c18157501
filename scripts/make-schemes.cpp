// Writes the skin library that ships beside the program (res/scheme.dat). Each scheme's sample
// colour is taken the way the skin dialog takes it: the mean of 60 pixels of the previewed
// background's sample row, generated with the program's own painter and the 3-D colours of a
// fresh Wine prefix (where `make run` and the tests show it).
//   make-schemes OUT.dat
#include <cstdio>

#include "core/SkinPainter.h"
#include "core/SkinScheme.h"

namespace {

struct Entry {
    const char* name;
    SkinLook dialog; // mode, granularity, hover blend (unused), coloring, red, green, blue
    SkinLook button;
};

// Scheme 1 is the look the program has without a library.
const Entry kSchemes[] = {
    {"Default", {2, 4, 0, 18, 120, 160, 230}, {4, 3, 0, 14, 120, 160, 230}},
    {"Sky", {1, 3, 0, 30, 90, 150, 230}, {4, 2, 0, 28, 90, 150, 230}},
    {"Mint", {2, 5, 0, 28, 60, 190, 140}, {4, 3, 0, 30, 60, 190, 140}},
    {"Sand", {3, 6, 0, 35, 220, 180, 110}, {5, 3, 0, 35, 220, 170, 100}},
    {"Rose", {1, 4, 0, 25, 230, 110, 150}, {4, 3, 0, 28, 230, 110, 150}},
    {"Lavender", {2, 3, 0, 30, 150, 120, 220}, {6, 2, 0, 30, 150, 120, 220}},
    {"Steel", {4, 6, 0, 20, 90, 110, 140}, {7, 3, 0, 22, 90, 110, 140}},
    {"Linen", {0, 10, 0, 20, 200, 180, 150}, {4, 4, 0, 22, 200, 180, 150}},
    {"Ocean", {6, 4, 0, 40, 40, 110, 180}, {7, 3, 0, 35, 40, 110, 180}},
    {"Lime", {3, 4, 0, 30, 150, 210, 60}, {4, 3, 0, 30, 150, 210, 60}},
    {"Peach", {1, 3, 0, 30, 250, 160, 110}, {4, 3, 0, 30, 250, 160, 110}},
    {"Ice", {7, 3, 0, 25, 150, 210, 240}, {4, 2, 0, 25, 150, 210, 240}},
    {"Plum", {4, 3, 0, 40, 120, 50, 110}, {7, 3, 0, 35, 120, 50, 110}},
    {"Scratches", {8, 10, 0, 15, 120, 120, 120}, {4, 3, 0, 15, 120, 120, 120}},
};

// The 3-D shadow, button face and 3-D highlight of a fresh Wine prefix.
const SkinSystemColors kWineColours = {0xA6A6A6, 0xF5F5F5, 0xFFFFFF};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-schemes OUT.dat\n");
        return 2;
    }
    SkinSchemeTable table;
    CSkinBitmap preview;
    for (const Entry& e : kSchemes) {
        SkinScheme s;
        MakeSchemeName(e.name, s.name);
        s.dialogLook = e.dialog;
        s.buttonLook = e.button;
        // The preview is 240 x 180 at (30, 60); the sample row is client row 64, columns
        // 40 to 99.
        GenerateSkin(preview, 240, 180, s.dialogLook, kWineColours);
        const std::uint32_t mean = MeanRowColor(preview, 10, 4, 60);
        s.sampleRed = static_cast<int>(mean & 0xFF);
        s.sampleGreen = static_cast<int>(mean >> 8 & 0xFF);
        s.sampleBlue = static_cast<int>(mean >> 16 & 0xFF);
        if (StoreScheme(table, s.name, s) == 0)
            return 1;
    }
    if (!WriteSchemeFile(argv[1], table)) {
        std::fprintf(stderr, "make-schemes: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
