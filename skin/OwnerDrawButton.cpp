// The flat owner-drawn push button: hover tracking, states and drawing.
#include "skin/OwnerDrawButton.h"

#include <string>

#include "framework/Gdi.h"

BEGIN_MESSAGE_MAP(COwnerDrawButton, CButton)
ON_WM_DRAWITEM_REFLECT()
ON_WM_CTLCOLOR_REFLECT()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_KILLFOCUS()
ON_WM_ENABLE()
ON_WM_CANCELMODE()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

COwnerDrawButton::COwnerDrawButton()
    : m_crHotFace(::GetSysColor(COLOR_BTNFACE)), m_crHotText(::GetSysColor(COLOR_BTNTEXT)),
      m_crColdFace(::GetSysColor(COLOR_BTNFACE)), m_crColdText(::GetSysColor(COLOR_BTNTEXT)) {}

void COwnerDrawButton::PreSubclassWindow() {
    // From now on the platform asks this object to draw the button.
    const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    const WORD buttonStyle = static_cast<WORD>((style & 0xFFFF & ~BS_TYPEMASK) | BS_OWNERDRAW);
    SendMessage(BM_SETSTYLE, buttonStyle, TRUE);
}

void COwnerDrawButton::OnMouseMove(UINT flags, POINT pt) {
    Default();

    const bool leftDown = (flags & MK_LBUTTON) != 0;
    // A press that started elsewhere does not light the button.
    if (leftDown && !m_bHover)
        return;
    if (!m_bFlat)
        return;

    if (::GetCapture() != m_hWnd && ::GetActiveWindow() && ::GetParent(m_hWnd)) {
        // The pointer has come in: hold the capture to see it leave.
        m_bHover = true;
        ::SetCapture(m_hWnd);
        Invalidate();
        return;
    }

    POINT screen = pt;
    ::ClientToScreen(m_hWnd, &screen);
    HWND under = ::WindowFromPoint(screen);
    if (!under || under == m_hWnd)
        return;

    // The pointer has left the button.
    if (m_bHover) {
        m_bHover = false;
        Invalidate();
    }
    // While the left button is down the capture stays: the button's own press handling needs it.
    if (!leftDown && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void COwnerDrawButton::OnCaptureChanged(HWND hwndNew) {
    // Another window took the mouse. The capture is only given up while the button still holds
    // it: releasing it now would take it away from the window that has just set it. Hover stays
    // on until the next tracking step or a cancel.
    if (m_bHover && hwndNew != m_hWnd) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Invalidate();
    }
    Default();
}

void COwnerDrawButton::OnKillFocus(HWND) {
    Default();
    CancelHover();
}

void COwnerDrawButton::OnEnable(BOOL bEnable) {
    Default();
    if (!bEnable)
        CancelHover();
}

void COwnerDrawButton::OnCancelMode() {
    Default();
    CancelHover();
}

void COwnerDrawButton::OnLButtonDblClk(UINT flags, POINT) {
    // An owner-drawn button would report a double click instead of a second click: hand it on
    // as a press, so a quick second click is a second click.
    DefWindowProc(WM_LBUTTONDOWN, flags, m_cur.lp);
}

HBRUSH COwnerDrawButton::CtlColor(HDC, UINT) {
    // The button paints all of itself; the erase in between would only flicker.
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void COwnerDrawButton::CancelHover() {
    if (m_bFlat && m_bHover) {
        m_bHover = false;
        Invalidate();
    }
}

int COwnerDrawButton::OnDrawBackground(HDC dc, const RECT& rc) {
    CBrush brush(IsHot() ? m_crHotFace : m_crColdFace);
    ::FillRect(dc, &rc, brush);
    return 0;
}

int COwnerDrawButton::OnDrawBorder(HDC dc, const RECT& rc) {
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_bPressed)
        Draw3dRect(dc, rc, shadow, highlight);
    else
        Draw3dRect(dc, rc, highlight, shadow);
    return 0;
}

void COwnerDrawButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    HDC dc = dis->hDC;
    CSaveDC saved(dc);

    m_bPressed = (dis->itemState & ODS_SELECTED) != 0;
    m_bFocused = (dis->itemState & ODS_FOCUS) != 0;
    m_bDisabled = (dis->itemState & ODS_DISABLED) != 0;

    RECT rc = dis->rcItem;
    ::SetBkMode(dc, TRANSPARENT);

    OnDrawBackground(dc, rc);

    if (m_bDrawBorder && (m_bPressed || m_bHover))
        OnDrawBorder(dc, rc);

    const std::string caption = GetWindowText();
    if (!caption.empty()) {
        RECT captionRect = rc;
        if (m_bPressed)
            ::OffsetRect(&captionRect, 1, 1);

        // Measure the (possibly broken) caption, then centre the block in the caption rectangle.
        RECT textRect = captionRect;
        ::DrawTextA(dc, caption.c_str(), -1, &textRect, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
        const int dx =
            ((captionRect.right - captionRect.left) - (textRect.right - textRect.left)) / 2;
        const int dy =
            ((captionRect.bottom - captionRect.top) - (textRect.bottom - textRect.top)) / 2;
        ::OffsetRect(&textRect, dx, dy);

        ::SetBkMode(dc, TRANSPARENT);
        if (m_bDisabled) {
            // Embossed: a highlight copy one pixel down and right, the shadow copy on top.
            RECT lower = textRect;
            ::OffsetRect(&lower, 1, 1);
            ::SetTextColor(dc, ::GetSysColor(COLOR_3DHILIGHT));
            ::DrawTextA(dc, caption.c_str(), -1, &lower, DT_WORDBREAK | DT_CENTER);
            ::SetTextColor(dc, ::GetSysColor(COLOR_3DSHADOW));
            ::DrawTextA(dc, caption.c_str(), -1, &textRect, DT_WORDBREAK | DT_CENTER);
        } else {
            ::SetTextColor(dc, IsHot() ? m_crHotText : m_crColdText);
            ::SetBkColor(dc, IsHot() ? m_crHotFace : m_crColdFace);
            ::DrawTextA(dc, caption.c_str(), -1, &textRect, DT_WORDBREAK | DT_CENTER);
        }
    }

    // The flat style marks the focus only when asked to.
    if (m_bFocused && (!m_bFlat || m_bFlatFocus)) {
        RECT focusRect = rc;
        ::InflateRect(&focusRect, -3, -3);
        ::DrawFocusRect(dc, &focusRect);
    }
}
