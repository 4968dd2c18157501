// CDibImage: layout, allocation and colour table of the portable bitmap.
#include "core/DibImage.h"

#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kHeaderSize = sizeof(DibHeader);

int PaletteSizeFor(int bitCount) {
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

bool IsSupportedBitCount(int bitCount) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

} // namespace

CDibImage::~CDibImage() = default;

std::int64_t CDibImage::StrideFor(std::int64_t width, int bitCount) {
    if (width < 0 || bitCount < 0 || width > std::numeric_limits<std::int32_t>::max())
        return -1;
    const std::int64_t stride = (width * bitCount + 31) / 32 * 4;
    return stride > std::numeric_limits<int>::max() ? -1 : stride;
}

void CDibImage::Release() {
    m_rows.reset();
    m_block.reset();
    m_bits = nullptr;
    m_header = nullptr;
    m_colorTable = nullptr;
    m_height = 0;
    m_stride = 0;
    m_width = 0;
    m_paletteSize = 0;
    m_blockSize = 0;
}

bool CDibImage::Create(int width, int height, int bitCount) {
    Release();
    if (bitCount < 0 || bitCount > 0xFFFF)
        return false;
    DibHeader header{};
    header.size = kHeaderSize;
    header.width = width;
    header.height = height;
    header.planes = 1;
    header.bitCount = static_cast<std::uint16_t>(bitCount);
    return Init(header);
}

bool CDibImage::Init(const DibHeader& source) {
    // The caller's header may live inside this image's own block: copy it before releasing.
    const DibHeader header = source;
    Release();

    const int bitCount = header.bitCount;
    if (header.size != kHeaderSize || header.planes != 1 || header.compression != 0 ||
        header.width <= 0 || header.height <= 0 || !IsSupportedBitCount(bitCount))
        return false;
    const int paletteSize = PaletteSizeFor(bitCount);
    // The platform reads as many colour-table entries as the header says are used.
    if (header.colorsUsed > static_cast<std::uint32_t>(paletteSize))
        return false;

    const std::int64_t stride = StrideFor(header.width, bitCount);
    if (stride < 0)
        return false;
    // Sizes in 64 bits: stride < 2^31 and height < 2^31 keep the product below 2^62.
    const std::uint64_t pixelBytes =
        static_cast<std::uint64_t>(stride) * static_cast<std::uint64_t>(header.height);
    const std::uint64_t blockBytes = kHeaderSize + 4u * paletteSize + pixelBytes;
    const std::uint64_t rowBytes =
        static_cast<std::uint64_t>(header.height) * sizeof(std::uint8_t*);
    const std::uint64_t limit = m_memoryLimit;
    if (blockBytes > limit || rowBytes > limit - blockBytes ||
        blockBytes > std::numeric_limits<std::size_t>::max())
        return false;

    std::unique_ptr<std::uint8_t[]> block(new (std::nothrow)
                                              std::uint8_t[static_cast<std::size_t>(blockBytes)]());
    if (!block)
        return false;
    std::unique_ptr<std::uint8_t*[]> rows(
        new (std::nothrow) std::uint8_t*[static_cast<std::size_t>(header.height)]);
    if (!rows)
        return false; // the block goes with `block`

    m_block = std::move(block);
    m_rows = std::move(rows);
    m_header = new (m_block.get()) DibHeader(header);
    m_colorTable = m_block.get() + kHeaderSize;
    m_bits = m_colorTable + 4 * paletteSize;
    m_width = header.width;
    m_height = header.height;
    m_stride = static_cast<int>(stride);
    m_paletteSize = paletteSize;
    m_blockSize = static_cast<std::size_t>(blockBytes);
    // Rows are stored bottom-up; the table counts from the top line of the picture.
    for (int i = 0; i < m_height; ++i)
        m_rows[i] = m_bits + static_cast<std::size_t>(m_height - 1 - i) * m_stride;
    return true;
}

void CDibImage::SetPalette(const std::uint8_t* rgbTriples, std::size_t count) {
    if (!rgbTriples || !m_colorTable)
        return;
    const std::size_t n = count < static_cast<std::size_t>(m_paletteSize) ? count : m_paletteSize;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t* entry = m_colorTable + 4 * i;
        const std::uint8_t* rgb = rgbTriples + 3 * i;
        entry[0] = rgb[2];
        entry[1] = rgb[1];
        entry[2] = rgb[0];
        entry[3] = 0;
    }
}

std::uint8_t* CDibImage::RowPointer(int row) const {
    if (row < 0 || row >= m_height)
        return nullptr;
    return m_rows[row];
}
