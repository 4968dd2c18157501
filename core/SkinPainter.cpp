// Skin picture generation: palette from the system colours, then one of the pattern modes.
#include "core/SkinPainter.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// The same for n = 0..16, for sixteen draws side by side.
struct Jumps {
    u32 a[17];
    u32 c[17];
};
constexpr Jumps MakeJumps() {
    Jumps j{};
    j.a[0] = 1;
    for (int n = 1; n <= 16; ++n) {
        j.a[n] = j.a[n - 1] * kA1;
        j.c[n] = j.c[n - 1] * kA1 + kC1;
    }
    return j;
}
constexpr Jumps kJumps = MakeJumps();

#ifdef __SSE2__
// Four 32-bit lanes: a * b in each, the low 32 bits of the product (SSE2 multiplies only the
// even lanes into 64 bits).
inline __m128i MulLanes(__m128i a, __m128i b) {
    const __m128i even = _mm_mul_epu32(a, b);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
}

// Four lanes: (v * m) >> 32 in each, for v and m of 32 bits.
inline __m128i MulHighLanes(__m128i v, __m128i m) {
    const __m128i even = _mm_srli_epi64(_mm_mul_epu32(v, m), 32);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(v, 32), m);
    return _mm_or_si128(even, _mm_and_si128(odd, _mm_set_epi32(-1, 0, -1, 0)));
}
#endif

// The noise of consecutive draws, value / divisor + bias for each draw value 0..32767.
// Four draws are derived from one state at a time so they do not wait on each other, and the
// division by the fixed divisor is a multiplication: with 2^shift >= 32768 * divisor and
// multiplier = 2^shift / divisor + 1, (value * multiplier) >> shift equals value / divisor for
// every value below 32768, and the product fits 32 bits.
class NoiseStream {
public:
    NoiseStream(CrtRandom& random, int divisor, int bias)
        : m_random(random), m_state(random.State()) {
        int bits = 0;
        while ((divisor >> bits) != 0)
            ++bits;
        const int shift = 15 + bits;
        m_noise.multiplier =
            static_cast<u32>((std::uint64_t{1} << shift) / static_cast<u32>(divisor) + 1);
        m_noise.shift = shift + 16;
        m_noise.reciprocal = static_cast<u32>(
            ((std::uint64_t{1} << 32) + static_cast<u32>(divisor) - 1) / static_cast<u32>(divisor));
        m_noise.bias = static_cast<u32>(bias);
    }
    ~NoiseStream() { m_random.SetState(m_state); }

    NoiseStream(const NoiseStream&) = delete;
    NoiseStream& operator=(const NoiseStream&) = delete;

    // out[i * step] = value(i) + noise for i = 0..n-1, drawing in that order.
    template <typename Value> void Run(std::uint8_t* out, std::ptrdiff_t step, int n, Value value) {
        const Noise noise = m_noise; // a local: the byte stores below could alias a member
        u32 s = m_state;
        int i = 0;
        for (; i + 4 <= n; i += 4) {
            const u32 s1 = s * kA1 + kC1;
            const u32 s2 = s * kA2 + kC2;
            const u32 s3 = s * kA3 + kC3;
            const u32 s4 = s * kA4 + kC4;
            out[i * step] = Byte(value(i) + noise(s1));
            out[(i + 1) * step] = Byte(value(i + 1) + noise(s2));
            out[(i + 2) * step] = Byte(value(i + 2) + noise(s3));
            out[(i + 3) * step] = Byte(value(i + 3) + noise(s4));
            s = s4;
        }
        for (; i < n; ++i) {
            s = s * kA1 + kC1;
            out[i * step] = Byte(value(i) + noise(s));
        }
        m_state = s;
    }

    // Two streams of the same divisor side by side: out[i] = value + this stream's noise +
    // other's noise, for i = 0..n-1, each stream drawing in that order.
    void RunBeside(NoiseStream& other, std::uint8_t* out, int n, u32 value) {
        const Noise noise = m_noise; // the other's but for its bias
        const u32 base = value + m_noise.bias + other.m_noise.bias;
        u32 s = m_state;
        u32 t = other.m_state;
        int i = 0;
#ifdef __SSE2__
        // Sixteen draws of each stream at a time, four in each of four vector registers.
        if (n >= 16) {
            __m128i sl[4];
            __m128i tl[4];
            for (int r = 0; r < 4; ++r) {
                const u32* a = kJumps.a + 4 * r + 1;
                const u32* c = kJumps.c + 4 * r + 1;
                const __m128i av = _mm_setr_epi32(static_cast<int>(a[0]), static_cast<int>(a[1]),
                                                  static_cast<int>(a[2]), static_cast<int>(a[3]));
                const __m128i cv = _mm_setr_epi32(static_cast<int>(c[0]), static_cast<int>(c[1]),
                                                  static_cast<int>(c[2]), static_cast<int>(c[3]));
                sl[r] = _mm_add_epi32(MulLanes(_mm_set1_epi32(static_cast<int>(s)), av), cv);
                tl[r] = _mm_add_epi32(MulLanes(_mm_set1_epi32(static_cast<int>(t)), av), cv);
            }
            const __m128i a16 = _mm_set1_epi32(static_cast<int>(kJumps.a[16]));
            const __m128i c16 = _mm_set1_epi32(static_cast<int>(kJumps.c[16]));
            const __m128i reciprocal = _mm_set1_epi32(static_cast<int>(noise.reciprocal));
            const __m128i draw = _mm_set1_epi32(0x7FFF);
            const __m128i baseLanes = _mm_set1_epi32(static_cast<int>(base));
            const __m128i low = _mm_set1_epi32(0xFF);
            for (; i + 16 <= n; i += 16) {
                __m128i sum[4];
                for (int r = 0; r < 4; ++r) {
                    const __m128i qs =
                        MulHighLanes(_mm_and_si128(_mm_srli_epi32(sl[r], 16), draw), reciprocal);
                    const __m128i qt =
                        MulHighLanes(_mm_and_si128(_mm_srli_epi32(tl[r], 16), draw), reciprocal);
                    sum[r] = _mm_and_si128(_mm_add_epi32(_mm_add_epi32(baseLanes, qs), qt), low);
                    sl[r] = _mm_add_epi32(MulLanes(sl[r], a16), c16);
                    tl[r] = _mm_add_epi32(MulLanes(tl[r], a16), c16);
                }
                const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(sum[0], sum[1]),
                                                       _mm_packs_epi32(sum[2], sum[3]));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), bytes);
                s = s * kJumps.a[16] + kJumps.c[16];
                t = t * kJumps.a[16] + kJumps.c[16];
            }
        }
#endif
        for (; i + 4 <= n; i += 4) {
            out[i] = Byte(base + noise.Quotient(s * kA1 + kC1) + noise.Quotient(t * kA1 + kC1));
            out[i + 1] = Byte(base + noise.Quotient(s * kA2 + kC2) + noise.Quotient(t * kA2 + kC2));
            out[i + 2] = Byte(base + noise.Quotient(s * kA3 + kC3) + noise.Quotient(t * kA3 + kC3));
            out[i + 3] = Byte(base + noise.Quotient(s * kA4 + kC4) + noise.Quotient(t * kA4 + kC4));
            s = s * kA4 + kC4;
            t = t * kA4 + kC4;
        }
        for (; i < n; ++i) {
            s = s * kA1 + kC1;
            t = t * kA1 + kC1;
            out[i] = Byte(base + noise.Quotient(s) + noise.Quotient(t));
        }
        m_state = s;
        other.m_state = t;
    }

    // Moves the stream n draws on without drawing them: the step applied n times is the step
    // composed with itself, by powers of two.
    void Skip(std::uint64_t n) {
        u32 a = kA1;
        u32 c = kC1;
        for (; n != 0; n >>= 1) {
            if (n & 1)
                m_state = m_state * a + c;
            c = c * a + c;
            a = a * a;
        }
    }

private:
    // value / divisor + bias of a draw, taken from the state: the draw value is bits 16..30 of
    // it, and multiplying them in place and shifting 16 further gives the same quotient with one
    // step less.
    struct Noise {
        u32 multiplier = 0;
        int shift = 0;
        u32 bias = 0;
        // ceil(2^32 / divisor): (value * reciprocal) >> 32 is value / divisor too, for every
        // value below 32768 and divisor from 2 up.
        u32 reciprocal = 0;
        u32 Quotient(u32 state) const {
            return static_cast<u32>(
                (static_cast<std::uint64_t>(state & 0x7FFF0000u) * multiplier) >> shift);
        }
        u32 operator()(u32 state) const { return Quotient(state) + bias; }
    };

    static std::uint8_t Byte(u32 v) {
        return static_cast<std::uint8_t>(v);
    }

    CrtRandom& m_random;
    u32 m_state;
    Noise m_noise;
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
    // A column's cube and a row's cube each lie in -126..128, so the clamped base value is a
    // function of their sum: one table of every sum serves the whole picture.
    constexpr int kLeast = -256;
    std::uint8_t base[2 * 256 + 1];
    const int factor = 128 - p.g;
    const int low = p.g;
    const int high = 255 - p.g;
    for (int sum = kLeast; sum <= 256; ++sum) {
        int v = sum * factor / 128 + 128;
        v = v < low ? low : v; // raised first: above g = 127 the upper limit wins
        base[sum - kLeast] = static_cast<std::uint8_t>(v > high ? high : v);
    }
    const std::vector<int> column = ColumnCubes(p.W);
    for (int y = 0; y < p.H; ++y) {
        const std::uint8_t* rowBase = base - kLeast + RowCube(y, p.H);
        noise.Run(p.Row(y), 1, p.W, [&](int x) { return static_cast<u32>(rowBase[column[x]]); });
    }
}

void BevelledTube(const Picture& p, CrtRandom& random, int divisor, int bias) {
    const int W = p.W;
    const int H = p.H;
    const int g = p.g;
    const auto firstPass = [&](int y) { return RowCube(y, H) * (64 - g) * 2 / 128 + 128; };
    // The bevels need H * H / 4 > 0: a picture one row high keeps the first pass alone.
    const i64 Q = static_cast<i64>(H) * H / 4;
    if (Q == 0) {
        NoiseStream noise(random, divisor, bias);
        FillRows(p, noise, [&](int, int y) { return firstPass(y); });
        return;
    }

    // Each pass draws one number per pixel in row order: the first pass's noise of pixel i is
    // draw i, the bevel pass's draw W x H + i. Both streams run side by side in one pass over
    // the picture, and the first pass's draws under the bevels, which the bevels replace, are
    // skipped. Destroyed last, `second` leaves the generator after all the draws.
    NoiseStream second(random, divisor, bias);
    second.Skip(static_cast<std::uint64_t>(W) * static_cast<std::uint64_t>(H));
    NoiseStream first(random, divisor, bias);

    const int h = std::min(W / 6, 16);
    const i64 hh = H / 2;
    const i64 w2 = W / 2;
    for (int y = 0; y < H; ++y) {
        std::uint8_t* row = p.Row(y);
        // Left bevel [0, left): x - w2 + t < 0; right bevel [right, W): x - w2 > t, which wins
        // where both hold. With h = 0 (pictures narrower than 6) there are none: t is W / 2.
        int left = 0;
        int right = W;
        if (h > 0) {
            const i64 t = (h * (y - hh) * (y - hh)) / Q - h + w2;
            right = static_cast<int>(std::clamp<i64>(t + w2 + 1, 0, W));
            left = static_cast<int>(std::clamp<i64>(w2 - t, 0, right));
        }
        first.Skip(static_cast<std::uint64_t>(left));
        second.Run(row, 1, left, [&](int x) {
            return static_cast<u32>(
                static_cast<std::uint8_t>((255 - g) - static_cast<std::uint8_t>(x * 128 / h)));
        });
        const u32 middle = static_cast<u32>(firstPass(y));
        first.RunBeside(second, row + left, right - left, middle);
        first.Skip(static_cast<std::uint64_t>(W - right));
        second.Run(row + right, 1, W - right, [&](int i) {
            const i64 x = right + i;
            return static_cast<u32>(
                static_cast<std::uint8_t>(static_cast<std::uint8_t>((W - x) * 128 / h) + g));
        });
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
    if (mode == 7) {
        BevelledTube(p, random, D, -g);
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
