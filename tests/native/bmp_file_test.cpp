// BMP headers of saved captures, the name a capture is saved under, and the replacing write.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/BmpFile.h"

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& b, int at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t Read16(const std::vector<std::uint8_t>& b, int at) {
    return b[at] | b[at + 1] << 8;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(BmpLayout, HeadersOfTrueColourAndPaletteCaptures) {
    struct Case {
        int width, height, planes, bitsPerPixel, colours;
        std::uint32_t bitCount, rowBytes, pixelOffset, fileSize;
    };
    // Rows pad to 4 bytes: 10 x 3 = 30 -> 32; 1 x 3 -> 4; 293 x 3 = 879 -> 880; 8-bit 5 -> 8;
    // 4 planes of 1 bit make 4-bit pixels, 7 x 4 bits -> 4 bytes.
    const Case cases[] = {
        {10, 10, 1, 32, 0, 24, 32, 54, 54 + 320},
        {1, 1, 1, 24, 0, 24, 4, 54, 58},
        {293, 2, 1, 16, 0, 24, 880, 54, 54 + 1760},
        {5, 3, 1, 8, 256, 8, 8, 54 + 1024, 54 + 1024 + 24},
        {7, 2, 4, 1, 16, 4, 4, 54 + 64, 54 + 64 + 8},
        {0, 0, 1, 32, 0, 24, 0, 54, 54},
    };
    for (const Case& c : cases) {
        BmpLayout layout;
        layout.width = c.width;
        layout.height = c.height;
        layout.bitCount = BmpBitCount(c.planes, c.bitsPerPixel);
        layout.imageSize = BmpRowBytes(layout.bitCount, c.width) * c.height;
        layout.colours = c.colours;
        SCOPED_TRACE(c.width);
        EXPECT_EQ(BmpRowBytes(layout.bitCount, c.width), c.rowBytes);
        const std::vector<std::uint8_t> h = BmpHeaders(layout);
        ASSERT_EQ(h.size(), 54u);
        EXPECT_EQ(Read16(h, 0), 0x4D42u);
        EXPECT_EQ(Read32(h, 2), c.fileSize);
        EXPECT_EQ(Read32(h, 6), 0u); // both reserved words
        EXPECT_EQ(Read32(h, 10), c.pixelOffset);
        EXPECT_EQ(Read32(h, 14), 40u);
        EXPECT_EQ(Read32(h, 18), static_cast<std::uint32_t>(c.width));
        EXPECT_EQ(Read32(h, 22), static_cast<std::uint32_t>(c.height));
        EXPECT_EQ(Read16(h, 26), 1u);
        EXPECT_EQ(Read16(h, 28), c.bitCount);
        EXPECT_EQ(Read32(h, 30), 0u);
        EXPECT_EQ(Read32(h, 34), c.rowBytes * c.height);
        for (int at = 38; at < 54; at += 4)
            EXPECT_EQ(Read32(h, at), 0u) << at;
    }
}

TEST(CaptureSaveName, ExtensionWithinTheFirstHundredCharactersKeepsThePath) {
    const std::string long98(98, 'a'), long99(99, 'a'), long100(100, 'a');
    struct Case {
        std::string path, ext, saved;
    };
    const Case cases[] = {
        {"C:\\shots\\shot", ".bmp", "C:\\shots\\shot.bmp"},
        {"C:\\shots\\shot.bmp", ".bmp", "C:\\shots\\shot.bmp"},
        {"C:\\shots\\SHOT.BMP", ".bmp", "C:\\shots\\SHOT.BMP.bmp"},
        {"C:\\shots\\capture.bmp.txt", ".bmp", "C:\\shots\\capture.bmp.txt"},
        {"C:\\old.bmp\\shot", ".bmp", "C:\\old.bmp\\shot"},
        {long99 + ".bmp", ".bmp", long99 + ".bmp"},       // starts at 99
        {long100 + ".bmp", ".bmp", long100 + ".bmp.bmp"}, // starts at 100
        {long98 + ".bmp" + long100 + ".bmp", ".bmp", long98 + ".bmp" + long100 + ".bmp"},
        {"C:\\shot", ".png", "C:\\shot.png"},
        {"C:\\shot.bmp", ".png", "C:\\shot.bmp.png"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptureSaveName(c.path, c.ext), c.saved) << c.path;
}

// The replacing write behind every saved file: the bytes exactly as given, or the old file when
// anything fails, and no temporary file either way.
TEST(ReplacingWrite, TheNewBytesWholeOrTheOldFile) {
    namespace fs = std::filesystem;
    const std::string path = ::testing::TempDir() + "zen_replace.bmp", temp = path + ".tmp";
    const std::string folder = ::testing::TempDir() + "zen_replace_folder.bmp";
    const auto write = [](const std::string& to, const std::string& bytes, bool ok = true) {
        return WriteBinaryFileReplacing(to, [&](std::FILE* f) {
            return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && ok;
        });
    };
    fs::remove_all(temp); // folders left over from a run that stopped half-way
    fs::remove_all(folder);
    std::ofstream(path, std::ios::binary) << "old content";
    EXPECT_FALSE(write(path, "half", false)); // the writer fails
    EXPECT_FALSE(fs::exists(temp));
    ASSERT_TRUE(fs::create_directory(temp)); // the temporary file cannot be made
    EXPECT_FALSE(write(path, "new"));
    fs::remove(temp);
    EXPECT_EQ(ReadAll(path), "old content");
    // A folder cannot be replaced, nor a file made in a folder that does not exist.
    ASSERT_TRUE(fs::create_directory(folder));
    EXPECT_FALSE(write(folder, "new"));
    EXPECT_FALSE(fs::exists(folder + ".tmp"));
    fs::remove(folder);
    EXPECT_FALSE(write(folder + "/shot.bmp", "new"));
    const std::string bytes("BM\n\r\n\0\x1a\xff", 8); // no text-mode translation
    EXPECT_TRUE(write(path, bytes));
    EXPECT_EQ(ReadAll(path), bytes);
    EXPECT_FALSE(fs::exists(temp));
    fs::remove(path);
}

} // namespace
