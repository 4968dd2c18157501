// CDibImage::Init on any 40-byte header: either a picture whose block, colour table and rows all
// lie inside its one allocation, or an empty image.
#include <algorithm>
#include <cstring>

#include "core/DibImage.h"
#include "tests/fuzz/FuzzTarget.h"

ZEN_FUZZ_TARGET(dib_header) {
    DibHeader header{};
    std::memcpy(&header, data, size < sizeof header ? size : sizeof header);
    CDibImage image;
    // Pictures up to 256 KB keep each run fast; the size checks that come before any
    // allocation are the same for any cap.
    image.SetMemoryLimit(std::size_t{256} << 10);
    if (!image.Init(header)) {
        FUZZ_CHECK(image.IsEmpty() && image.Width() == 0 && image.Height() == 0);
        FUZZ_CHECK(image.RowPointer(0) == nullptr && image.PaletteSize() == 0);
        return;
    }
    const int bits = header.bitCount;
    const int palette = image.PaletteSize();
    FUZZ_CHECK(palette == (bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0));
    FUZZ_CHECK(image.Width() == header.width && image.Height() == header.height);
    // A stored row is the fewest whole 4-byte words that hold a line.
    const long long lineBits = static_cast<long long>(image.Width()) * bits;
    FUZZ_CHECK(image.Stride() % 4 == 0 && image.Stride() * 8LL >= lineBits &&
               (image.Stride() - 4) * 8LL < lineBits);
    const auto* block = reinterpret_cast<const std::uint8_t*>(image.Header());
    FUZZ_CHECK(image.ColorTable() == block + 40 && image.Bits() == block + 40 + 4 * palette);
    FUZZ_CHECK(image.BlockSize() ==
               40 + 4u * palette + static_cast<std::size_t>(image.Stride()) * image.Height());
    FUZZ_CHECK(std::memcmp(image.Header(), &header, sizeof header) == 0);
    // A new picture is black (colour table and pixels); its rows, counted from the top line, are
    // stored bottom-up, and each one's first and last byte lies inside the block: touch them.
    const auto black = [&] {
        const auto* at = reinterpret_cast<const std::uint8_t*>(image.Header());
        return std::all_of(at + 40, at + image.BlockSize(), [](int b) { return b == 0; });
    };
    FUZZ_CHECK(black() && !image.RowPointer(-1) && !image.RowPointer(image.Height()));
    for (int row = 0; row < image.Height(); ++row) {
        std::uint8_t* start = image.RowPointer(row);
        FUZZ_CHECK(start ==
                   image.Bits() + std::size_t{1} * (image.Height() - 1 - row) * image.Stride());
        start[0] = 1;
        start[image.Stride() - 1] = 1;
    }
    const std::uint8_t grey[3 * 256] = {};
    image.SetPalette(grey, 256);

    // Built again from its own header (which lies inside the block being replaced).
    const std::size_t blockSize = image.BlockSize();
    FUZZ_CHECK(image.Init(*image.Header()));
    FUZZ_CHECK(image.BlockSize() == blockSize && image.Width() == header.width && black());
}
