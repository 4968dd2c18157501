// CDibImage: a small device-independent bitmap held in one block (header, colour table, rows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/DibHeader.h"

#ifdef _WIN32
// Same declaration as the platform's STRICT handle, so this header needs no system headers.
struct HDC__;
typedef HDC__* HDC;
#endif

class CDibImage {
public:
    // Largest block plus row table a picture may take unless SetMemoryLimit says otherwise.
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t{1} << 30;

    CDibImage() = default;
    virtual ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Builds an uncompressed picture of the given size and bit count, all pixels and colour
    // table entries zero. Returns false, leaving the image empty, when it cannot be made.
    bool Create(int width, int height, int bitCount);

    // Builds a picture described by a header. The header must be the 40-byte kind, one plane,
    // uncompressed, with a positive width and height, 1, 4, 8, 16, 24 or 32 bits and no more
    // colours used than its colour table holds; anything else, a size that does not fit, or a
    // failed allocation leaves the image empty and returns false.
    bool Init(const DibHeader& header);

    // Loads colour-table entries from red, green, blue byte triples: the first
    // min(count, PaletteSize()) entries; the rest keep their colours. Null loads nothing.
    void SetPalette(const std::uint8_t* rgbTriples, std::size_t count);

    // Entries in the colour table: 2, 16 or 256 for 1, 4 or 8 bits, otherwise 0.
    int PaletteSize() const { return m_paletteSize; }

    // Start of pixel row `row`, 0 being the top line of the picture; null when out of range.
    std::uint8_t* RowPointer(int row) const;

    bool IsEmpty() const { return !m_block; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_stride; }
    // Bytes in the block: header, colour table and pixels.
    std::size_t BlockSize() const { return m_blockSize; }
    const DibHeader* Header() const { return m_header; }
    std::uint8_t* ColorTable() const { return m_colorTable; }
    std::uint8_t* Bits() const { return m_bits; }

    // Caps the memory of later pictures; a picture over the cap is refused like a failed
    // allocation.
    void SetMemoryLimit(std::size_t bytes) { m_memoryLimit = bytes; }

    // Releases the picture and leaves the image empty.
    void Release();

    // Bytes per stored row for a width and bit count: rows padded to 4 bytes. -1 when it does
    // not fit an int.
    static std::int64_t StrideFor(std::int64_t width, int bitCount);

#ifdef _WIN32
    // Transfers the w x h part whose top-left corner is (srcX, srcY), counted from the top of
    // the picture, to (x, y) of the device context. An empty image draws nothing.
    bool Draw(HDC dc, int x, int y, int w, int h, int srcX, int srcY) const;
#endif

private:
    std::uint8_t* m_bits = nullptr;       // first stored (bottom) row, inside the block
    DibHeader* m_header = nullptr;        // start of the block
    std::uint8_t* m_colorTable = nullptr; // block + 40: blue, green, red, 0 per entry
    std::unique_ptr<std::uint8_t[]> m_block;
    std::unique_ptr<std::uint8_t*[]> m_rows; // entry i = start of row i counted from the top
    int m_height = 0;
    int m_stride = 0;
    int m_width = 0;
    int m_paletteSize = 0;
    std::size_t m_blockSize = 0;
    std::size_t m_memoryLimit = kDefaultMemoryLimit;
};
