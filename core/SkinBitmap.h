// An owned device-independent bitmap (header, palette and pixel rows in one block) for skins.
#pragma once

#include <cstdint>
#include <memory>

#include "core/DibHeader.h"

#ifdef _WIN32
struct HDC__;
typedef HDC__* HDC;
#endif

using SkinBitmapHeader = DibHeader;

// Colours are RGB words: 0x00BBGGRR, red in the low byte.
class CSkinBitmap {
public:
    // Pictures larger than this are refused (the bitmap stays empty).
    static constexpr std::uint64_t kMaxBlockBytes = 256u << 20;

    CSkinBitmap() = default;
    CSkinBitmap(const CSkinBitmap&) = delete;
    CSkinBitmap& operator=(const CSkinBitmap&) = delete;
    CSkinBitmap(CSkinBitmap&& other) noexcept;
    CSkinBitmap& operator=(CSkinBitmap&& other) noexcept;

    // Releases any image and allocates a new one; the depth is normalised to 1, 4, 8 or 24 bits.
    // Returns the block, or nullptr (and an empty bitmap) for a negative size, a size too large
    // or a failed allocation. Palette and pixels start at 0.
    std::uint8_t* Create(int width, int height, int bitsPerPixel);
    void Release();

    // Ignored without an image or palette, or for an index beyond the palette.
    void SetPaletteEntry(int index, int red, int green, int blue);
    // y counts from the top. Ignored without an image or palette or outside the picture. At 1 and
    // 4 bits only the low bits of index are stored.
    void SetPixel(int x, int y, int index);
    // Moves every palette entry percent (clamped to 0..100) of the way toward colour.
    void BlendPalette(std::uint32_t colour, int percent);
    // Becomes a copy of other (empty when other is).
    void CopyFrom(const CSkinBitmap& other);
    // Sets every pixel byte to value.
    void Fill(std::uint8_t value);

#ifdef _WIN32
    // Transfers the whole picture 1:1 to x, y of dc. False without an image or a context, or
    // when the transfer fails.
    bool Draw(HDC dc, int x, int y) const;
#endif

    bool HasImage() const {
        return m_block != nullptr;
    }
    // Header and palette: the system's BITMAPINFO. nullptr without an image.
    const void* Info() const {
        return m_block.get();
    }
    // The pixel rows, bottom row first, Stride() bytes apart. nullptr without an image.
    std::uint8_t* Bits();
    const std::uint8_t* Bits() const;

    int Width() const {
        return m_header.width;
    }
    int Height() const {
        return m_header.height;
    }
    int BitCount() const {
        return m_header.bitCount;
    }
    int Stride() const {
        return m_stride;
    }
    int PaletteSize() const {
        return m_paletteSize;
    }

    // Palette entry as an RGB word; 0 for an entry that does not exist.
    std::uint32_t PaletteColor(int index) const;
    // Palette index of a pixel (y from the top); -1 outside the picture or without a palette.
    int GetPixel(int x, int y) const;

private:
    std::uint8_t* Palette() const {
        return m_block.get() + sizeof(SkinBitmapHeader);
    }
    // Byte offset of row y (from the top) in the pixel rows.
    std::size_t RowOffset(int y) const;

    std::unique_ptr<std::uint8_t[]> m_block;
    SkinBitmapHeader m_header{};
    int m_stride = 0;
    std::uint16_t m_paletteSize = 0;
};
