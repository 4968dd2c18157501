// BMP layout and the replacing write of saved captures.
#include "core/BmpFile.h"

#include "core/FileReplace.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Positions counted from 0; the extension must start at or before this one.
constexpr std::size_t kLastExtensionStart = 99;

} // namespace

int BmpBitCount(int planes, int bitsPerPixel) {
    const int bits = planes * bitsPerPixel;
    return bits > 8 ? 24 : bits;
}

std::uint32_t BmpRowBytes(int bitCount, int width) {
    const std::uint64_t bits =
        static_cast<std::uint64_t>(bitCount) * static_cast<std::uint64_t>(width);
    return static_cast<std::uint32_t>(((bits + 31) & ~std::uint64_t{31}) / 8);
}

std::uint32_t BmpPixelOffset(const BmpLayout& layout) {
    return kBmpHeadersBytes + 4u * static_cast<std::uint32_t>(layout.colours);
}

std::uint32_t BmpFileSize(const BmpLayout& layout) {
    return BmpPixelOffset(layout) + layout.imageSize;
}

std::vector<std::uint8_t> BmpHeaders(const BmpLayout& layout) {
    std::vector<std::uint8_t> out;
    out.reserve(kBmpHeadersBytes);
    Put16(out, 0x4D42); // "BM"
    Put32(out, BmpFileSize(layout));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, BmpPixelOffset(layout));
    Put32(out, kBmpInfoHeaderBytes);
    Put32(out, static_cast<std::uint32_t>(layout.width));
    Put32(out, static_cast<std::uint32_t>(layout.height));
    Put16(out, static_cast<std::uint32_t>(layout.planes));
    Put16(out, static_cast<std::uint32_t>(layout.bitCount));
    Put32(out, 0); // uncompressed
    Put32(out, layout.imageSize);
    Put32(out, 0); // resolutions, colours used, important colours
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    return out;
}

std::string CaptureSaveName(const std::string& path, const std::string& extension) {
    const std::size_t at = path.find(extension);
    if (at != std::string::npos && at <= kLastExtensionStart)
        return path;
    return path + extension;
}

bool WriteBinaryFileReplacing(const std::string& path,
                              const std::function<bool(std::FILE*)>& write) {
    return WriteFileReplacing(path, write, "wb");
}
