// CDibImage::Init on any 40-byte header: either a picture whose block, colour table and rows all
// lie inside its one allocation, or an empty image.
#include <cstring>

#include "color/DibImage.h"
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
    FUZZ_CHECK(image.Stride() % 4 == 0);
    FUZZ_CHECK(static_cast<long long>(image.Stride()) * 8 >=
               static_cast<long long>(image.Width()) * bits);
    const auto* block = reinterpret_cast<const std::uint8_t*>(image.Header());
    FUZZ_CHECK(image.ColorTable() == block + 40 && image.Bits() == block + 40 + 4 * palette);
    FUZZ_CHECK(image.BlockSize() ==
               40 + 4u * palette + static_cast<std::size_t>(image.Stride()) * image.Height());
    FUZZ_CHECK(std::memcmp(image.Header(), &header, sizeof header) == 0);
    // Every row's first and last byte lies inside the block: touch them.
    for (int row = 0; row < image.Height(); ++row) {
        std::uint8_t* start = image.RowPointer(row);
        start[0] = 1;
        start[image.Stride() - 1] = 1;
    }
    const std::uint8_t grey[3 * 256] = {};
    image.SetPalette(grey, 256);

    // Built again from its own header (which lies inside the block being replaced).
    const std::size_t blockSize = image.BlockSize();
    FUZZ_CHECK(image.Init(*image.Header()));
    FUZZ_CHECK(image.BlockSize() == blockSize && image.Width() == header.width);
}
