// The bitmap-information header that starts every device-independent picture
// the program builds (the colour editor's bar and the skin pictures).
#pragma once

#include <cstdint>

// The 40-byte bitmap-information header, laid out as the platform's BITMAPINFOHEADER.
struct DibHeader {
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height; // positive: rows stored bottom-up
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t sizeImage;
    std::int32_t xPelsPerMeter;
    std::int32_t yPelsPerMeter;
    std::uint32_t colorsUsed;
    std::uint32_t colorsImportant;
};
static_assert(sizeof(DibHeader) == 40, "DibHeader must keep the platform's 40-byte layout");
