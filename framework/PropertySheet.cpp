// Property sheets and pages.
#include "framework/PropertySheet.h"

#include "framework/CommonControls.h"

#include "framework/DataExchange.h"

namespace {
// The system's sheet callback carries no user data. DoModal runs on the one
// GUI thread and the callback comes back before DoModal's PropertySheet call
// returns, so the sheet being created is handed over through this pointer.
CPropertySheet* s_sheetInCreation = nullptr;
} // namespace

CPropertyPage::CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate) {
    m_psp = PROPSHEETPAGEA{};
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_DEFAULT; // no help button, caption from the template
    m_psp.hInstance = ::GetModuleHandleA(nullptr);
    m_psp.pszTemplate = MAKEINTRESOURCEA(nIDTemplate);
    m_psp.pfnDlgProc = StaticPageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK CPropertyPage::StaticPageProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG)
        lp = reinterpret_cast<LPPROPSHEETPAGEA>(lp)->lParam;
    return StaticDlgProc(h, msg, wp, lp);
}

BOOL CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive)
        m_bFirstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

void CPropertyPage::SetModified(BOOL bChanged) {
    if (m_pSheet && m_pSheet->m_hWnd) {
        if (bChanged)
            PropSheet_Changed(m_pSheet->m_hWnd, m_hWnd);
        else
            PropSheet_UnChanged(m_pSheet->m_hWnd, m_hWnd);
    }
}

bool CPropertyPage::OnNotify(WPARAM wp, LPARAM lp, LRESULT& result) {
    auto* nm = reinterpret_cast<NMHDR*>(lp);
    if (nm->hwndFrom == ::GetParent(m_hWnd)) {
        switch (nm->code) {
        case PSN_SETACTIVE:
            result = OnSetActive() ? 0 : -1;
            return true;
        case PSN_KILLACTIVE:
            result = OnKillActive() ? FALSE : TRUE; // TRUE keeps the page
            return true;
        case PSN_APPLY:
            result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            return true;
        case PSN_RESET:
            OnCancel();
            result = 0;
            return true;
        default:
            break;
        }
    }
    return CDialog::OnNotify(wp, lp, result);
}

CPropertySheet::CPropertySheet(const char* caption, CWnd* pParent, UINT iSelectPage)
    : m_caption(caption ? caption : "") {
    m_psh = PROPSHEETHEADERA{};
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    m_psh.hwndParent = pParent ? pParent->m_hWnd : nullptr;
    m_psh.hInstance = ::GetModuleHandleA(nullptr);
    m_psh.nStartPage = iSelectPage;
    m_psh.pfnCallback = SheetCallback;
    m_parent = pParent;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->m_pSheet = this;
    m_pages.push_back(page);
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM lp) {
    if (msg == PSCB_PRECREATE && lp) {
        // A sheet that never closes itself: drop the context-help button.
        auto* tmpl = reinterpret_cast<DLGTEMPLATE*>(lp);
        if (reinterpret_cast<WORD*>(tmpl)[1] == 0xFFFF) // DLGTEMPLATEEX
            reinterpret_cast<DWORD*>(tmpl)[3] &= ~DS_CONTEXTHELP;
        else
            tmpl->style &= ~DS_CONTEXTHELP;
    }
    if (msg == PSCB_INITIALIZED && s_sheetInCreation) {
        CPropertySheet* self = s_sheetInCreation;
        s_sheetInCreation = nullptr;
        self->SubclassWindow(hwnd);
        self->OnInitDialog();
    }
    return 0;
}

INT_PTR CPropertySheet::DoModal() {
    m_pspArray.clear();
    for (CPropertyPage* p : m_pages) {
        p->m_bFirstSetActive = true;
        m_pspArray.push_back(p->m_psp);
    }
    m_psh.hwndParent = m_parent ? m_parent->m_hWnd : m_psh.hwndParent;
    m_psh.pszCaption = m_caption.c_str();
    m_psh.nPages = static_cast<UINT>(m_pspArray.size());
    m_psh.ppsp = m_pspArray.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
    m_nEndResult = -1;
    m_endRequested = false;
    s_sheetInCreation = this;
    INT_PTR r = comctl::PropertySheetA(&m_psh);
    s_sheetInCreation = nullptr;
    if (m_endRequested)
        return m_nEndResult;
    return r > 0 ? IDOK : IDCANCEL;
}

void CPropertySheet::EndDialog(int nEndID) {
    m_nEndResult = nEndID;
    m_endRequested = true;
    if (m_hWnd)
        PostMessage(PSM_PRESSBUTTON, PSBTN_CANCEL);
}

int CPropertySheet::GetActiveIndex() const {
    if (!m_hWnd)
        return static_cast<int>(m_psh.nStartPage);
    HWND tab = GetTabControl();
    return tab ? TabCtrl_GetCurSel(tab) : 0;
}

BOOL CPropertySheet::SetActivePage(int i) {
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(i);
        return TRUE;
    }
    return PropSheet_SetCurSel(m_hWnd, nullptr, i);
}
