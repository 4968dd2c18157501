// Skin picture generation: palette from the system colours, then one of the pattern modes.
#include "skin/SkinPainter.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using i64 = std::int64_t;
using u32 = std::uint32_t;

// Generation works directly on the stored rows: row y counts from the bottom (stored first)
// and pixel values wrap modulo 256.

std::uint8_t Channel(std::uint32_t colour, int k) {
    return static_cast<std::uint8_t>(colour >> (8 * k));
}

int Cube(int v) {
    return v * v * v / 128 / 128;
}

// (a * b) / c truncated, without overflow for any picture size.
int MulDiv(i64 a, i64 b, i64 c) {
    return static_cast<int>(a * b / c);
}

void BuildPalette(CSkinBitmap& bitmap, const SkinSystemColors& sys, std::uint32_t colour,
                  int coloring) {
    for (int i = 0; i < 128; ++i) {
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = (Channel(sys.shadow, k) * (128 - i) + Channel(sys.face, k) * i) / 128;
        bitmap.SetPaletteEntry(i, c[0], c[1], c[2]);
    }
    for (int j = 1; j <= 128; ++j) {
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = (Channel(sys.highlight, k) * j + Channel(sys.face, k) * (128 - j)) / 128;
        bitmap.SetPaletteEntry(127 + j, c[0], c[1], c[2]);
    }
    bitmap.BlendPalette(colour, coloring);
}

// Jumps of the generator: n steps from state s give s * kAn + kCn (n = 1..4).
constexpr u32 kA1 = CrtRandom::kMultiplier;
constexpr u32 kC1 = CrtRandom::kIncrement;
constexpr u32 kA2 = kA1 * kA1;
constexpr u32 kC2 = kA1 * kC1 + kC1;
constexpr u32 kA3 = kA1 * kA2;
constexpr u32 kC3 = kA1 * kC2 + kC1;
constexpr u32 kA4 = kA1 * kA3;
constexpr u32 kC4 = kA1 * kC3 + kC1;

// The noise of consecutive draws, value / divisor + bias for each draw value 0..32767.
// Four draws are derived from one state at a time so they do not wait on each other, and the
// division by the fixed divisor is a multiplication: with 2^shift >= 32768 * divisor and
// multiplier = 2^shift / divisor + 1, (value * multiplier) >> shift equals value / divisor for
// every value below 32768, and the product fits 32 bits.
class NoiseStream {
public:
    NoiseStream(CrtRandom& random, int divisor, int bias)
        : m_random(random), m_state(random.State()), m_bias(static_cast<u32>(bias)) {
        int bits = 0;
        while ((divisor >> bits) != 0)
            ++bits;
        m_shift = 15 + bits;
        m_multiplier =
            static_cast<u32>((std::uint64_t{1} << m_shift) / static_cast<u32>(divisor) + 1);
    }
    ~NoiseStream() { m_random.SetState(m_state); }

    NoiseStream(const NoiseStream&) = delete;
    NoiseStream& operator=(const NoiseStream&) = delete;

    // out[i * step] = value(i) + noise for i = 0..n-1, drawing in that order.
    template <typename Value> void Run(std::uint8_t* out, std::ptrdiff_t step, int n, Value value) {
        u32 s = m_state;
        int i = 0;
        for (; i + 4 <= n; i += 4) {
            const u32 s1 = s * kA1 + kC1;
            const u32 s2 = s * kA2 + kC2;
            const u32 s3 = s * kA3 + kC3;
            const u32 s4 = s * kA4 + kC4;
            out[i * step] = Byte(value(i) + Noise(s1));
            out[(i + 1) * step] = Byte(value(i + 1) + Noise(s2));
            out[(i + 2) * step] = Byte(value(i + 2) + Noise(s3));
            out[(i + 3) * step] = Byte(value(i + 3) + Noise(s4));
            s = s4;
        }
        for (; i < n; ++i) {
            s = s * kA1 + kC1;
            out[i * step] = Byte(value(i) + Noise(s));
        }
        m_state = s;
    }

private:
    static std::uint8_t Byte(u32 v) { return static_cast<std::uint8_t>(v); }
    u32 Noise(u32 state) const {
        return ((((state >> 16) & 0x7FFF) * m_multiplier) >> m_shift) + m_bias;
    }

    CrtRandom& m_random;
    u32 m_state;
    u32 m_bias;
    u32 m_multiplier = 0;
    int m_shift = 0;
};

struct Picture {
    std::uint8_t* bits;
    std::ptrdiff_t stride;
    int W, H, g;

    std::uint8_t* Row(int y) const { return bits + y * stride; }
};

// Every pixel of row y (from the bottom) gets base(x, y) and one noise draw, rows in order.
template <typename Base> void FillRows(const Picture& p, NoiseStream& noise, Base base) {
    for (int y = 0; y < p.H; ++y)
        noise.Run(p.Row(y), 1, p.W, [&](int x) { return static_cast<u32>(base(x, y)); });
}

// Every pixel of column x gets base(x) and one noise draw, columns in order, bottom to top.
template <typename Base> void FillColumns(const Picture& p, NoiseStream& noise, Base base) {
    for (int x = 0; x < p.W; ++x) {
        const u32 value = static_cast<u32>(base(x));
        noise.Run(p.bits + x, p.stride, p.H, [value](int) { return value; });
    }
}

// cube(((W - x) * 255) / W - 127) for every column.
std::vector<int> ColumnCubes(int W) {
    std::vector<int> cubes(W);
    for (int x = 0; x < W; ++x)
        cubes[x] = Cube(MulDiv(W - x, 255, W) - 127);
    return cubes;
}

int RowCube(int y, int H) {
    return Cube(MulDiv(y, 255, H) - 127);
}

void Diagonal(const Picture& p, NoiseStream& noise) {
    const int h = (255 - 2 * p.g) / 2;
    std::vector<int> column(p.W);
    for (int x = 0; x < p.W; ++x)
        column[x] = MulDiv(h, p.W - x, p.W) + p.g;
    for (int y = 0; y < p.H; ++y) {
        const int row = MulDiv(y, h, p.H);
        noise.Run(p.Row(y), 1, p.W, [&](int x) { return static_cast<u32>(column[x] + row); });
    }
}

void CornerTube(const Picture& p, NoiseStream& noise) {
    const std::vector<int> column = ColumnCubes(p.W);
    const int factor = 128 - p.g;
    const int low = p.g;
    const int high = 255 - p.g;
    // The base values of a row first, in a loop simple enough to run in vector registers.
    std::vector<int> base(p.W);
    for (int y = 0; y < p.H; ++y) {
        const int row = RowCube(y, p.H);
        for (int x = 0; x < p.W; ++x) {
            int v = (column[x] + row) * factor / 128 + 128;
            v = v < low ? low : v;
            base[x] = v > high ? high : v;
        }
        noise.Run(p.Row(y), 1, p.W, [&](int x) { return static_cast<u32>(base[x]); });
    }
}

void BevelledTube(const Picture& p, NoiseStream& noise) {
    const int W = p.W;
    const int H = p.H;
    const int g = p.g;
    FillRows(p, noise, [&](int, int y) { return RowCube(y, H) * (64 - g) * 2 / 128 + 128; });

    // The bevels need H * H / 4 > 0: a picture one row high keeps the first pass alone.
    const i64 Q = static_cast<i64>(H) * H / 4;
    if (Q == 0)
        return;
    const int h = std::min(W / 6, 16);
    const i64 hh = H / 2;
    const i64 w2 = W / 2;
    for (int y = 0; y < H; ++y) {
        std::uint8_t* row = p.Row(y);
        // With h = 0 (pictures narrower than 6) no pixel is inside a bevel: t is W / 2.
        if (h > 0) {
            const i64 t = (h * (y - hh) * (y - hh)) / Q - h + w2;
            // Right bevel: x - w2 > t. Left bevel: x - w2 + t < 0 (and not right).
            const i64 rightFrom = std::max<i64>(0, t + w2 + 1);
            const i64 leftTo = std::min<i64>(W, w2 - t);
            for (i64 x = rightFrom; x < W; ++x)
                row[x] =
                    static_cast<std::uint8_t>(static_cast<std::uint8_t>((W - x) * 128 / h) + g);
            for (i64 x = 0; x < leftTo && x < rightFrom; ++x)
                row[x] =
                    static_cast<std::uint8_t>((255 - g) - static_cast<std::uint8_t>(x * 128 / h));
        }
        noise.Run(row, 1, W, [row](int x) { return static_cast<u32>(row[x]); });
    }
}

void Scratches(const Picture& p, CrtRandom& random, int divisor) {
    const int W = p.W;
    const int H = p.H;
    // The picture starts at index 0 (Create clears it). Scratches go from upper right to lower
    // left through a random centre; rows here count from the top. Beyond 32767 pixels a side
    // the step is 1, so a centre stays on the first 32768 columns or rows.
    const int m = std::min(W, H);
    const int stepX = std::max(1, 32767 / W);
    const int stepY = std::max(1, 32767 / H);
    const int stepLen = std::max(1, 32767 / m);
    for (int i = 0; i < 200; ++i) {
        const int cx = random.Next() / stepX;
        const int cy = random.Next() / stepY;
        const int half = random.Next() / stepLen / 2;
        const auto k0 = static_cast<std::uint8_t>(random.Next() / 819);
        // Down-left run: pixel (cx - k, cy + k) while cx - k > 0 and cy + k < H. The second run
        // continues the line through the centre, up-right: (cx + k, cy - k) while cy - k > 0
        // and cx + k < W. Both are clipped to the picture.
        const int firstFrom = std::max(0, cx - W + 1);
        const int firstTo = std::min({half, cx, H - cy});
        for (int k = firstFrom; k < firstTo; ++k)
            p.Row(H - 1 - (cy + k))[cx - k] = k0;
        const int secondFrom = std::max(0, cy - H + 1);
        const int secondTo = std::min({half, cy, W - cx});
        for (int k = secondFrom; k < secondTo; ++k)
            p.Row(H - 1 - (cy - k))[cx + k] = k0;
    }

    // Overlay: a diagonal gradient and noise without the negative half.
    const int m2 = (255 - p.g - p.g - 40) / 2;
    std::vector<std::uint8_t> column(W);
    for (int x = 0; x < W; ++x)
        column[x] = static_cast<std::uint8_t>(MulDiv(m2, W - x, W));
    NoiseStream noise(random, divisor, 0);
    for (int y = 0; y < H; ++y) {
        std::uint8_t* row = p.Row(y);
        const u32 rowTerm = static_cast<u32>(MulDiv(y, m2, H));
        noise.Run(row, 1, W, [&](int x) { return row[x] + column[x] + rowTerm; });
    }
}

} // namespace

std::uint32_t SkinLookColor(const SkinLook& look) {
    return (look.red & 0xFF) | (look.green & 0xFF) << 8 | (look.blue & 0xFF) << 16;
}

void GenerateSkin(CSkinBitmap& bitmap, int width, int height, const SkinLook& look,
                  const SkinSystemColors& system, CrtRandom& random) {
    GenerateSkin(bitmap, width, height, look.mode, look.granularity & 0xFF, look.coloring & 0xFF,
                 SkinLookColor(look), system, random);
}

void GenerateSkin(CSkinBitmap& bitmap, int width, int height, int mode, int granularity,
                  int coloring, std::uint32_t colour, const SkinSystemColors& system,
                  CrtRandom& random) {
    if (!bitmap.Create(width, height, 8))
        return;
    BuildPalette(bitmap, system, colour, coloring & 0xFF);
    // An empty picture has nothing to draw (and mode 8 would divide by its size).
    if (width == 0 || height == 0)
        return;

    const int g = granularity & 0xFF;
    const Picture p{bitmap.Bits(), bitmap.Stride(), width, height, g};
    const int W = width;
    const int H = height;
    const int L2 = 255 - 2 * g;
    // noise() = rand() / D - g
    const int D = 32767 / std::max(1, 2 * g);

    if (mode == 8) {
        Scratches(p, random, D);
        return;
    }
    NoiseStream noise(random, D, -g);
    switch (mode) {
    case 1:
        Diagonal(p, noise);
        break;
    case 2:
        FillRows(p, noise, [&](int, int y) { return MulDiv(y, L2, H) + g; });
        break;
    case 3:
        FillColumns(p, noise, [&](int x) { return MulDiv(L2, W - x, W) + g; });
        break;
    case 4: {
        const int factor = 128 - g;
        FillRows(p, noise, [&](int, int y) { return RowCube(y, H) * factor / 128 + 128; });
        break;
    }
    case 5: {
        const std::vector<int> column = ColumnCubes(W);
        FillColumns(p, noise, [&](int x) { return column[x] * (128 - g) / 128 + 128; });
        break;
    }
    case 6:
        CornerTube(p, noise);
        break;
    case 7:
        BevelledTube(p, noise);
        break;
    default:
        FillRows(p, noise, [](int, int) { return 128; });
        break;
    }
}

std::uint32_t MeanRowColor(const CSkinBitmap& bitmap, int x, int y, int count) {
    long long sum[3] = {0, 0, 0};
    long long n = 0;
    const long long end = std::min<long long>(static_cast<long long>(x) + count, INT_MAX);
    for (long long column = x; column < end; ++column) {
        const int index = bitmap.GetPixel(static_cast<int>(column), y);
        if (index < 0)
            continue;
        const std::uint32_t colour = bitmap.PaletteColor(index);
        for (int k = 0; k < 3; ++k)
            sum[k] += Channel(colour, k);
        ++n;
    }
    if (n == 0)
        return 0;
    return static_cast<std::uint32_t>(sum[0] / n) | static_cast<std::uint32_t>(sum[1] / n) << 8 |
           static_cast<std::uint32_t>(sum[2] / n) << 16;
}
