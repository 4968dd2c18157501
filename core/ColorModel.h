// Colour words, the RGB and HSB colour records, their conversions and the picker's text forms.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

// Multipliers of the conversions: the doubles nearest to 1/255, 1/60 and 1/180. The colour
// tools multiply by these instead of dividing, which decides single channel steps.
constexpr double kInv255 = 0.00392156862745098;
constexpr double kInv60 = 0.016666666666666666;
constexpr double kInv180 = 0.005555555555555556;

struct HsbColor;

// A 24-bit colour as three channels, each 0..255 when valid.
struct RgbColor {
    int red;
    int green;
    int blue;

    HsbColor ToHsb() const;
};

// Hue in degrees (0..359), saturation and brightness (0..255 each).
struct HsbColor {
    int hue;
    int saturation;
    int brightness;

    RgbColor ToRgb() const;
};

inline bool operator==(const RgbColor& a, const RgbColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator!=(const RgbColor& a, const RgbColor& b) {
    return !(a == b);
}
inline bool operator==(const HsbColor& a, const HsbColor& b) {
    return a.hue == b.hue && a.saturation == b.saturation && a.brightness == b.brightness;
}
inline bool operator!=(const HsbColor& a, const HsbColor& b) {
    return !(a == b);
}

// Colour word laid out 0x00BBGGRR, red in the low byte (the platform's COLORREF).
inline int ColorRed(std::uint32_t word) {
    return static_cast<int>(word & 0xFF);
}
inline int ColorGreen(std::uint32_t word) {
    return static_cast<int>((word >> 8) & 0xFF);
}
inline int ColorBlue(std::uint32_t word) {
    return static_cast<int>((word >> 16) & 0xFF);
}

// Builds a colour word; each channel is cut to its low byte.
inline std::uint32_t MakeColorWord(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(red) & 0xFF) |
           ((static_cast<std::uint32_t>(green) & 0xFF) << 8) |
           ((static_cast<std::uint32_t>(blue) & 0xFF) << 16);
}

inline RgbColor RgbFromColorWord(std::uint32_t word) {
    return RgbColor{ColorRed(word), ColorGreen(word), ColorBlue(word)};
}
inline std::uint32_t ColorWordFromRgb(const RgbColor& rgb) {
    return MakeColorWord(rgb.red, rgb.green, rgb.blue);
}

// "x,y", for example "1023,767".
std::string FormatPositionText(int x, int y);
// "r,g,b" in decimal, red first, for example "255,128,0".
std::string FormatRgbText(std::uint32_t word);
// "# RR,GG,BB" in upper-case hexadecimal, red first, for example "# FF,80,00".
std::string FormatHtmlText(std::uint32_t word);

// Truncates toward zero like a plain conversion, but saturates where the value does not fit an
// int (NaN gives 0), so out-of-range inputs give a defined result instead of undefined behaviour.
inline int TruncToInt(double value) {
    if (value > -2147483649.0 && value < 2147483648.0)
        return static_cast<int>(value);
    if (value != value)
        return 0;
    return value < 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
}
