// CCaptureOverlay: the full-screen overlay on which the user drags the rectangle to capture, and
// the last capture it took.
#pragma once

#include <windows.h>

#include <memory>

#include "capture/LastCapture.h"
#include "core/SkinScheme.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

// One object for the program's life, owned by the tray window: the last capture outlives the
// overlay's window and the result dialog, and on the clipboard both.
class CCaptureOverlay : public CWnd {
public:
    // The clipboard's owner after a capture: a window object that lives as long as this one.
    explicit CCaptureOverlay(const CWnd& clipboardOwner);
    ~CCaptureOverlay() override;
    CCaptureOverlay(const CCaptureOverlay&) = delete;
    CCaptureOverlay& operator=(const CCaptureOverlay&) = delete;

    // Freezes the screen under a topmost overlay (class "paste", title "hello") that is not
    // activated, and returns at once. A drag with the left button selects the rectangle; on
    // release it goes to the clipboard as a bitmap, the overlay leaves the screen and, 100 ms
    // later, the result dialog shows it in the given skin. Escape, the right button or a click
    // without a drag closes the overlay without a capture. Nothing happens while an overlay or a
    // result dialog is open.
    void Show(const SkinScheme& skin);
    // Makes the next Show's picture ready while the program waits before it: a bitmap of the
    // desktop's size, written once. Nothing happens while an overlay or a result dialog is open;
    // Show makes its own when the desktop has changed size since.
    void Prepare();

    // The clipboard owner's side of a capture it holds: the DIB format is made when a program
    // asks for it (WM_RENDERFORMAT) or before the owner goes (WM_RENDERALLFORMATS), and the
    // capture's bitmap is forgotten when the clipboard is emptied (WM_DESTROYCLIPBOARD).
    void RenderFormat(UINT format);
    void RenderAllFormats();
    void ForgetClipboardCapture();

protected:
    LRESULT OnMouseActivate(WPARAM, LPARAM);
    BOOL OnEraseBkgnd(HDC dc);
    void OnPaint();
    void OnClose();
    LRESULT OnRButtonUp(WPARAM, LPARAM);
    LRESULT OnHotKey(WPARAM id, LPARAM);
    void OnLButtonDown(UINT flags, POINT pt);
    void OnLButtonDblClk(UINT flags, POINT pt);
    void OnMouseMove(UINT flags, POINT pt);
    void OnLButtonUp(UINT flags, POINT pt);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void DrawBand(HDC dc) const;
    void TakeCapture();
    HBITMAP PutOnClipboard(const RECT& sel, HDC source) const;
    // A point of a mouse message, kept on the desktop.
    POINT OnScreen(POINT pt) const;

    const CWnd& m_owner;
    // While the overlay is up: the desktop it covers, its own DC and the screen as it was when
    // it opened.
    RECT m_desktop = {};
    std::unique_ptr<CClientDC> m_dc;
    std::unique_ptr<CCaptureImage> m_picture;
    std::unique_ptr<CCaptureImage> m_prepared; // the next picture, until Show takes it
    bool m_dragging = false;
    RECT m_band = {}; // press point, then last pointer position; not ordered while dragging
    SkinScheme m_skin;
    bool m_resultOpen = false;
    LastCapture m_last;
};
