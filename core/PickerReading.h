// What the colour picker keeps of a screen sample, and the colour's form for
// style sheets.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/ColorModel.h"

// The word the platform reports for a screen pixel it cannot read: all bits set.
constexpr std::uint32_t kUnreadableColorWord = 0xFFFFFFFF;

// The colour the picker shows for a sample: a pixel that cannot be read shows
// as white rather than as whatever its bits would spell, and of any other
// word only the three channels count.
constexpr std::uint32_t PickedColor(std::uint32_t sample) {
    return sample == kUnreadableColorWord ? 0xFFFFFFu : sample & 0xFFFFFFu;
}

// "#RRGGBB" in upper-case hexadecimal, as style sheets write a colour, for
// example "#FF8000".
inline std::string FormatCssHexText(std::uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", ColorRed(word), ColorGreen(word),
                  ColorBlue(word));
    return text;
}
