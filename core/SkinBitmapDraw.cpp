// Drawing skin bitmaps on a device context, and the system colours their palettes start from.
#include <windows.h>

#include "core/SkinBitmap.h"
#include "core/SkinPainter.h"

bool CSkinBitmap::Draw(HDC dc, int x, int y) const {
    if (!m_block || !dc)
        return false;
    if (Width() == 0 || Height() == 0)
        return true; // nothing to transfer
    SetStretchBltMode(dc, COLORONCOLOR);
    const int lines = SetDIBitsToDevice(dc, x, y, Width(), Height(), 0, 0, 0, Height(), Bits(),
                                        static_cast<const BITMAPINFO*>(Info()), DIB_RGB_COLORS);
    return lines != 0;
}

SkinSystemColors CurrentSkinSystemColors() {
    return {GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DHILIGHT)};
}
