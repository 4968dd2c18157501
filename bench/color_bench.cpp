// Throughput of the colour conversions the editor runs on every edit and mouse move.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/ColorModel.h"

namespace {

// One batch: every hue and saturation at one brightness; the brightness moves per batch.
void BM_HsbToRgb(benchmark::State& state) {
    int brightness = 0;
    for (auto _ : state) {
        std::uint32_t sum = 0;
        for (int hue = 0; hue < 360; ++hue)
            for (int saturation = 0; saturation < 256; ++saturation) {
                const RgbColor rgb = HsbColor{hue, saturation, brightness}.ToRgb();
                sum += static_cast<std::uint32_t>(rgb.red + rgb.green + rgb.blue);
            }
        benchmark::DoNotOptimize(sum);
        brightness = (brightness + 37) & 0xFF;
    }
    state.SetItemsProcessed(state.iterations() * 360 * 256);
}
BENCHMARK(BM_HsbToRgb);

// One batch: every green and blue at one red; the red moves per batch.
void BM_RgbToHsb(benchmark::State& state) {
    int red = 0;
    for (auto _ : state) {
        std::uint32_t sum = 0;
        for (int green = 0; green < 256; ++green)
            for (int blue = 0; blue < 256; ++blue) {
                const HsbColor hsb = RgbColor{red, green, blue}.ToHsb();
                sum += static_cast<std::uint32_t>(hsb.hue + hsb.saturation + hsb.brightness);
            }
        benchmark::DoNotOptimize(sum);
        red = (red + 37) & 0xFF;
    }
    state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BM_RgbToHsb);

} // namespace
