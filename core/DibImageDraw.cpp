// CDibImage::Draw: the picture's transfer to a device context.
#include <windows.h>

#include <cstddef>

#include "core/DibImage.h"

static_assert(sizeof(BITMAPINFOHEADER) == sizeof(DibHeader), "header layouts differ");
static_assert(offsetof(BITMAPINFOHEADER, biBitCount) == offsetof(DibHeader, bitCount),
              "header layouts differ");
static_assert(offsetof(BITMAPINFOHEADER, biClrUsed) == offsetof(DibHeader, colorsUsed),
              "header layouts differ");

bool CDibImage::Draw(HDC dc, int x, int y, int w, int h, int srcX, int srcY) const {
    if (IsEmpty() || !dc || w <= 0 || h <= 0)
        return false;
    // The transfer counts source rows from the bottom of the stored picture.
    const int srcYFromBottom = m_height - h - srcY;
    return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(w), static_cast<DWORD>(h), srcX,
                             srcYFromBottom, 0, static_cast<UINT>(m_height), m_bits,
                             reinterpret_cast<const BITMAPINFO*>(m_header), DIB_RGB_COLORS) != 0;
}
