// CDibImage: block layout, row table, colour table and refusal of pictures it cannot hold.
#include <gtest/gtest.h>

#include <cstdint>

#include "color/DibImage.h"

namespace {

bool IsEmptyImage(const CDibImage& image) {
    return image.IsEmpty() && image.Width() == 0 && image.Height() == 0 && image.Stride() == 0 &&
           image.PaletteSize() == 0 && !image.Header() && !image.Bits() && !image.RowPointer(0);
}

} // namespace

TEST(DibImage, Layout) {
    const struct {
        int width, height, bits, stride, palette;
        std::size_t block;
    } cases[] = {
        {20, 201, 8, 20, 256, 40 + 1024 + 4020},
        {5, 3, 24, 16, 0, 40 + 48},
        {33, 1, 1, 8, 2, 40 + 8 + 8},
        {33, 1, 4, 20, 16, 40 + 64 + 20},
        {32, 2, 1, 4, 2, 40 + 8 + 8},
        {3, 2, 16, 8, 0, 40 + 16},
        {3, 2, 32, 12, 0, 40 + 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << "x" << c.bits);
        CDibImage image;
        ASSERT_TRUE(image.Create(c.width, c.height, c.bits));
        EXPECT_EQ(image.Stride(), c.stride);
        EXPECT_EQ(image.PaletteSize(), c.palette);
        EXPECT_EQ(image.BlockSize(), c.block);
        // One block: header, colour table, pixels to the block's end; rows counted from the top
        // line, which is stored last.
        const auto* block = reinterpret_cast<const std::uint8_t*>(image.Header());
        EXPECT_EQ(image.Bits(), block + 40 + 4 * c.palette);
        EXPECT_EQ(image.RowPointer(0), image.Bits() + (c.height - 1) * c.stride);
        EXPECT_EQ(image.RowPointer(c.height - 1), image.Bits());
        EXPECT_EQ(image.RowPointer(c.height), nullptr);
        EXPECT_EQ(image.RowPointer(-1), nullptr);
        const DibHeader& h = *image.Header();
        EXPECT_TRUE(h.size == 40 && h.width == c.width && h.height == c.height && h.planes == 1 &&
                    h.bitCount == c.bits && h.compression == 0 && h.sizeImage == 0 &&
                    h.xPelsPerMeter == 0 && h.yPelsPerMeter == 0 && h.colorsUsed == 0 &&
                    h.colorsImportant == 0);
        for (std::size_t i = 40; i < image.BlockSize(); ++i) // a new picture starts black
            ASSERT_EQ(block[i], 0) << i;
    }
    CDibImage image;
    ASSERT_TRUE(image.Create(20, 201, 8));
    for (int row = 0; row < 200; ++row)
        ASSERT_EQ(image.RowPointer(row) - image.RowPointer(row + 1), 20) << row;
}

TEST(DibImage, RecreateReleasesThePreviousPicture) {
    // The sanitizer build reports the old block or row table if either leaked.
    CDibImage image;
    ASSERT_TRUE(image.Create(20, 201, 8));
    image.RowPointer(0)[0] = 7;
    ASSERT_TRUE(image.Create(5, 3, 24));
    EXPECT_EQ(image.RowPointer(0), image.Bits() + 2 * 16);
    ASSERT_TRUE(image.Create(20, 201, 8));
    EXPECT_EQ(image.RowPointer(0)[0], 0);
    ASSERT_TRUE(image.Init(*image.Header())); // its own header, read before release
    EXPECT_EQ(image.BlockSize(), 5084u);
    EXPECT_FALSE(image.Create(0, 10, 8)); // a failed Create releases too
    EXPECT_TRUE(IsEmptyImage(image));
}

TEST(DibImage, RefusesWhatItCannotHold) {
    const struct {
        int width, height, bits;
    } sizes[] = {
        {0, 10, 8},
        {10, 0, 8},
        {-4, 10, 8},
        {10, -4, 8},
        {4, 4, 0},
        {4, 4, 2},
        {4, 4, 65544},
        {INT32_MAX, 1, 32},        // a row does not fit an int
        {INT32_MAX, INT32_MAX, 1}, // pixel bytes beyond any address space
        {100000, 100000, 32},      // 40 GB: over the memory limit
    };
    for (const auto& c : sizes) {
        CDibImage image;
        EXPECT_FALSE(image.Create(c.width, c.height, c.bits)) << c.width << "x" << c.bits;
        EXPECT_TRUE(IsEmptyImage(image));
    }
    // Headers the platform's transfer would read beyond the block or misread.
    void (*changes[])(DibHeader&) = {
        [](DibHeader& h) { h.size = 108; },
        [](DibHeader& h) { h.planes = 2; },
        [](DibHeader& h) { h.compression = 1; },
        [](DibHeader& h) { h.compression = 3; },
        [](DibHeader& h) { h.colorsUsed = 257; },
        [](DibHeader& h) {
            h.bitCount = 24;
            h.colorsUsed = 1;
        },
    };
    for (auto change : changes) {
        CDibImage image;
        ASSERT_TRUE(image.Create(8, 8, 8));
        DibHeader header = *image.Header();
        change(header);
        EXPECT_FALSE(image.Init(header));
        EXPECT_TRUE(IsEmptyImage(image));
    }
}

TEST(DibImage, FailedAllocationLeavesAnEmptyImage) {
    // 20 x 201 x 8 needs a 5 084-byte block and a row table of 201 pointers.
    const std::size_t block = 5084, rows = 201 * sizeof(std::uint8_t*);
    for (std::size_t limit : {block - 1, block, block + rows - 1, block + rows}) {
        CDibImage image;
        ASSERT_TRUE(image.Create(4, 4, 8));
        image.SetMemoryLimit(limit);
        const bool fits = limit == block + rows;
        EXPECT_EQ(image.Create(20, 201, 8), fits) << limit;
        EXPECT_EQ(IsEmptyImage(image), !fits) << limit;
        const std::uint8_t rgb[3] = {1, 2, 3};
        image.SetPalette(rgb, 1); // nothing to load into when empty
    }
}

TEST(DibImage, PaletteLoadsBlueGreenRed) {
    CDibImage image;
    ASSERT_TRUE(image.Create(4, 4, 4));
    std::uint8_t triples[20 * 3]; // more triples than the 16 entries
    for (int i = 0; i < 60; ++i)
        triples[i] = static_cast<std::uint8_t>(i + 1);
    image.SetPalette(triples, 20);
    const std::uint8_t* table = image.ColorTable();
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(table[4 * i] == 3 * i + 3 && table[4 * i + 1] == 3 * i + 2 &&
                    table[4 * i + 2] == 3 * i + 1 && table[4 * i + 3] == 0)
            << i;
    for (int i = 0; i < 16; ++i) // extra triples never spill into the pixels
        EXPECT_EQ(image.Bits()[i], 0);
    const std::uint8_t white[3] = {255, 255, 255};
    image.SetPalette(white, 1); // fewer triples load only the first entries
    image.SetPalette(nullptr, 16);
    EXPECT_TRUE(table[0] == 255 && table[2] == 255 && table[3] == 0 && table[4] == 6);
}
