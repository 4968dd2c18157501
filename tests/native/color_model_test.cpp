// Colour model: RGB <-> HSB conversions over the whole domain, colour words, what the picker
// shows of a sample and its text forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ostream>

#include "core/ColorModel.h"
#include "core/PickerReading.h"

void PrintTo(const RgbColor& c, std::ostream* os) {
    *os << "rgb(" << c.red << "," << c.green << "," << c.blue << ")";
}

namespace {

// 64-bit FNV-1a over each value as four little-endian bytes.
struct Fnv1a {
    std::uint64_t hash = 14695981039346656037ull;
    void Add(int value) {
        const auto v = static_cast<std::uint32_t>(value);
        hash = (hash ^ (v & 0xFF)) * 1099511628211ull;
        hash = (hash ^ (v >> 8 & 0xFF)) * 1099511628211ull;
        hash = (hash ^ (v >> 16 & 0xFF)) * 1099511628211ull;
        hash = (hash ^ (v >> 24)) * 1099511628211ull;
    }
};

} // namespace

// Every input of both conversions, pinned by a hash of every result (an independent
// implementation of the same arithmetic gives the same hashes), plus properties every result must
// have.
TEST(ColorModel, FullDomainBothWays) {
    Fnv1a toRgb, toHsb;
    for (int a = 0; a < 360; ++a)
        for (int b = 0; b < 256; ++b)
            for (int c = 0; c < 256; ++c) {
                const RgbColor rgb = HsbColor{a, b, c}.ToRgb();
                toRgb.Add(rgb.red), toRgb.Add(rgb.green), toRgb.Add(rgb.blue);
                const int lo = std::min(std::min(rgb.red, rgb.green), rgb.blue);
                const int hi = std::max(std::max(rgb.red, rgb.green), rgb.blue);
                if (!(lo >= 0 && hi == c && (b != 0 || lo == hi) && (b != 255 || lo == 0)))
                    FAIL() << "hsb " << a << "," << b << "," << c;
                if (a > 255)
                    continue;
                const HsbColor hsb = RgbColor{a, b, c}.ToHsb();
                toHsb.Add(hsb.hue), toHsb.Add(hsb.saturation), toHsb.Add(hsb.brightness);
                const int min = std::min(std::min(a, b), c), max = std::max(std::max(a, b), c);
                // Back to RGB the hue loses under a degree (< 255 / 60 steps) and the
                // saturation under a level: no channel moves by more than 5.
                const RgbColor back = hsb.ToRgb();
                if (!(hsb.brightness == max && hsb.hue >= 0 && hsb.hue < 360 &&
                      (hsb.saturation == 0) == (min == max) &&
                      (hsb.saturation == 255) == (min == 0 && max > 0) &&
                      std::abs(back.red - a) <= 5 && std::abs(back.green - b) <= 5 &&
                      std::abs(back.blue - c) <= 5))
                    FAIL() << "rgb " << a << "," << b << "," << c;
            }
    EXPECT_EQ(toRgb.hash, 0xbfdf838363c3c8f8ull);
    EXPECT_EQ(toHsb.hash, 0xee766910e091bbd9ull);

    // Hues below 0 take the first sector and from 360 on the last, unclamped; values no caller
    // passes still give a result, not undefined behaviour.
    EXPECT_EQ((HsbColor{-1, 255, 255}.ToRgb()), (RgbColor{255, -4, 0}));
    EXPECT_EQ((HsbColor{400, 255, 255}.ToRgb()), (RgbColor{255, 0, -170}));
    (void)HsbColor{INT32_MAX, INT32_MAX, INT32_MIN}.ToRgb();
    EXPECT_EQ((RgbColor{INT32_MAX, INT32_MIN, 0}.ToHsb().brightness), INT32_MAX);
}

TEST(ColorWord, ChannelsAndTextForms) {
    EXPECT_EQ(MakeColorWord(0x1FF, -1, 0x3AB), 0x00ABFFFFu); // each channel cut to its low byte
    EXPECT_EQ(RgbFromColorWord(0xFF563412u), (RgbColor{0x12, 0x34, 0x56}));
    EXPECT_EQ(ColorWordFromRgb({0x12, 0x34, 0x56}), 0x00563412u);
    const struct {
        std::uint32_t word;
        const char *decimal, *hex, *css;
    } cases[] = {
        {0x000080FFu, "255,128,0", "# FF,80,00", "#FF8000"},
        {0u, "0,0,0", "# 00,00,00", "#000000"},
        {0x00FFAB0Au, "10,171,255", "# 0A,AB,FF", "#0AABFF"},
        {0xFF0000FFu, "255,0,0", "# FF,00,00", "#FF0000"}, // the top byte is no channel
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRgbText(c.word), c.decimal);
        EXPECT_EQ(FormatHtmlText(c.word), c.hex);
        EXPECT_EQ(FormatCssHexText(c.word), c.css);
    }
    EXPECT_EQ(FormatPositionText(1023, 767), "1023,767");
    EXPECT_EQ(FormatPositionText(INT32_MIN, -5), "-2147483648,-5");
    // A pixel the platform cannot read shows as white, a colour word it can draw with; of any
    // other sample only the channels count.
    EXPECT_EQ(PickedColor(kUnreadableColorWord), 0x00FFFFFFu);
    EXPECT_EQ(PickedColor(0xFE00FFFFu), 0x0000FFFFu);
    EXPECT_EQ(PickedColor(0), 0u);
}
