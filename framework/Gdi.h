// RAII owners for device contexts and GDI objects: every object made is
// deleted exactly once, every selection is undone, stock objects are never
// deleted.
#pragma once

#include <windows.h>

#include <utility>

// An owned GDI object of one kind (pen, brush, font, bitmap).
template <class H> class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(H h) : m_h(h) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& o) noexcept {
        if (this != &o) {
            DeleteObject();
            m_h = std::exchange(o.m_h, nullptr);
        }
        return *this;
    }
    operator H() const { return m_h; }
    H GetSafeHandle() const { return m_h; }
    void Attach(H h) {
        DeleteObject();
        m_h = h;
    }
    H Detach() { return std::exchange(m_h, nullptr); }
    void DeleteObject() {
        if (m_h)
            ::DeleteObject(m_h);
        m_h = nullptr;
    }

protected:
    H m_h = nullptr;
};

class CPen : public CGdiObject<HPEN> {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { m_h = ::CreatePen(style, width, color); }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { m_h = ::CreateSolidBrush(color); }
};

class CFont : public CGdiObject<HFONT> {
public:
    CFont() = default;
    // CreateFont with the common defaults for the rest.
    BOOL CreateFont(int height, int width, int weight, BYTE charSet, const char* face);
    BOOL CreateFontIndirect(const LOGFONTA& lf) {
        Attach(::CreateFontIndirectA(&lf));
        return m_h != nullptr;
    }
};

class CBitmap : public CGdiObject<HBITMAP> {
public:
    CBitmap() = default;
    BOOL LoadBitmap(UINT id) {
        Attach(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        return m_h != nullptr;
    }
    BOOL CreateCompatibleBitmap(HDC dc, int w, int h) {
        Attach(::CreateCompatibleBitmap(dc, w, h));
        return m_h != nullptr;
    }
};

// Selects an object into a DC and puts the previous one back when it ends.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
    ~CSelectObject() {
        if (m_old && m_old != HGDI_ERROR)
            ::SelectObject(m_dc, m_old);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Saves a borrowed DC's state and restores it when it ends.
class CSaveDC {
public:
    explicit CSaveDC(HDC dc) : m_dc(dc), m_state(::SaveDC(dc)) {}
    ~CSaveDC() {
        if (m_state)
            ::RestoreDC(m_dc, m_state);
    }
    CSaveDC(const CSaveDC&) = delete;
    CSaveDC& operator=(const CSaveDC&) = delete;

private:
    HDC m_dc;
    int m_state;
};

class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd) { m_dc = ::BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    operator HDC() const { return m_dc; }
    PAINTSTRUCT m_ps = {};

private:
    HWND m_hwnd;
    HDC m_dc;
};

// GetDC/ReleaseDC of a window's client area (or of the screen).
class CClientDC {
public:
    explicit CClientDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~CClientDC() {
        if (m_dc)
            ::ReleaseDC(m_hwnd, m_dc);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// A memory DC compatible with another (or with the screen).
class CMemDC {
public:
    explicit CMemDC(HDC compatible = nullptr) : m_dc(::CreateCompatibleDC(compatible)) {}
    ~CMemDC() {
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};

// Draws a one-pixel 3-D rectangle: top and left in one colour, bottom and
// right in the other.
void Draw3dRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight);
void FillSolidRect(HDC dc, const RECT& rc, COLORREF color);
