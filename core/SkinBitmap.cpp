// Block layout, palette and pixel access of the skin bitmap.
#include "core/SkinBitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kHeaderBytes = sizeof(SkinBitmapHeader);

int NormalisedDepth(int bitsPerPixel) {
    if (bitsPerPixel < 2)
        return 1;
    if (bitsPerPixel <= 4)
        return 4;
    if (bitsPerPixel < 9)
        return 8;
    return 24;
}

int PaletteEntries(int depth) {
    return depth <= 8 ? 1 << depth : 0;
}

} // namespace

CSkinBitmap::CSkinBitmap(CSkinBitmap&& other) noexcept
    : m_block(std::move(other.m_block)), m_header(other.m_header), m_stride(other.m_stride),
      m_paletteSize(other.m_paletteSize) {
    other.Release();
}

CSkinBitmap& CSkinBitmap::operator=(CSkinBitmap&& other) noexcept {
    if (this != &other) {
        m_block = std::move(other.m_block);
        m_header = other.m_header;
        m_stride = other.m_stride;
        m_paletteSize = other.m_paletteSize;
        other.Release();
    }
    return *this;
}

void CSkinBitmap::Release() {
    m_block.reset();
    m_header = SkinBitmapHeader{};
    m_stride = 0;
    m_paletteSize = 0;
}

std::uint8_t* CSkinBitmap::Create(int width, int height, int bitsPerPixel) {
    Release();
    if (width < 0 || height < 0)
        return nullptr;
    const int depth = NormalisedDepth(bitsPerPixel);
    const int entries = PaletteEntries(depth);
    // 64-bit sizes: width * depth and stride * height cannot overflow for any int input.
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * depth + 31) / 32 * 4;
    const std::uint64_t image = stride * static_cast<std::uint64_t>(height);
    const std::uint64_t total = kHeaderBytes + entries * 4u + image;
    if (total > kMaxBlockBytes)
        return nullptr;
    std::uint8_t* block = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(total)]();
    if (!block)
        return nullptr;
    m_block.reset(block);
    m_header.size = static_cast<std::uint32_t>(kHeaderBytes);
    m_header.width = width;
    m_header.height = height;
    m_header.planes = 1;
    m_header.bitCount = static_cast<std::uint16_t>(depth);
    m_header.sizeImage = static_cast<std::uint32_t>(image);
    m_stride = static_cast<int>(stride);
    m_paletteSize = static_cast<std::uint16_t>(entries);
    std::memcpy(block, &m_header, kHeaderBytes);
    return block;
}

std::uint8_t* CSkinBitmap::Bits() {
    return m_block ? Palette() + m_paletteSize * 4u : nullptr;
}

const std::uint8_t* CSkinBitmap::Bits() const {
    return m_block ? Palette() + m_paletteSize * 4u : nullptr;
}

std::size_t CSkinBitmap::RowOffset(int y) const {
    return static_cast<std::size_t>(m_header.height - 1 - y) * static_cast<std::size_t>(m_stride);
}

void CSkinBitmap::SetPaletteEntry(int index, int red, int green, int blue) {
    if (!m_block || index < 0 || index >= m_paletteSize)
        return;
    std::uint8_t* entry = Palette() + index * 4;
    entry[0] = static_cast<std::uint8_t>(blue);
    entry[1] = static_cast<std::uint8_t>(green);
    entry[2] = static_cast<std::uint8_t>(red);
    entry[3] = 0;
}

std::uint32_t CSkinBitmap::PaletteColor(int index) const {
    if (!m_block || index < 0 || index >= m_paletteSize)
        return 0;
    const std::uint8_t* entry = Palette() + index * 4;
    return entry[2] | entry[1] << 8 | static_cast<std::uint32_t>(entry[0]) << 16;
}

void CSkinBitmap::SetPixel(int x, int y, int index) {
    if (!m_block || m_paletteSize == 0 || x < 0 || x >= m_header.width || y < 0 ||
        y >= m_header.height)
        return;
    std::uint8_t* row = Bits() + RowOffset(y);
    const int depth = m_header.bitCount;
    if (depth == 8) {
        row[x] = static_cast<std::uint8_t>(index);
        return;
    }
    // Packed rows: the leftmost pixel sits in the high bits of its byte.
    const int perByte = 8 / depth;
    const int shift = (perByte - 1 - x % perByte) * depth;
    const int mask = ((1 << depth) - 1) << shift;
    std::uint8_t& byte = row[x / perByte];
    byte = static_cast<std::uint8_t>((byte & ~mask) | ((index << shift) & mask));
}

int CSkinBitmap::GetPixel(int x, int y) const {
    if (!m_block || m_paletteSize == 0 || x < 0 || x >= m_header.width || y < 0 ||
        y >= m_header.height)
        return -1;
    const std::uint8_t* row = Bits() + RowOffset(y);
    const int depth = m_header.bitCount;
    if (depth == 8)
        return row[x];
    const int perByte = 8 / depth;
    const int shift = (perByte - 1 - x % perByte) * depth;
    return (row[x / perByte] >> shift) & ((1 << depth) - 1);
}

void CSkinBitmap::BlendPalette(std::uint32_t colour, int percent) {
    if (!m_block || m_paletteSize == 0)
        return;
    const int p = std::clamp(percent, 0, 100);
    // Entries are stored blue, green, red: pair them with the colour's channels.
    const int target[3] = {static_cast<int>((colour >> 16) & 0xFF),
                           static_cast<int>((colour >> 8) & 0xFF), static_cast<int>(colour & 0xFF)};
    std::uint8_t* entry = Palette();
    for (int i = 0; i < m_paletteSize; ++i, entry += 4) {
        for (int c = 0; c < 3; ++c)
            entry[c] = static_cast<std::uint8_t>((target[c] * p + entry[c] * (100 - p)) / 100);
    }
}

void CSkinBitmap::CopyFrom(const CSkinBitmap& other) {
    if (this == &other)
        return;
    if (!other.m_block) {
        Release();
        return;
    }
    if (!Create(other.Width(), other.Height(), other.BitCount()))
        return;
    const std::size_t bytes =
        kHeaderBytes + m_paletteSize * 4u + static_cast<std::size_t>(m_header.sizeImage);
    std::memcpy(m_block.get(), other.m_block.get(), bytes);
}

void CSkinBitmap::Fill(std::uint8_t value) {
    if (m_block)
        std::memset(Bits(), value, m_header.sizeImage);
}
