// The layout of uncompressed BMP files, the rule that gives a saved capture its extension, and
// the writing of a file that replaces an existing one only once it is complete.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

constexpr int kBmpFileHeaderBytes = 14;
constexpr int kBmpInfoHeaderBytes = 40;
constexpr int kBmpHeadersBytes = kBmpFileHeaderBytes + kBmpInfoHeaderBytes; // 54

// The bit count a bitmap is written with: planes x bits per pixel, and 24 above 8 bits (so a
// capture of a true-colour display is written as 24-bit RGB without a colour table).
int BmpBitCount(int planes, int bitsPerPixel);

// Bytes of one pixel row: width x bit count bits, padded to a multiple of 4 bytes.
std::uint32_t BmpRowBytes(int bitCount, int width);

// What the two headers of a file say.
struct BmpLayout {
    int width = 0;
    int height = 0; // positive: the bottom row comes first
    int planes = 1;
    int bitCount = 24;
    std::uint32_t imageSize = 0; // bytes of the pixel rows
    int colours = 0;             // colour table entries, 4 bytes each
};

// Offset of the pixels (54 + 4 x colours) and the whole file's size.
std::uint32_t BmpPixelOffset(const BmpLayout& layout);
std::uint32_t BmpFileSize(const BmpLayout& layout);

// The 14-byte file header followed by the 40-byte information header, little-endian.
std::vector<std::uint8_t> BmpHeaders(const BmpLayout& layout);

// The name a capture is saved under: the chosen path as it is when `extension` (exactly, in
// the given case) occurs in it starting within its first 100 characters, else the path with
// the extension appended. So "shot" becomes "shot.bmp" and "SHOT.BMP" becomes "SHOT.BMP.bmp".
std::string CaptureSaveName(const std::string& path, const std::string& extension);

// Writes a binary file through write() into a temporary file beside path, and moves it over
// path only when every write succeeded; on any failure the temporary file is removed and path
// keeps what it held. False on failure, including a path that cannot be created.
bool WriteBinaryFileReplacing(const std::string& path,
                              const std::function<bool(std::FILE*)>& write);
