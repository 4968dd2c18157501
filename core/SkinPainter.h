// Generates skin pictures: a palette from the system's 3-D colours tinted toward a colour, and
// patterned pixels with noise.
#pragma once

#include <cstdint>

#include "core/CrtRandom.h"
#include "core/SkinBitmap.h"
#include "core/SkinScheme.h"

// The system colours the palette is built from, as RGB words (0x00BBGGRR).
struct SkinSystemColors {
    std::uint32_t shadow;    // 3-D shadow: palette index 0
    std::uint32_t face;      // button face: the middle of the palette
    std::uint32_t highlight; // 3-D highlight: palette index 255
};

// The tint colour of a look as an RGB word, each channel its low 8 bits.
std::uint32_t SkinLookColor(const SkinLook& look);

// Re-creates bitmap as a width x height, 8-bit picture of the given pattern mode (1..8, anything
// else is the plain noise fill). Only the low 8 bits of granularity and coloring count. The noise
// continues random's sequence, one draw per pixel (two in mode 7).
void GenerateSkin(CSkinBitmap& bitmap, int width, int height, int mode, int granularity,
                  int coloring, std::uint32_t colour, const SkinSystemColors& system,
                  CrtRandom& random = ProcessRandom());

// The same for a look of a scheme (its hover blend is not an input).
void GenerateSkin(CSkinBitmap& bitmap, int width, int height, const SkinLook& look,
                  const SkinSystemColors& system, CrtRandom& random = ProcessRandom());

// The mean colour (RGB word, each channel the truncated mean) of count pixels of picture row y
// (from the top), starting at column x: how a scheme's flat sample colour is taken from its
// previewed background. Pixels outside the picture are left out; none at all gives 0.
std::uint32_t MeanRowColor(const CSkinBitmap& bitmap, int x, int y, int count);

#ifdef _WIN32
// The current system colours for the palette.
SkinSystemColors CurrentSkinSystemColors();
#endif
