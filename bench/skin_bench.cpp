// Skin generation for every pattern mode, against a floor of one draw and one byte per pixel.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/SkinPainter.h"

namespace {

const SkinSystemColors kSystem = {0x808080, 0xC0C0C0, 0xFFFFFF};

// Typical look of a dialog: some noise and a light tint.
void BM_SkinMode(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const int width = static_cast<int>(state.range(1));
    const int height = static_cast<int>(state.range(2));
    CrtRandom random(42);
    CSkinBitmap bitmap;
    for (auto _ : state) {
        GenerateSkin(bitmap, width, height, mode, 8, 30, 0x204080, kSystem, random);
        benchmark::DoNotOptimize(bitmap.Bits());
        benchmark::ClobberMemory();
    }
}

// The least any mode can cost: the same generator drawn once per pixel, one byte stored.
void BM_SkinFloor(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height);
    CrtRandom random(42);
    for (auto _ : state) {
        for (std::uint8_t& p : pixels)
            p = static_cast<std::uint8_t>(random.Next());
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
}

void SkinArguments(benchmark::internal::Benchmark* b) {
    for (int mode = 0; mode <= 8; ++mode) {
        b->Args({mode, 420, 330});
        b->Args({mode, 240, 180});
    }
}

} // namespace

BENCHMARK(BM_SkinFloor)->Args({420, 330})->Args({240, 180});
BENCHMARK(BM_SkinMode)->Apply(SkinArguments);
