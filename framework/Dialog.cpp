// Dialogs from templates.
#include "framework/Dialog.h"

#include "framework/CommonControls.h"
#include "framework/DataExchange.h"
#include "framework/Gdi.h"
#include "framework/HtmlHelp.h"

namespace {
// Posted to a dialog whose DPI changed, to lay it out once the system has scaled it.
constexpr UINT kDpiLayout = WM_APP + 0x2E0;
} // namespace

// The object is bound to the dialog window the way every window of ours is
// (CWnd::Bind: the window property), from WM_INITDIALOG, whose lParam is the
// object, until WM_NCDESTROY or the object's end. Messages outside that span
// get the dialog manager's default.
INT_PTR CALLBACK CDialog::StaticDlgProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    // Only CDialog binds a window whose procedure this is (SubclassWindow
    // refuses a bound window), so the bound object is a CDialog.
    auto* self = static_cast<CDialog*>(FromHandlePermanent(h));
    if (!self && msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lp);
        self->Bind(h);
    }
    if (!self)
        return FALSE;
    INT_PTR r = self->DialogProc(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->Unbind();
        self->PostNcDestroy();
    }
    return r;
}

INT_PTR CDialog::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
    CurrentMessageScope scope(this, msg, wp, lp);
    INT_PTR answer = FALSE;
    try {
        LRESULT result = 0;
        if (msg == WM_INITDIALOG) {
            answer = OnInitDialog();
        } else if (OnWndMsg(msg, wp, lp, result)) {
            switch (msg) {
            // These answer through the dialog procedure's own result.
            case WM_CTLCOLORMSGBOX:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORDLG:
            case WM_CTLCOLORSCROLLBAR:
            case WM_CTLCOLORSTATIC:
            case WM_COMPAREITEM:
            case WM_VKEYTOITEM:
            case WM_CHARTOITEM:
            case WM_QUERYDRAGICON:
                answer = static_cast<INT_PTR>(result);
                break;
            default:
                ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
                answer = TRUE;
                break;
            }
        }
    } catch (...) {
        answer = FALSE;
    }
    return answer;
}

// The dialog manager does the default processing itself when the dialog
// procedure returns FALSE; a handler that asks for it explicitly gets the
// plain window default.
LRESULT CDialog::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (m_subclassed)
        return CWnd::DefWindowProc(msg, wp, lp);
    return ::DefWindowProcA(m_hWnd, msg, wp, lp);
}

INT_PTR CDialog::DoModal() {
    EnsureCommonControls(); // templates hold common controls
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), parent,
                             StaticDlgProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(CWnd* pParent) {
    EnsureCommonControls();
    HWND parent = pParent ? pParent->m_hWnd : (m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                parent, StaticDlgProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

RECT CDialog::GroupBoxInside(int id) const {
    RECT rc = {0, 0, 0, 0};
    HWND box = GetDlgItem(id);
    if (!box || !::GetWindowRect(box, &rc))
        return rc;
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    TEXTMETRICA tm = {};
    {
        CClientDC dc(box);
        CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(box, WM_GETFONT, 0, 0)));
        ::GetTextMetricsA(dc, &tm);
    }
    return {rc.left + 2, rc.top + tm.tmHeight / 2 + 2, rc.right - 3, rc.bottom - 3};
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (CWnd::OnWndMsg(msg, wp, lp, result))
        return true;
    if (msg == WM_DPICHANGED) {
        // Where the system suggests; the dialog manager then scales the controls and fonts,
        // and the dialog's own layout follows after that.
        const RECT& to = *reinterpret_cast<const RECT*>(lp);
        ::SetWindowPos(m_hWnd, nullptr, to.left, to.top, to.right - to.left, to.bottom - to.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::PostMessageA(m_hWnd, kDpiLayout, HIWORD(wp), 0);
        return false;
    }
    if (msg == kDpiLayout) {
        OnDpiChanged(static_cast<UINT>(wp));
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return true;
    }
    if (msg != WM_HELP || !m_helpTopic)
        return false;
    ShowHelpTopic(m_hWnd, m_helpTopic);
    Default();
    result = TRUE;
    return true;
}

bool CDialog::OnCommand(WPARAM wp, LPARAM lp, LRESULT& result) {
    if (CWnd::OnCommand(wp, lp, result))
        return true;
    UINT id = LOWORD(wp);
    UINT code = HIWORD(wp);
    if (m_helpTopic && id == m_helpButton && code == BN_CLICKED) {
        ShowHelpTopic(m_hWnd, m_helpTopic);
        result = 0;
        return true;
    }
    // IDOK / IDCANCEL from buttons, Enter or Esc.
    if ((code == BN_CLICKED || lp == 0) && (id == IDOK || id == IDCANCEL)) {
        if (id == IDOK)
            OnOK();
        else
            OnCancel();
        result = 0;
        return true;
    }
    return false;
}
