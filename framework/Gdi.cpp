// GDI helpers.
#include "framework/Gdi.h"

#include <cstring>

BOOL CFont::CreateFont(int height, int width, int weight, BYTE charSet, const char* face) {
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfWeight = weight;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(lf);
}

void FillSolidRect(HDC dc, const RECT& rc, COLORREF color) {
    COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void Draw3dRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight) {
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    RECT r;
    ::SetRect(&r, rc.left, rc.top, rc.left + w - 1, rc.top + 1);
    FillSolidRect(dc, r, topLeft);
    ::SetRect(&r, rc.left, rc.top, rc.left + 1, rc.top + h - 1);
    FillSolidRect(dc, r, topLeft);
    ::SetRect(&r, rc.left + w - 1, rc.top, rc.left + w, rc.top + h);
    FillSolidRect(dc, r, bottomRight);
    ::SetRect(&r, rc.left, rc.top + h - 1, rc.left + w, rc.top + h);
    FillSolidRect(dc, r, bottomRight);
}
