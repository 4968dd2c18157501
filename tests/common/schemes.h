// Skin schemes for tests: a look, a named scheme and a library table in one expression each, and
// the values a file keeps of a scheme, for comparing what was read with what was written.
#pragma once

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "core/SkinScheme.h"

// A look as the files keep it: the hover blend, which they never hold, is 0.
inline SkinLook Look(int mode, int granularity, int coloring, int red, int green, int blue) {
    return {mode, granularity, 0, coloring, red, green, blue};
}

// A scheme named `name` as given (cut to the buffer), not as the program would store it, so a
// test can hand the program names it must clean up.
inline SkinScheme Scheme(const std::string& name, const SkinLook& dialog, const SkinLook& button,
                         int sampleRed, int sampleGreen, int sampleBlue) {
    SkinScheme s;
    std::snprintf(s.name, sizeof s.name, "%s", name.c_str());
    s.dialogLook = dialog;
    s.buttonLook = button;
    s.sampleRed = sampleRed;
    s.sampleGreen = sampleGreen;
    s.sampleBlue = sampleBlue;
    return s;
}

// A scheme whose 15 stored numbers are seed + 1 .. seed + 15 in file order (button colour,
// dialog colour, sample colour, button mode, granularity and coloring, the same of the dialog),
// so a value read into the wrong field shows. Its hover blends, never stored, are 55 and 66.
inline SkinScheme NumberedScheme(int seed, const std::string& name = "") {
    SkinScheme s = Scheme(name, Look(seed + 13, seed + 14, seed + 15, seed + 4, seed + 5, seed + 6),
                          Look(seed + 10, seed + 11, seed + 12, seed + 1, seed + 2, seed + 3),
                          seed + 7, seed + 8, seed + 9);
    s.dialogLook.hoverBlend = 55;
    s.buttonLook.hoverBlend = 66;
    return s;
}

// The 15 numbers a file keeps of a scheme besides its name, in file order.
inline std::array<int, 15> StoredNumbers(const SkinScheme& s) {
    const SkinLook& b = s.buttonLook;
    const SkinLook& d = s.dialogLook;
    return {b.red,         b.green,     b.blue,        d.red,         d.green,
            d.blue,        s.sampleRed, s.sampleGreen, s.sampleBlue,  b.mode,
            b.granularity, b.coloring,  d.mode,        d.granularity, d.coloring};
}

// A library of `count` schemes, scheme n being make(n).
template <typename Make> SkinSchemeTable SchemeTable(int count, Make make) {
    SkinSchemeTable table;
    for (int n = 1; n <= count; ++n)
        table.Scheme(n) = make(n);
    table.count = count;
    return table;
}

// A library of the given schemes, in order.
inline SkinSchemeTable SchemeTable(std::initializer_list<SkinScheme> schemes) {
    const SkinScheme* first = schemes.begin();
    return SchemeTable(static_cast<int>(schemes.size()), [&](int n) { return first[n - 1]; });
}
