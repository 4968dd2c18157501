// RGB <-> HSB conversions and the colour picker's text forms.
#include "core/ColorModel.h"

#include <cstdio>

// Every step below is one IEEE double operation in the order written; the editor shows both
// triples side by side, so each rounding and truncation is visible to the user.

HsbColor RgbColor::ToHsb() const {
    const int maxChannel = red > green ? (red > blue ? red : blue) : (green > blue ? green : blue);
    const int minChannel = red < green ? (red < blue ? red : blue) : (green < blue ? green : blue);
    // Channel differences are taken in doubles: exact for any int, so no overflow.
    const double diff = static_cast<double>(maxChannel) - static_cast<double>(minChannel);
    if (diff == 0.0)
        return HsbColor{0, 0, maxChannel};

    const int saturation = TruncToInt(diff / maxChannel * 255.0);

    // Red is tested first and green second: that order settles ties of two largest channels.
    double h;
    if (red == maxChannel)
        h = (static_cast<double>(green) - static_cast<double>(blue)) / diff;
    else if (green == maxChannel)
        h = (static_cast<double>(blue) - static_cast<double>(red)) / diff + 2.0;
    else
        h = (static_cast<double>(red) - static_cast<double>(green)) / diff + 4.0;
    h = h * 60.0;
    if (h < 0.0)
        h = h + 360.0;
    if (h == 360.0)
        h = 0.0;
    return HsbColor{TruncToInt(h), saturation, maxChannel};
}

RgbColor HsbColor::ToRgb() const {
    const double v = brightness;
    const double delta = (saturation * v) * kInv255;
    const double m = v - delta;
    const double huePart = hue * kInv60;

    if (hue <= 60)
        return RgbColor{brightness, TruncToInt(m + huePart * delta), TruncToInt(m)};
    if (hue < 120)
        return RgbColor{TruncToInt(m - (huePart - 2.0) * delta), brightness, TruncToInt(m)};
    if (hue < 180)
        return RgbColor{TruncToInt(m), brightness, TruncToInt(m + (huePart - 2.0) * delta)};
    if (hue < 240)
        return RgbColor{TruncToInt(m), TruncToInt(m - (huePart - 4.0) * delta), brightness};
    if (hue <= 300)
        return RgbColor{TruncToInt(m + (huePart - 4.0) * delta), TruncToInt(m), brightness};
    return RgbColor{brightness, TruncToInt(m), TruncToInt(m - ((hue - 360.0) * kInv60) * delta)};
}

std::string FormatPositionText(int x, int y) {
    char text[32];
    std::snprintf(text, sizeof text, "%d,%d", x, y);
    return text;
}

std::string FormatRgbText(std::uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "%d,%d,%d", ColorRed(word), ColorGreen(word), ColorBlue(word));
    return text;
}

std::string FormatHtmlText(std::uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "# %02X,%02X,%02X", ColorRed(word), ColorGreen(word),
                  ColorBlue(word));
    return text;
}
