// Drawing in the Win32 tests: a memory DC over a top-down 32-bit picture whose pixels are read
// back, and the colours that smoothed text may leave.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/Gdi.h"

struct Canvas {
    Canvas(int width, int height, COLORREF fill) : w(width), h(height) {
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bmp.Attach(
            ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0));
        ::SelectObject(dc, bmp);
        std::fill(px, px + w * h, GetRValue(fill) << 16 | GetGValue(fill) << 8 | GetBValue(fill));
    }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const DWORD v = px[y * w + x];
        return RGB(v >> 16 & 255, v >> 8 & 255, v & 255);
    }
    int Count(const RECT& rc, COLORREF c) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += At(x, y) == c;
        return n;
    }
    std::vector<DWORD> Pixels() const { return (::GdiFlush(), std::vector<DWORD>(px, px + w * h)); }

    int w, h;
    CBitmap bmp; // outlives the DC it is selected into
    CMemDC dc;
    DWORD* px = nullptr;
};

// Whether c lies between a and b in every channel: text in colour a, drawn on b, leaves only such
// pixels, however the rasteriser smooths its edges.
inline bool Between(COLORREF c, COLORREF a, COLORREF b) {
    for (int s : {0, 8, 16}) {
        const int v = c >> s & 255, p = a >> s & 255, q = b >> s & 255;
        if (v < std::min(p, q) || v > std::max(p, q))
            return false;
    }
    return true;
}

// A font whose text is not smoothed: every pixel of its ink has exactly the text colour.
inline HFONT CrispFont() {
    static HFONT font = ::CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                                      NONANTIALIASED_QUALITY, 0, "Tahoma");
    return font;
}
