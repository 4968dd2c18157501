// Skin painter: palette, the base value of each pattern, the noise, the scratches, odd sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/SkinPainter.h"

namespace {

const SkinSystemColors kGrey = {0x808080, 0xC0C0C0, 0xFFFFFF};

struct Size {
    int w, h;
};

const Size kSizes[] = {{1, 1}, {1, 256}, {256, 1}, {2, 2}, {7, 3}, {6, 9}, {61, 47}, {240, 180}};
const int kGranularities[] = {0, 1, 5, 64, 100, 127, 128, 200, 255};

int Ch(std::uint32_t colour, int k) {
    return (colour >> (8 * k)) & 0xFF;
}

// Stored pixel (x, y), y counted from the bottom row.
int At(const CSkinBitmap& b, int x, int y) {
    return b.Bits()[static_cast<size_t>(y) * b.Stride() + x];
}

int Byte(long long v) {
    return static_cast<int>(((v % 256) + 256) % 256);
}

// The picture of a fresh generator seeded with seed, and the draws that generator makes.
struct Generated {
    CSkinBitmap b;
    std::vector<int> r;
    int next; // the generator's next value after the picture
};

Generated Generate(int mode, Size s, int g, unsigned seed, size_t draws) {
    Generated out;
    CrtRandom random(seed);
    GenerateSkin(out.b, s.w, s.h, mode, g, 0, 0, kGrey, random);
    out.next = random.Next();
    CrtRandom replay(seed);
    for (size_t i = 0; i <= draws; ++i)
        out.r.push_back(replay.Next());
    return out;
}

int Noise(int r, int g) {
    return r / (32767 / std::max(1, 2 * g)) - g;
}

int Cube(int v) {
    return v * v * v / 128 / 128;
}

// Base value of pixel (x, y) of the row and column patterns (mode 7: its first pass).
int Base(int mode, int W, int H, int g, int x, int y) {
    const int L2 = 255 - 2 * g;
    const int cubeX = Cube(((W - x) * 255) / W - 127);
    const int cubeY = Cube((y * 255) / H - 127);
    switch (mode) {
    case 1:
        return (L2 / 2 * (W - x)) / W + (y * (L2 / 2)) / H + g;
    case 2:
        return (y * L2) / H + g;
    case 3:
        return (L2 * (W - x)) / W + g;
    case 4:
        return cubeY * (128 - g) / 128 + 128;
    case 5:
        return cubeX * (128 - g) / 128 + 128;
    case 6:
        return std::min(std::max((cubeX + cubeY) * (128 - g) / 128 + 128, g), 255 - g);
    case 7:
        return cubeY * (64 - g) * 2 / 128 + 128;
    default:
        return 128;
    }
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
        copy.Fill(0xAB);
        EXPECT_EQ(copy.Bits()[copy.Stride() * 3 - 1], 0xAB);
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

TEST(SkinPalette, RunsFromShadowThroughFaceToHighlightThenTints) {
    const SkinSystemColors sys = {0x103050, 0x90A0B0, 0xF0E8FE};
    CSkinBitmap plain;
    GenerateSkin(plain, 4, 4, 2, 0, 0, 0x0000FF, sys);
    ASSERT_EQ(plain.PaletteSize(), 256);
    for (int i = 0; i < 256; ++i) {
        for (int k = 0; k < 3; ++k) {
            const int expected =
                i < 128 ? (Ch(sys.shadow, k) * (128 - i) + Ch(sys.face, k) * i) / 128
                        : (Ch(sys.highlight, k) * (i - 127) + Ch(sys.face, k) * (255 - i)) / 128;
            ASSERT_EQ(Ch(plain.PaletteColor(i), k), expected) << i;
        }
    }
    EXPECT_EQ(plain.PaletteColor(0), sys.shadow);
    EXPECT_EQ(plain.PaletteColor(255), sys.highlight);

    // Tinting mixes each entry with the colour (low byte of coloring, 100 and above: the colour).
    const std::uint32_t tint = 0x2080F0;
    for (int coloring : {1, 37, 100, 101, 255, 256, 356}) {
        CSkinBitmap tinted;
        GenerateSkin(tinted, 4, 4, SkinLook{2, 0, 0, coloring, 0xF0, 0x80, 0x20}, sys);
        const int p = std::min(coloring & 0xFF, 100);
        for (int i = 0; i < 256; ++i) {
            for (int k = 0; k < 3; ++k) {
                const int expected =
                    (Ch(tint, k) * p + Ch(plain.PaletteColor(i), k) * (100 - p)) / 100;
                ASSERT_EQ(Ch(tinted.PaletteColor(i), k), expected) << coloring << " " << i;
            }
        }
    }
}

TEST(SkinPatterns, BaseValuePlusOneNoiseDrawPerPixel) {
    for (int mode : {-1, 0, 1, 2, 3, 4, 5, 6, 9}) {
        for (Size s : kSizes) {
            for (int g : kGranularities) {
                const size_t pixels = static_cast<size_t>(s.w) * s.h;
                const Generated p = Generate(mode, s, g, 1000u * mode + 7u * g + s.w, pixels);
                ASSERT_EQ(p.b.Width(), s.w);
                ASSERT_EQ(p.b.Height(), s.h);
                // Rows bottom first, left to right; modes 3 and 5 column by column, bottom up.
                const bool columns = mode == 3 || mode == 5;
                for (int y = 0; y < s.h; ++y) {
                    for (int x = 0; x < s.w; ++x) {
                        const int noise = Noise(p.r[columns ? x * s.h + y : y * s.w + x], g);
                        ASSERT_EQ(At(p.b, x, y), Byte(Base(mode, s.w, s.h, g, x, y) + noise))
                            << "mode " << mode << " " << s.w << "x" << s.h << " g " << g << " at "
                            << x << "," << y;
                    }
                }
                EXPECT_EQ(p.next, p.r[pixels]); // one draw per pixel
            }
        }
    }
}

TEST(SkinPatterns, NoiseAndCornerTubeBounds) {
    // Noise stays within -g..g+1; the corner tube stays within g..255-g before its noise.
    for (int g = 0; g <= 127; g += 9) {
        const Generated flat = Generate(0, {40, 30}, g, g, 0);
        const Generated corner = Generate(6, {40, 30}, g, g, 1200);
        for (int i = 0; i < 1200; ++i) {
            const int v = At(flat.b, i % 40, i / 40) - 128;
            ASSERT_TRUE(v >= -g && v <= g + 1) << g;
            const int base = Byte(At(corner.b, i % 40, i / 40) - Noise(corner.r[i], g));
            ASSERT_TRUE(base >= g && base <= 255 - g) << g;
        }
    }
}

TEST(SkinPatterns, BevelledTube) {
    for (Size s : kSizes) {
        for (int g : kGranularities) {
            const int W = s.w;
            const int H = s.h;
            const size_t pixels = static_cast<size_t>(W) * H;
            const Generated p = Generate(7, s, g, 77u + g, 2 * pixels);
            // One row high: no bevel pass (it divides by H * H / 4), one draw per pixel.
            const bool bevels = H >= 2;
            const int h = std::min(W / 6, 16);
            for (int y = 0; y < H; ++y) {
                const int t =
                    bevels ? (h * (y - H / 2) * (y - H / 2)) / (H * H / 4) - h + W / 2 : 0;
                for (int x = 0; x < W; ++x) {
                    const int d = x - W / 2;
                    long long v = Base(7, W, H, g, x, y) + Noise(p.r[y * W + x], g);
                    if (bevels) {
                        if (d > t)
                            v = Byte(((W - x) * 128) / h) + g;
                        else if (t + d < 0)
                            v = (255 - g) - Byte((x * 128) / h);
                        v += Noise(p.r[pixels + y * W + x], g);
                    }
                    ASSERT_EQ(At(p.b, x, y), Byte(v))
                        << W << "x" << H << " g " << g << " at " << x << "," << y;
                }
            }
            EXPECT_EQ(p.next, p.r[bevels ? 2 * pixels : pixels]);
        }
    }
    // The bevels are widest at the middle row and vanish at the bottom row.
    const Generated p = Generate(7, {200, 100}, 0, 1, 0);
    EXPECT_GE(At(p.b, 0, 50), 254);
    EXPECT_LE(At(p.b, 199, 50), 9);
    EXPECT_NEAR(At(p.b, 0, 0), At(p.b, 100, 0), 1);
}

TEST(SkinScratches, FollowTheirDiagonalsAndStayInsideThePicture) {
    const Size sizes[] = {{1, 1},   {2, 2},     {1, 100},   {100, 1},   {3, 200},
                          {97, 61}, {240, 180}, {40000, 1}, {1, 40000}, {33000, 3}};
    for (Size s : sizes) {
        for (int g : {0, 3, 50, 107, 108, 200, 255}) {
            const int W = s.w;
            const int H = s.h;
            const size_t pixels = static_cast<size_t>(W) * H;
            const Generated p = Generate(8, s, g, 500u + g + W, 800 + pixels);
            // The scratches alone, rows from the top: each runs down-left from its centre and,
            // continuing through the centre, up-right; nothing outside the picture.
            std::vector<int> scratch(pixels, 0);
            for (int i = 0; i < 200; ++i) {
                const int cx = p.r[4 * i] / std::max(1, 32767 / W);
                const int cy = p.r[4 * i + 1] / std::max(1, 32767 / H);
                const int half = p.r[4 * i + 2] / std::max(1, 32767 / std::min(W, H)) / 2;
                for (int k = 0; k < half; ++k) {
                    if (cx - k > 0 && cx - k < W && cy + k < H)
                        scratch[static_cast<size_t>(cy + k) * W + cx - k] = p.r[4 * i + 3] / 819;
                    if (cy - k > 0 && cy - k < H && cx + k < W)
                        scratch[static_cast<size_t>(cy - k) * W + cx + k] = p.r[4 * i + 3] / 819;
                }
            }
            const long long m2 = (255 - g - g - 40) / 2;
            int scratched = 0;
            for (int y = 0; y < H; ++y) {
                for (int x = 0; x < W; ++x) {
                    const int index = scratch[static_cast<size_t>(H - 1 - y) * W + x];
                    scratched += index != 0;
                    const int overlay = Byte(m2 * (W - x) / W + y * m2 / H);
                    const int noise = p.r[800 + y * W + x] / (32767 / std::max(1, 2 * g));
                    ASSERT_EQ(At(p.b, x, y), Byte(index + overlay + noise))
                        << W << "x" << H << " g " << g << " at " << x << "," << y;
                }
                for (int x = W; x < p.b.Stride(); ++x) // row padding stays clear
                    ASSERT_EQ(p.b.Bits()[static_cast<size_t>(y) * p.b.Stride() + x], 0);
            }
            EXPECT_TRUE(W < 97 || H < 61 || scratched > 200);
            EXPECT_EQ(p.next, p.r.back());
        }
    }
}

TEST(SkinSizes, EmptyHugeAndNegativePictures) {
    // Pictures without pixels draw no numbers; refused sizes leave no image; very wide or tall
    // ones keep every division by the size defined (the sanitizers watch).
    const std::pair<Size, bool> cases[] = {
        {{0, 0}, true},     {{0, 50}, true},    {{50, 0}, true},
        {{-1, 10}, false},  {{10, -1}, false},  {{1 << 30, 2}, false},
        {{40000, 2}, true}, {{2, 40000}, true}, {{1 << 30, 1 << 30}, false},
        {{70000, 1}, true}};
    for (int mode = 0; mode <= 9; ++mode) {
        for (const auto& [s, image] : cases) {
            const Generated p = Generate(mode, s, 20, 9, 0);
            EXPECT_EQ(p.b.HasImage(), image) << mode;
            EXPECT_EQ(p.b.Width(), image ? s.w : 0);
            if (!image || s.w == 0 || s.h == 0) {
                EXPECT_EQ(p.next, p.r[0]) << "mode " << mode << " drew numbers";
            }
        }
    }
}

TEST(SkinPatterns, PinnedOutputs) {
    struct Pin {
        int mode, w, h, g;
        unsigned seed;
        unsigned long long hash;
    };
    const Pin pins[] = {
        {0, 420, 330, 100, 42u, 0xC3674FF13BF78104ull},
        {1, 420, 330, 100, 42u, 0x93DE9C36E96006F4ull},
        {2, 420, 330, 100, 42u, 0xD9D84842A3EF43CEull},
        {3, 420, 330, 100, 42u, 0x11AFAEC7ACCD4736ull},
        {4, 420, 330, 100, 42u, 0x70F6ED1408CA3C70ull},
        {5, 420, 330, 100, 42u, 0xD4944DD16249D17Aull},
        {6, 420, 330, 100, 42u, 0xC598B090748A012Full},
        {7, 420, 330, 100, 42u, 0x3EECC3C18C736049ull},
        {8, 420, 330, 100, 42u, 0xE6A01F0E29ACE9AEull},
    };
    for (const Pin& pin : pins) {
        CrtRandom random(pin.seed);
        CSkinBitmap b;
        GenerateSkin(b, pin.w, pin.h, pin.mode, pin.g, 30, 0x204080, kGrey, random);
        unsigned long long hash = 1469598103934665603ull; // FNV-1a over the rows, bottom first
        for (int y = 0; y < b.Height(); ++y) {
            for (int x = 0; x < b.Width(); ++x)
                hash = (hash ^ static_cast<unsigned>(At(b, x, y))) * 1099511628211ull;
        }
        EXPECT_EQ(hash, pin.hash) << "mode " << pin.mode << " " << pin.w << "x" << pin.h;
    }
}
