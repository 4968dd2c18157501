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
constexpr char kOverlayTitle[] = "hello";
constexpr int kEscapeHotKey = 1;
// Between the overlay going and the result dialog coming, so the screen repaints first.
constexpr UINT_PTR kResultTimer = 1;
constexpr UINT kResultDelayMs = 100;

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

// Copies the screen's pixels of `area` to `dest` at 0, 0 in bands of about 256 KB. Under Wine
// one read of a whole 1024 x 768 screen takes 20 to 40 ms, and the same pixels read in bands
// 2 to 5 ms; the user waits for this copy before the overlay shows.
void CopyScreenInBands(HDC dest, HDC screen, const RECT& area) {
    const int cx = area.right - area.left, cy = area.bottom - area.top;
    const int rows = std::max(1, 65536 / std::max(cx, 1));
    for (int top = 0; top < cy; top += rows)
        ::BitBlt(dest, 0, top, cx, std::min(rows, cy - top), screen, area.left, area.top + top,
                 SRCCOPY);
}

} // namespace

BEGIN_MESSAGE_MAP(CCaptureOverlay, CWnd)
ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_CLOSE()
ON_MESSAGE(WM_RBUTTONUP, OnRButtonUp)
ON_MESSAGE(WM_HOTKEY, OnHotKey)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CCaptureOverlay::CCaptureOverlay(const CWnd& clipboardOwner) : m_owner(clipboardOwner) {}

CCaptureOverlay::~CCaptureOverlay() {
    if (m_hWnd)
        DestroyWindow();
}

void CCaptureOverlay::Prepare() {
    if (m_hWnd || m_resultOpen)
        return;
    const RECT desktop = VirtualDesktop();
    const int cx = desktop.right - desktop.left, cy = desktop.bottom - desktop.top;
    CClientDC screen(nullptr);
    auto picture = std::make_unique<CCaptureImage>(screen, cx, cy);
    if (!picture->Valid())
        return;
    // A new bitmap's memory is given page by page as it is first written. For a large desktop
    // that is tens of megabytes, and in a virtual machine it can take longer than the copy of
    // the screen itself: done now, the wait hides it, and Show only copies.
    ::PatBlt(picture->Dc(), 0, 0, cx, cy, BLACKNESS);
    ::GdiFlush();
    m_prepared = std::move(picture);
}

void CCaptureOverlay::Show(const SkinScheme& skin) {
    std::unique_ptr<CCaptureImage> picture = std::move(m_prepared);
    if (m_hWnd || m_resultOpen)
        return;
    // Every monitor, those left of or above the primary one too (their coordinates are
    // negative): the overlay's client point (x, y) is the screen's (desktop.left + x, ...).
    m_desktop = VirtualDesktop();
    const int cx = m_desktop.right - m_desktop.left, cy = m_desktop.bottom - m_desktop.top;
    {
        // What the user selects on and captures: the screen now.
        CClientDC screen(nullptr);
        if (!picture || picture->Width() != cx || picture->Height() != cy)
            picture = std::make_unique<CCaptureImage>(screen, cx, cy);
        if (!picture->Valid())
            return;
        CopyScreenInBands(picture->Dc(), screen, m_desktop);
        m_picture = std::move(picture);
    }
    m_skin = skin;
    m_dragging = false;
    // The cross over the frozen screen; the picture covers everything, so no background.
    if (!RegisterWndClass(kOverlayClass, nullptr, ::LoadCursor(nullptr, IDC_CROSS)) ||
        !CreateEx(WS_EX_NOPARENTNOTIFY, kOverlayClass, kOverlayTitle, WS_POPUP, m_desktop.left,
                  m_desktop.top, cx, cy, m_owner.m_hWnd, nullptr)) {
        m_picture.reset();
        return;
    }
    // The overlay never has the keyboard focus: Escape reaches it as a hotkey while it is open,
    // from the moment it shows (showing a window may wait on the display server).
    ::RegisterHotKey(m_hWnd, kEscapeHotKey, 0, VK_ESCAPE);
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_dc = std::make_unique<CClientDC>(m_hWnd);
    ::UpdateWindow(m_hWnd);
}

// The band in the inverting mode: the black outline inverts what is under it and the white
// inside leaves it, so drawing the same band twice removes it.
void CCaptureOverlay::DrawBand(HDC dc) const {
    const RECT& b = m_band;
    if (b.left == b.right && b.top == b.bottom)
        return;
    CSaveDC save(dc);
    ::SetROP2(dc, R2_NOTXORPEN);
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
    ::Rectangle(dc, b.left, b.top, b.right, b.bottom);
}

POINT CCaptureOverlay::OnScreen(POINT pt) const {
    pt.x = std::clamp<LONG>(pt.x, 0, m_desktop.right - m_desktop.left);
    pt.y = std::clamp<LONG>(pt.y, 0, m_desktop.bottom - m_desktop.top);
    return pt;
}

// Hands a copy of the selection to the clipboard; the handle it now owns, or nullptr.
HBITMAP CCaptureOverlay::PutOnClipboard(const RECT& sel, HDC source) const {
    const int w = sel.right - sel.left, h = sel.bottom - sel.top;
    // An empty selection has no bitmap to give; the clipboard keeps what it had.
    if (w <= 0 || h <= 0)
        return nullptr;
    CBitmap image;
    if (!image.CreateCompatibleBitmap(*m_dc, w, h))
        return nullptr;
    {
        CMemDC mem(*m_dc);
        CSelectObject select(mem, image);
        ::BitBlt(mem, 0, 0, w, h, source, sel.left, sel.top, SRCCOPY);
    }
    // Opened for the owner (the tray window, which lives as long as the program): a clipboard
    // emptied without an owner may refuse the data. The same pixels are offered as a DIB too,
    // made only when a program asks for it (RenderFormat): programs outside Wine get images
    // from a DIB only, and others find the format they read most.
    HBITMAP handed = nullptr;
    if (::OpenClipboard(m_owner.m_hWnd)) {
        if (::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, image)) {
            handed = image.Detach();
            ::SetClipboardData(CF_DIB, nullptr);
        }
        ::CloseClipboard();
    }
    return handed;
}

void CCaptureOverlay::TakeCapture() {
    HDC dc = *m_dc;
    // The band goes first; the copy comes from the picture, which never holds it anyway.
    DrawBand(dc);
    RECT sel = m_band;
    if (sel.right < sel.left)
        std::swap(sel.left, sel.right);
    if (sel.bottom < sel.top)
        std::swap(sel.top, sel.bottom);
    const int w = sel.right - sel.left, h = sel.bottom - sel.top;
    // A click without a drag selects nothing: it gives the capture up, as Escape does.
    if (w == 0 || h == 0) {
        DestroyWindow();
        return;
    }
    HDC source = m_picture->Dc();

    // The clipboard first: other programs can paste while our own copy is still being made.
    m_last.displayImage.reset();
    m_last.selection = sel;
    ::OffsetRect(&m_last.selection, m_desktop.left, m_desktop.top); // on the screen
    m_last.clipboardImage = PutOnClipboard(sel, source);
    m_last.displayImage = std::make_unique<CCaptureImage>(dc, w, h, true);
    ::BitBlt(m_last.displayImage->Dc(), 0, 0, w, h, source, sel.left, sel.top, SRCCOPY);

    // The overlay leaves the screen now and the window ends with the result dialog, which comes
    // once the screen under it has repainted.
    ::UnregisterHotKey(m_hWnd, kEscapeHotKey);
    ::ShowWindow(m_hWnd, SW_HIDE);
    m_dc.reset();
    m_picture.reset();
    ::SetTimer(m_hWnd, kResultTimer, kResultDelayMs, nullptr);
}

LRESULT CCaptureOverlay::OnMouseActivate(WPARAM, LPARAM) {
    return MA_NOACTIVATE; // the overlay stays inactive when clicked as well
}

BOOL CCaptureOverlay::OnEraseBkgnd(HDC) {
    return TRUE; // the picture covers everything
}

void CCaptureOverlay::OnPaint() {
    CPaintDC dc(m_hWnd);
    const RECT& r = dc.m_ps.rcPaint;
    if (m_picture)
        ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, m_picture->Dc(), r.left,
                 r.top, SRCCOPY);
    // The repainted part lost its share of the band: it comes back there only.
    if (m_dragging)
        DrawBand(dc);
}

void CCaptureOverlay::OnClose() {
    DestroyWindow();
}

LRESULT CCaptureOverlay::OnRButtonUp(WPARAM, LPARAM) {
    if (m_dc) // the right button gives up the selection
        DestroyWindow();
    return 0;
}

LRESULT CCaptureOverlay::OnHotKey(WPARAM id, LPARAM) {
    if (id == kEscapeHotKey && m_dc) // Escape, while the overlay is open
        DestroyWindow();
    return 0;
}

void CCaptureOverlay::OnLButtonDown(UINT, POINT pt) {
    if (!m_dc)
        return;
    pt = OnScreen(pt);
    m_band = {pt.x, pt.y, pt.x, pt.y};
    m_dragging = true;
}

void CCaptureOverlay::OnLButtonDblClk(UINT flags, POINT pt) {
    // A press soon after the last one at the same place is a press too.
    OnLButtonDown(flags, pt);
}

void CCaptureOverlay::OnMouseMove(UINT, POINT pt) {
    if (!m_dragging || !m_dc)
        return;
    pt = OnScreen(pt);
    DrawBand(*m_dc);
    m_band.right = pt.x;
    m_band.bottom = pt.y;
    DrawBand(*m_dc);
}

void CCaptureOverlay::OnLButtonUp(UINT flags, POINT pt) {
    if (!m_dragging || !m_dc)
        return;
    // Where the button went up ends the selection, whichever move came last before it.
    OnMouseMove(flags, pt);
    m_dragging = false;
    TakeCapture();
}

void CCaptureOverlay::OnTimer(UINT_PTR id) {
    if (id != kResultTimer) {
        Default();
        return;
    }
    ::KillTimer(m_hWnd, kResultTimer);
    m_resultOpen = true;
    {
        CCaptureResultDialog dialog(m_last, m_skin);
        dialog.DoModal();
    }
    // Its window frees the display image; a dialog that never opened must not keep it either.
    m_last.displayImage.reset();
    m_resultOpen = false;
    if (m_hWnd)
        DestroyWindow();
}

void CCaptureOverlay::OnDestroy() {
    if (m_dc)
        ::UnregisterHotKey(m_hWnd, kEscapeHotKey);
    m_dc.reset();
    m_picture.reset();
    m_dragging = false;
    Default();
}

void CCaptureOverlay::RenderFormat(UINT format) {
    HBITMAP image = m_last.clipboardImage;
    BITMAP bm = {};
    if (format != CF_DIB || !image || ::GetObjectA(image, sizeof bm, &bm) != sizeof bm)
        return;
    CClientDC screen(nullptr);
    if (HGLOBAL dib = PackedDib(screen, image, bm.bmWidth, bm.bmHeight);
        dib && !::SetClipboardData(CF_DIB, dib))
        ::GlobalFree(dib);
}

void CCaptureOverlay::RenderAllFormats() {
    if (!m_last.clipboardImage || !::OpenClipboard(m_owner.m_hWnd))
        return;
    // Only while the clipboard still holds our capture.
    if (::GetClipboardOwner() == m_owner.m_hWnd)
        RenderFormat(CF_DIB);
    ::CloseClipboard();
}

void CCaptureOverlay::ForgetClipboardCapture() {
    m_last.clipboardImage = nullptr;
}
