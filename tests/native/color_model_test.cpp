// Colour model: RGB <-> HSB conversions over known colours and the whole domain, colour words
// and the picker's text forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ostream>

#include "color/ColorModel.h"

void PrintTo(const RgbColor& c, std::ostream* os) {
    *os << "rgb(" << c.red << "," << c.green << "," << c.blue << ")";
}
void PrintTo(const HsbColor& c, std::ostream* os) {
    *os << "hsb(" << c.hue << "," << c.saturation << "," << c.brightness << ")";
}

namespace {

struct Pair {
    RgbColor rgb;
    HsbColor hsb;
};

// 64-bit FNV-1a over each value as four little-endian bytes.
struct Fnv1a {
    std::uint64_t hash = 14695981039346656037ull;
    void Add(int value) {
        for (int shift = 0; shift < 32; shift += 8)
            hash =
                (hash ^ ((static_cast<std::uint32_t>(value) >> shift) & 0xFF)) * 1099511628211ull;
    }
};

} // namespace

TEST(RgbToHsb, KnownColoursTiesAndBoundaries) {
    // Red is tested before green and green before blue when two channels share the maximum.
    const Pair cases[] = {
        {{255, 0, 0}, {0, 255, 255}},     {{0, 255, 0}, {120, 255, 255}},
        {{0, 0, 255}, {240, 255, 255}},   {{255, 255, 0}, {60, 255, 255}},
        {{255, 0, 255}, {300, 255, 255}}, {{0, 255, 255}, {180, 255, 255}},
        {{128, 128, 128}, {0, 0, 128}},   {{255, 255, 255}, {0, 0, 255}},
        {{0, 0, 0}, {0, 0, 0}},           {{255, 128, 0}, {30, 255, 255}},
        {{200, 100, 50}, {20, 191, 200}}, {{10, 20, 30}, {210, 170, 30}},
        {{255, 0, 1}, {359, 255, 255}},   {{255, 254, 0}, {59, 255, 255}},
        {{0, 254, 255}, {180, 255, 255}}, {{1, 1, 0}, {60, 255, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rgb.ToHsb(), c.hsb) << ::testing::PrintToString(c.rgb);
}

TEST(HsbToRgb, KnownColoursAndSectorBoundaries) {
    // 60 and 300 close the first and fifth sectors, 120, 180 and 240 open theirs (at brightness
    // 1 the second channel switches on and off there); hues below 0 take the first sector and
    // from 360 on the last, unclamped.
    const Pair cases[] = {
        {{255, 127, 0}, {30, 255, 255}},  {{127, 255, 0}, {90, 255, 255}},
        {{255, 0, 4}, {359, 255, 255}},   {{255, 0, 0}, {360, 255, 255}},
        {{128, 128, 63}, {60, 128, 128}}, {{99, 166, 200}, {200, 128, 200}},
        {{255, 255, 255}, {0, 0, 255}},   {{0, 0, 0}, {200, 255, 0}},
        {{255, -4, 0}, {-1, 255, 255}},   {{255, 0, -170}, {400, 255, 255}},
        {{4, 255, 0}, {119, 255, 255}},   {{4, 0, 255}, {241, 255, 255}},
        {{1, 0, 0}, {59, 255, 1}},        {{1, 1, 0}, {60, 255, 1}},
        {{0, 1, 0}, {61, 255, 1}},        {{0, 1, 1}, {180, 255, 1}},
        {{0, 0, 1}, {181, 255, 1}},       {{1, 0, 1}, {300, 255, 1}},
        {{1, 0, 0}, {301, 255, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hsb.ToRgb(), c.rgb) << ::testing::PrintToString(c.hsb);
    // Values no caller passes still give a result, not undefined behaviour.
    (void)HsbColor{INT32_MAX, INT32_MAX, INT32_MIN}.ToRgb();
    EXPECT_EQ((RgbColor{INT32_MAX, INT32_MIN, 0}.ToHsb().brightness), INT32_MAX);
}

// Every input, pinned by a hash of every result (an independent implementation of the same
// arithmetic gives the same hashes), plus properties every result must have.
#if defined(__SANITIZE_ADDRESS__)
#define ZEN_FULL_DOMAIN_SKIP() GTEST_SKIP() << "too slow under the sanitizers"
#else
#define ZEN_FULL_DOMAIN_SKIP() (void)0
#endif

TEST(ColorModel, FullDomainBothWays) {
    ZEN_FULL_DOMAIN_SKIP();
    Fnv1a toRgb, toHsb;
    for (int a = 0; a < 360; ++a)
        for (int b = 0; b < 256; ++b)
            for (int c = 0; c < 256; ++c) {
                const RgbColor rgb = HsbColor{a, b, c}.ToRgb();
                toRgb.Add(rgb.red), toRgb.Add(rgb.green), toRgb.Add(rgb.blue);
                const int lo = std::min({rgb.red, rgb.green, rgb.blue});
                const int hi = std::max({rgb.red, rgb.green, rgb.blue});
                ASSERT_TRUE(lo >= 0 && hi == c && (b != 0 || lo == hi) && (b != 255 || lo == 0))
                    << "hsb " << a << "," << b << "," << c;
                if (a > 255)
                    continue;
                const HsbColor hsb = RgbColor{a, b, c}.ToHsb();
                toHsb.Add(hsb.hue), toHsb.Add(hsb.saturation), toHsb.Add(hsb.brightness);
                const int min = std::min({a, b, c}), max = std::max({a, b, c});
                // Back to RGB the hue loses under a degree (< 255 / 60 steps) and the
                // saturation under a level: no channel moves by more than 5.
                const RgbColor back = hsb.ToRgb();
                ASSERT_TRUE(hsb.brightness == max && hsb.hue >= 0 && hsb.hue < 360 &&
                            (hsb.saturation == 0) == (min == max) &&
                            (hsb.saturation == 255) == (min == 0 && max > 0) &&
                            std::abs(back.red - a) <= 5 && std::abs(back.green - b) <= 5 &&
                            std::abs(back.blue - c) <= 5)
                    << "rgb " << a << "," << b << "," << c;
            }
    EXPECT_EQ(toRgb.hash, 0xbfdf838363c3c8f8ull);
    EXPECT_EQ(toHsb.hash, 0xee766910e091bbd9ull);
}

TEST(ColorWord, ChannelsAndTextForms) {
    EXPECT_EQ(MakeColorWord(0x1FF, -1, 0x3AB), 0x00ABFFFFu); // each channel cut to its low byte
    EXPECT_EQ(RgbFromColorWord(0xFF563412u), (RgbColor{0x12, 0x34, 0x56}));
    EXPECT_EQ(ColorWordFromRgb({0x12, 0x34, 0x56}), 0x00563412u);
    const struct {
        std::uint32_t word;
        const char *decimal, *hex;
    } cases[] = {
        {0x000080FFu, "255,128,0", "# FF,80,00"},
        {0u, "0,0,0", "# 00,00,00"},
        {0x00FFAB0Au, "10,171,255", "# 0A,AB,FF"},
        {0xFF0000FFu, "255,0,0", "# FF,00,00"}, // the top byte is no channel
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRgbText(c.word), c.decimal);
        EXPECT_EQ(FormatHtmlText(c.word), c.hex);
    }
    EXPECT_EQ(FormatPositionText(1023, 767), "1023,767");
    EXPECT_EQ(FormatPositionText(INT32_MIN, -5), "-2147483648,-5");
}
