// Skin painter: bitmap layout, palette, pinned pictures, the bevelled tube against its plain form,
// odd sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/SkinPainter.h"

namespace {

const SkinSystemColors kGrey = {0x808080, 0xC0C0C0, 0xFFFFFF};

int Ch(std::uint32_t colour, int k) {
    return (colour >> (8 * k)) & 0xFF;
}

// Stored pixel (x, y), y counted from the bottom row.
int At(const CSkinBitmap& b, int x, int y) {
    return b.Bits()[static_cast<size_t>(y) * b.Stride() + x];
}

// A picture from a generator seeded with seed; `after` gets the generator's next value.
CSkinBitmap Generate(int mode, int w, int h, int g, unsigned seed, int* after = nullptr) {
    CSkinBitmap b;
    CrtRandom random(seed);
    GenerateSkin(b, w, h, mode, g, 30, 0x204080, kGrey, random);
    if (after)
        *after = random.Next();
    return b;
}

// The value a generator seeded with seed gives after `draws` draws.
int NextAfter(unsigned seed, long long draws) {
    CrtRandom random(seed);
    while (draws-- > 0)
        random.Next();
    return random.Next();
}

// The bevelled tube drawn the plain way, pass after pass with one draw at a time: the stored
// rows, bottom first, and the generator's next value.
std::vector<std::uint8_t> PlainBevelledTube(int W, int H, int g, unsigned seed, int& after) {
    CrtRandom random(seed);
    const int D = 32767 / std::max(1, 2 * g);
    const auto noise = [&] { return random.Next() / D - g; };
    const auto cube = [](int v) { return v * v * v / 128 / 128; };
    std::vector<std::uint8_t> px(static_cast<size_t>(W) * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            px[y * W + x] = static_cast<std::uint8_t>(cube(y * 255 / H - 127) * (64 - g) * 2 / 128 +
                                                      128 + noise());
    const long long Q = static_cast<long long>(H) * H / 4;
    const long long h = std::min(W / 6, 16), hh = H / 2, w2 = W / 2;
    for (int y = 0; Q > 0 && y < H; ++y) {
        const long long t = h * (y - hh) * (y - hh) / Q - h + w2;
        for (int x = 0; x < W; ++x) {
            std::uint8_t& p = px[y * W + x];
            if (x - w2 > t)
                p = static_cast<std::uint8_t>(static_cast<std::uint8_t>((W - x) * 128 / h) + g);
            else if (t + x - w2 < 0)
                p = static_cast<std::uint8_t>((255 - g) - static_cast<std::uint8_t>(x * 128 / h));
            p = static_cast<std::uint8_t>(p + noise());
        }
    }
    after = random.Next();
    return px;
}

} // namespace

TEST(SkinBitmap, DepthLayoutPixelsAndCopies) {
    struct Case {
        int asked, depth, entries, stride; // for a picture 13 pixels wide
    };
    const Case cases[] = {{-5, 1, 2, 4},   {1, 1, 2, 4},    {2, 4, 16, 8},  {4, 4, 16, 8},
                          {5, 8, 256, 16}, {8, 8, 256, 16}, {9, 24, 0, 40}, {32, 24, 0, 40}};
    for (const Case& c : cases) {
        CSkinBitmap b;
        ASSERT_NE(b.Create(13, 3, c.asked), nullptr);
        EXPECT_EQ(b.BitCount(), c.depth);
        EXPECT_EQ(b.PaletteSize(), c.entries);
        EXPECT_EQ(b.Stride(), c.stride);
        const auto* header = static_cast<const SkinBitmapHeader*>(b.Info());
        EXPECT_EQ(header->size, 40u);
        EXPECT_EQ(header->sizeImage, static_cast<std::uint32_t>(c.stride * 3));
        // Pixels land where they are read back (y from the top), outside ones are ignored, and
        // only the depth's low bits are kept.
        for (int i = 0; i < 13 * 3; ++i)
            b.SetPixel(i % 13, i / 13, i * 7);
        for (int x : {-1, 13})
            b.SetPixel(x, 0, 1);
        for (int i = 0; i < 13 * 3; ++i)
            ASSERT_EQ(b.GetPixel(i % 13, i / 13), c.entries ? (i * 7) % c.entries : -1);
        b.SetPaletteEntry(c.entries - 1, 1, 2, 3);
        b.SetPaletteEntry(c.entries, 9, 9, 9);
        EXPECT_EQ(b.PaletteColor(c.entries - 1), c.entries ? 0x030201u : 0u);
        CSkinBitmap copy;
        copy.CopyFrom(b);
        ASSERT_EQ(copy.Stride() * copy.Height(), b.Stride() * b.Height());
        EXPECT_EQ(std::memcmp(copy.Info(), b.Info(), 40 + 4 * c.entries + b.Stride() * 3), 0);
        copy.CopyFrom(CSkinBitmap());
        EXPECT_FALSE(copy.HasImage());
    }
    // The blend percentage is clamped to 0..100.
    CSkinBitmap b;
    b.Create(1, 1, 8);
    b.SetPaletteEntry(0, 200, 100, 0);
    b.BlendPalette(0xFFFFFF, -20);
    EXPECT_EQ(b.PaletteColor(0), 0x0064C8u);
    b.BlendPalette(0x00FF00, 250);
    EXPECT_EQ(b.PaletteColor(0), 0x00FF00u);
}

TEST(SkinPalette, RampsFromShadowToHighlightAndTintsTowardTheColour) {
    // Every channel rises from shadow to face and on to highlight, at most 128 steps each way.
    const SkinSystemColors sys = {0x103050, 0x90A0B0, 0xF0E8FE};
    const auto palette = [](int coloring, const SkinSystemColors& s) {
        CSkinBitmap b; // the look's colour is red 0xF0, green 0x80, blue 0x20
        GenerateSkin(b, 4, 4, SkinLook{2, 0, 0, coloring, 0xF0, 0x80, 0x20}, s);
        std::vector<std::uint32_t> entries(256);
        for (int i = 0; i < 256; ++i)
            entries[i] = b.PaletteColor(i);
        return entries;
    };
    const std::vector<std::uint32_t> ramp = palette(0, sys);
    EXPECT_EQ(ramp[0], sys.shadow);
    EXPECT_EQ(ramp[255], sys.highlight);
    for (int k = 0; k < 3; ++k) {
        EXPECT_LE(std::abs(Ch(ramp[127], k) - Ch(sys.face, k)), 1) << "the face in the middle";
        EXPECT_LE(std::abs(Ch(ramp[128], k) - Ch(sys.face, k)), 1) << "the face in the middle";
    }
    // Tinting moves every entry toward the colour, the more the stronger; only the low byte of
    // the strength counts, and 100 or more gives the colour itself. Every palette rises smoothly.
    const int strengths[] = {256, 20, 37, 60, 99, 100, 255, 356};
    std::vector<std::uint32_t> before = ramp;
    for (int coloring : strengths) {
        SCOPED_TRACE(coloring);
        const std::vector<std::uint32_t> tinted = palette(coloring, sys);
        const int p = std::min(coloring & 0xFF, 100);
        EXPECT_EQ(tinted == ramp, p == 0);
        EXPECT_EQ(std::count(tinted.begin(), tinted.end(), 0x2080F0u), p == 100 ? 256 : 0);
        for (int i = 0; i < 256; ++i)
            for (int k = 0; k < 3; ++k) {
                ASSERT_LE(std::abs(Ch(tinted[i], k) - Ch(0x2080F0, k)),
                          std::abs(Ch(before[i], k) - Ch(0x2080F0, k)))
                    << i;
                ASSERT_TRUE(i == 0 || (Ch(tinted[i], k) >= Ch(tinted[i - 1], k) &&
                                       Ch(tinted[i], k) <= Ch(tinted[i - 1], k) + 1))
                    << i;
            }
        before = tinted;
    }
}

TEST(SkinPatterns, PinnedOutputsAndDrawCounts) {
    // FNV-1a over the rows, bottom first, of 420 x 330 pictures with granularity 100, seed 42.
    const unsigned long long hashes[] = {
        0xC3674FF13BF78104ull, 0x93DE9C36E96006F4ull, 0xD9D84842A3EF43CEull,
        0x11AFAEC7ACCD4736ull, 0x70F6ED1408CA3C70ull, 0xD4944DD16249D17Aull,
        0xC598B090748A012Full, 0x3EECC3C18C736049ull, 0xE6A01F0E29ACE9AEull,
    };
    for (int mode = 0; mode <= 8; ++mode) {
        int after = 0;
        const CSkinBitmap b = Generate(mode, 420, 330, 100, 42u, &after);
        unsigned long long hash = 1469598103934665603ull;
        for (int y = 0; y < b.Height(); ++y) {
            for (int x = 0; x < b.Width(); ++x)
                hash = (hash ^ static_cast<unsigned>(At(b, x, y))) * 1099511628211ull;
        }
        EXPECT_EQ(hash, hashes[mode]) << "mode " << mode;
        // One draw per pixel, two in mode 7, and four per scratch in mode 8: the next picture's
        // noise depends on it.
        const long long draws = 420 * 330 * (mode == 7 ? 2 : 1) + (mode == 8 ? 800 : 0);
        EXPECT_EQ(after, NextAfter(42u, draws)) << "mode " << mode;
    }
}

TEST(SkinPatterns, BevelledTubeDrawsWhatThePlainTwoPassesDraw) {
    // Widths around the sixteen draws done at a time, heights with and without bevels.
    for (const auto& [w, h] : {std::pair{1, 1},
                               {5, 9},
                               {6, 2},
                               {15, 7},
                               {16, 16},
                               {17, 40},
                               {33, 3},
                               {97, 61},
                               {420, 330},
                               {1000, 1}}) {
        for (int g : {0, 1, 8, 63, 64, 65, 100, 128, 200, 255}) {
            int after = 0;
            int plainAfter = 0;
            const CSkinBitmap b = Generate(7, w, h, g, 77u + g, &after);
            const std::vector<std::uint8_t> plain = PlainBevelledTube(w, h, g, 77u + g, plainAfter);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(At(b, x, y), plain[y * w + x])
                        << w << "x" << h << " g " << g << " at " << x << "," << y;
            EXPECT_EQ(after, plainAfter) << w << "x" << h << " g " << g;
        }
    }
}

TEST(SkinScratches, StayInsideThePicture) {
    // The sanitizers watch the end of the block; the palette before the pixels must come out
    // as a plain fill leaves it, and the row padding clear.
    const std::pair<int, int> sizes[] = {{1, 1},   {2, 2},     {1, 100},   {100, 1},  {3, 200},
                                         {97, 61}, {40000, 1}, {1, 40000}, {33000, 3}};
    for (const auto& [w, h] : sizes) {
        for (int g : {0, 107, 108, 255}) {
            const CSkinBitmap plain = Generate(0, w, h, g, 500u + g);
            const CSkinBitmap scratched = Generate(8, w, h, g, 500u + g);
            ASSERT_TRUE(scratched.HasImage());
            EXPECT_EQ(std::memcmp(plain.Info(), scratched.Info(), 40 + 4 * 256), 0);
            for (int y = 0; y < h; ++y) {
                for (int x = w; x < scratched.Stride(); ++x)
                    ASSERT_EQ(scratched.Bits()[static_cast<size_t>(y) * scratched.Stride() + x], 0)
                        << w << "x" << h << " at " << x << "," << y;
            }
        }
    }
}

TEST(SkinSizes, EmptyHugeAndNegativePictures) {
    // Pictures without pixels draw no numbers; refused sizes leave no image; very wide, tall or
    // one row high ones keep every division by the size defined (the sanitizers watch).
    const struct {
        int w, h;
        bool image;
    } cases[] = {{0, 0, true},     {0, 50, true},    {50, 0, true},
                 {-1, 10, false},  {10, -1, false},  {1 << 30, 2, false},
                 {40000, 2, true}, {2, 40000, true}, {1 << 30, 1 << 30, false},
                 {70000, 1, true}};
    for (int mode = 0; mode <= 9; ++mode) {
        for (const auto& c : cases) {
            int after = 0;
            const CSkinBitmap b = Generate(mode, c.w, c.h, 20, 9, &after);
            EXPECT_EQ(b.HasImage(), c.image) << mode;
            EXPECT_EQ(b.Width(), c.image ? c.w : 0);
            if (!c.image || c.w == 0 || c.h == 0) {
                EXPECT_EQ(after, NextAfter(9, 0)) << "mode " << mode << " drew numbers";
            }
        }
    }
}

TEST(SkinSample, MeanOfARowLeavesOutPixelsBeyondThePicture) {
    // Four columns of palette entries 0, 1, 2, 3: red 10, 20, 30, 40 (and 1, 2, 3, 4 for green).
    CSkinBitmap b;
    ASSERT_TRUE(b.Create(4, 2, 8));
    for (int i = 0; i < 4; ++i) {
        b.SetPaletteEntry(i, 10 * (i + 1), i + 1, 200);
        b.SetPixel(i, 1, i);
    }
    EXPECT_EQ(MeanRowColor(b, 0, 1, 4), 25u | 2u << 8 | 200u << 16); // truncated means
    EXPECT_EQ(MeanRowColor(b, 2, 1, 50), 35u | 3u << 8 | 200u << 16);
    EXPECT_EQ(MeanRowColor(b, -3, 1, 4), 10u | 1u << 8 | 200u << 16);
    EXPECT_EQ(MeanRowColor(b, 0, 2, 4), 0u);
    EXPECT_EQ(MeanRowColor(b, 0, 1, 0), 0u);
    EXPECT_EQ(MeanRowColor(b, 2147483640, 1, 100), 0u);
    EXPECT_EQ(MeanRowColor(CSkinBitmap(), 0, 0, 4), 0u);
}
