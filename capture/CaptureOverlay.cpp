// The selection overlay: a picture of the screen taken when it opens, a rubber band dragged
// over it, and the capture copied out of the picture.
#include "capture/CaptureOverlay.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "capture/CaptureResultDialog.h"
#include "capture/LastCapture.h"
#include "core/BmpFile.h"
#include "core/SkinScheme.h"
#include "framework/Gdi.h"

LastCapture g_lastCapture;

CCaptureImage::CCaptureImage(HDC compatible, int w, int h, bool fileLayout)
    : m_dc(compatible), m_width(w), m_height(h) {
    if (!m_dc)
        return;
    // A palette display keeps a device bitmap: its file is written with the system palette.
    if (fileLayout && w > 0 && h > 0 && !(::GetDeviceCaps(compatible, RASTERCAPS) & RC_PALETTE)) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_fileLayout = m_bitmap.GetSafeHandle() != nullptr;
    }
    if (m_bitmap.GetSafeHandle() || m_bitmap.CreateCompatibleBitmap(compatible, w, h))
        m_selection.emplace(m_dc, m_bitmap);
}

namespace {

constexpr char kOverlayClass[] = "paste";
constexpr int kEscapeHotKey = 1;
// Between the overlay going and the result dialog coming, so the screen repaints first.
constexpr UINT kResultDelayMs = 100;

// The one overlay of the process.
struct OverlayState {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::unique_ptr<CClientDC> dc;          // the overlay's own DC, held while it is open
    std::unique_ptr<CCaptureImage> picture; // the screen as it was when the overlay opened
    bool dragging = false;
    RECT band = {}; // press point, then last pointer position; not ordered while dragging
    SkinScheme skin;
    UINT_PTR resultTimer = 0;
    bool resultOpen = false;
};
OverlayState g_overlay;

// The band in the inverting mode: the black outline inverts what is under it and the white
// inside leaves it, so drawing the same band twice removes it.
void DrawBand(HDC dc) {
    const RECT& b = g_overlay.band;
    if (b.left == b.right && b.top == b.bottom)
        return;
    CSaveDC save(dc);
    ::SetROP2(dc, R2_NOTXORPEN);
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
    ::Rectangle(dc, b.left, b.top, b.right, b.bottom);
}

void CALLBACK ShowResult(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    g_overlay.resultTimer = 0;
    g_overlay.resultOpen = true;
    {
        CCaptureResultDialog dialog(g_overlay.skin);
        dialog.DoModal();
    }
    // Its window frees the display image; a dialog that never opened must not keep it either.
    g_lastCapture.displayImage.reset();
    g_overlay.resultOpen = false;
}

// The bitmap (not selected into a DC) as a packed 24-bit DIB in moveable memory, or nullptr.
HGLOBAL PackedDib(HDC dc, HBITMAP bitmap, int w, int h) {
    const BITMAPINFOHEADER header = {sizeof header, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + BmpRowBytes(24, w) * h);
    auto* bytes = mem ? static_cast<BYTE*>(::GlobalLock(mem)) : nullptr;
    if (!bytes) {
        ::GlobalFree(mem);
        return nullptr;
    }
    std::memcpy(bytes, &header, sizeof header);
    const bool read = ::GetDIBits(dc, bitmap, 0, h, bytes + sizeof header,
                                  reinterpret_cast<BITMAPINFO*>(bytes), DIB_RGB_COLORS) == h;
    ::GlobalUnlock(mem);
    if (read)
        return mem;
    ::GlobalFree(mem);
    return nullptr;
}

// Copies the screen's top left cx x cy pixels to `dest` in bands of about 256 KB. Under Wine
// one read of a whole 1024 x 768 screen takes 20 to 40 ms, and the same pixels read in bands
// 2 to 5 ms; the user waits for this copy before the overlay shows.
void CopyScreenInBands(HDC dest, HDC screen, int cx, int cy) {
    const int rows = std::max(1, 65536 / std::max(cx, 1));
    for (int top = 0; top < cy; top += rows)
        ::BitBlt(dest, 0, top, cx, std::min(rows, cy - top), screen, 0, top, SRCCOPY);
}

// Hands a copy of the selection to the clipboard; the handle it now owns, or nullptr.
HBITMAP PutOnClipboard(const RECT& sel, HDC source) {
    const int w = sel.right - sel.left, h = sel.bottom - sel.top;
    // An empty selection has no bitmap to give; the clipboard keeps what it had.
    if (w <= 0 || h <= 0)
        return nullptr;
    CBitmap image;
    if (!image.CreateCompatibleBitmap(*g_overlay.dc, w, h))
        return nullptr;
    {
        CMemDC mem(*g_overlay.dc);
        CSelectObject select(mem, image);
        ::BitBlt(mem, 0, 0, w, h, source, sel.left, sel.top, SRCCOPY);
    }
    // Opened for the owner (the tray window, which lives as long as the program): a clipboard
    // emptied without an owner may refuse the data. The same pixels are offered as a DIB too,
    // made only when a program asks for it (RenderCaptureFormat): programs outside Wine get
    // images from a DIB only, and others find the format they read most.
    HBITMAP handed = nullptr;
    if (::OpenClipboard(g_overlay.owner)) {
        if (::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, image)) {
            handed = image.Detach();
            ::SetClipboardData(CF_DIB, nullptr);
        }
        ::CloseClipboard();
    }
    return handed;
}

void TakeCapture() {
    HDC dc = *g_overlay.dc;
    // The band goes first; the copy comes from the picture, which never holds it anyway.
    DrawBand(dc);
    RECT sel = g_overlay.band;
    if (sel.right < sel.left)
        std::swap(sel.left, sel.right);
    if (sel.bottom < sel.top)
        std::swap(sel.top, sel.bottom);
    const int w = sel.right - sel.left, h = sel.bottom - sel.top;
    HDC source = g_overlay.picture->Dc();

    // The clipboard first: other programs can paste while our own copy is still being made.
    g_lastCapture.displayImage.reset();
    g_lastCapture.selection = sel;
    g_lastCapture.clipboardImage = PutOnClipboard(sel, source);
    g_lastCapture.displayImage = std::make_unique<CCaptureImage>(dc, w, h, true);
    ::BitBlt(g_lastCapture.displayImage->Dc(), 0, 0, w, h, source, sel.left, sel.top, SRCCOPY);

    ::DestroyWindow(g_overlay.window);
    g_overlay.resultTimer = ::SetTimer(nullptr, 0, kResultDelayMs, ShowResult);
}

// The pointer of a mouse message, kept on the screen.
POINT PointerOf(LPARAM lp) {
    POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    pt.x = std::clamp<LONG>(pt.x, 0, ::GetSystemMetrics(SM_CXSCREEN));
    pt.y = std::clamp<LONG>(pt.y, 0, ::GetSystemMetrics(SM_CYSCREEN));
    return pt;
}

void OnPaint(HWND hWnd) {
    CPaintDC dc(hWnd);
    const RECT& r = dc.m_ps.rcPaint;
    if (g_overlay.picture)
        ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_overlay.picture->Dc(),
                 r.left, r.top, SRCCOPY);
    // The repainted part lost its share of the band: it comes back there only.
    if (g_overlay.dragging)
        DrawBand(dc);
}

void OnDestroy(HWND hWnd) {
    ::UnregisterHotKey(hWnd, kEscapeHotKey);
    g_overlay.dc.reset();
    g_overlay.picture.reset();
    g_overlay.dragging = false;
    g_overlay.window = nullptr;
}

} // namespace

void RenderCaptureFormat(UINT format) {
    HBITMAP image = g_lastCapture.clipboardImage;
    BITMAP bm = {};
    if (format != CF_DIB || !image || ::GetObjectA(image, sizeof bm, &bm) != sizeof bm)
        return;
    CClientDC screen(nullptr);
    if (HGLOBAL dib = PackedDib(screen, image, bm.bmWidth, bm.bmHeight);
        dib && !::SetClipboardData(CF_DIB, dib))
        ::GlobalFree(dib);
}

void RenderAllCaptureFormats(HWND owner) {
    if (!g_lastCapture.clipboardImage || !::OpenClipboard(owner))
        return;
    // Only while the clipboard still holds our capture.
    if (::GetClipboardOwner() == owner)
        RenderCaptureFormat(CF_DIB);
    ::CloseClipboard();
}

void ForgetClipboardCapture() {
    g_lastCapture.clipboardImage = nullptr;
}

LRESULT CALLBACK CaptureOverlayProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_MOUSEACTIVATE: // the overlay stays inactive when clicked as well
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1; // the picture covers everything
    case WM_PAINT:
        OnPaint(hWnd);
        return 1;
    case WM_CLOSE:
    case WM_RBUTTONUP: // the right button gives up the selection
        ::DestroyWindow(hWnd);
        return 1;
    case WM_HOTKEY: // Escape, while the overlay is open
        if (wp == kEscapeHotKey)
            ::DestroyWindow(hWnd);
        return 1;
    case WM_LBUTTONDBLCLK: // a press soon after the last one at the same place is a press too
    case WM_LBUTTONDOWN: {
        const POINT pt = PointerOf(lp);
        g_overlay.band = {pt.x, pt.y, pt.x, pt.y};
        g_overlay.dragging = true;
        return 1;
    }
    case WM_MOUSEMOVE:
        if (g_overlay.dragging && g_overlay.dc) {
            const POINT pt = PointerOf(lp);
            DrawBand(*g_overlay.dc);
            g_overlay.band.right = pt.x;
            g_overlay.band.bottom = pt.y;
            DrawBand(*g_overlay.dc);
        }
        return 1;
    case WM_LBUTTONUP:
        if (g_overlay.dragging && g_overlay.dc) {
            g_overlay.dragging = false;
            TakeCapture();
        }
        return 1;
    case WM_DESTROY:
        OnDestroy(hWnd);
        return 1;
    default:
        return ::DefWindowProcA(hWnd, msg, wp, lp);
    }
}

void ShowCaptureOverlay(HWND owner, const SkinScheme& skin) {
    if (g_overlay.window || g_overlay.resultTimer || g_overlay.resultOpen)
        return;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    {
        // What the user selects on and captures: the screen now.
        CClientDC screen(nullptr);
        auto picture = std::make_unique<CCaptureImage>(screen, cx, cy);
        if (!picture->Valid())
            return;
        CopyScreenInBands(picture->Dc(), screen, cx, cy);
        g_overlay.picture = std::move(picture);
    }
    g_overlay.owner = owner;
    g_overlay.skin = skin;

    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = CaptureOverlayProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_CROSS);
    wc.lpszClassName = kOverlayClass;
    ::RegisterClassA(&wc); // fails harmlessly from the second capture on

    g_overlay.window = ::CreateWindowExA(WS_EX_NOPARENTNOTIFY, kOverlayClass, "hello", WS_POPUP, 0,
                                         0, cx, cy, owner, nullptr, instance, nullptr);
    if (!g_overlay.window) {
        g_overlay.picture.reset();
        return;
    }
    ::ShowWindow(g_overlay.window, SW_SHOWNOACTIVATE);
    ::SetWindowPos(g_overlay.window, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    g_overlay.dc = std::make_unique<CClientDC>(g_overlay.window);
    // The overlay never has the keyboard focus: Escape reaches it as a hotkey while it is open.
    ::RegisterHotKey(g_overlay.window, kEscapeHotKey, 0, VK_ESCAPE);
    ::UpdateWindow(g_overlay.window);
}
