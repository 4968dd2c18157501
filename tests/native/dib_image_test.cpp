// CDibImage: refusal of pictures it cannot hold, a picture made again and the colour table. The
// layout of every picture it makes is the dib_header fuzz target's.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/DibImage.h"

namespace {

bool IsEmptyImage(const CDibImage& image) {
    return image.IsEmpty() && image.Width() == 0 && image.Height() == 0 && image.Stride() == 0 &&
           image.PaletteSize() == 0 && !image.Header() && !image.Bits() && !image.RowPointer(0);
}

} // namespace

TEST(DibImage, RefusesWhatItCannotHold) {
    const struct {
        int width, height, bits;
    } sizes[] = {{0, 10, 8},          {10, 0, 8},         {-4, 10, 8},
                 {10, -4, 8},         {4, 4, 0},          {4, 4, 2},
                 {4, 4, 65544},       {INT32_MAX, 1, 32}, {INT32_MAX, INT32_MAX, 1},
                 {100000, 100000, 32}};
    for (const auto& c : sizes) {
        CDibImage image;
        EXPECT_FALSE(image.Create(c.width, c.height, c.bits)) << c.width << "x" << c.bits;
        EXPECT_TRUE(IsEmptyImage(image));
    }
    // Headers the platform's transfer would read beyond the block or misread: another header
    // size, two planes, compression, more colours used than the table holds.
    const DibHeader headers[] = {{108, 8, 8, 1, 8, 0, 0, 0, 0, 0, 0},
                                 {40, 8, 8, 2, 8, 0, 0, 0, 0, 0, 0},
                                 {40, 8, 8, 1, 8, 1, 0, 0, 0, 0, 0},
                                 {40, 8, 8, 1, 8, 0, 0, 0, 0, 257, 0},
                                 {40, 8, 8, 1, 24, 0, 0, 0, 0, 1, 0}};
    for (const DibHeader& header : headers) {
        CDibImage image;
        ASSERT_TRUE(image.Create(8, 8, 8));
        EXPECT_FALSE(image.Init(header)) << header.size << " " << header.colorsUsed;
        EXPECT_TRUE(IsEmptyImage(image));
    }
}

TEST(DibImage, RecreateReleasesAndFailureLeavesEmpty) {
    // A new picture releases the old one (the sanitizers report leaks), also when it is made from
    // the old one's own header. 20 x 201 x 8 needs a 5 084-byte block and 201 row pointers.
    const std::size_t block = 5084, rows = 201 * sizeof(std::uint8_t*);
    for (std::size_t limit : {block - 1, block, block + rows - 1, block + rows}) {
        CDibImage image;
        ASSERT_TRUE(image.Create(20, 201, 8));
        image.RowPointer(0)[0] = 7;
        image.SetMemoryLimit(limit);
        const bool fits = limit == block + rows;
        EXPECT_EQ(image.Init(*image.Header()), fits) << limit;
        EXPECT_EQ(IsEmptyImage(image), !fits) << limit;
        EXPECT_EQ(fits ? image.RowPointer(0)[0] : 0, 0);
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
    image.SetPalette(triples + 30, 1); // fewer triples load only the first entries
    image.SetPalette(nullptr, 16);
    const std::uint8_t* table = image.ColorTable();
    for (int i = 0; i < 16; ++i) {
        const int k = i == 0 ? 10 : i; // the triple entry i came from
        EXPECT_TRUE(table[4 * i] == 3 * k + 3 && table[4 * i + 1] == 3 * k + 2 &&
                    table[4 * i + 2] == 3 * k + 1 && table[4 * i + 3] == 0)
            << i;
        EXPECT_EQ(image.Bits()[i], 0); // extra triples never spill into the pixels
    }
}
