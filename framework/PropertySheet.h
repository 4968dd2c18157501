// CPropertyPage and CPropertySheet: a modal tabbed sheet of pages built from
// numbered templates. The sheet's modal loop is the system's, so it goes on
// dispatching every other window's messages of the thread (the tray's).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate);

    // Notifications from the sheet. The defaults: activation fills the
    // controls from the members except on the first activation (the dialog
    // initialisation did it); deactivation validates and reads them; OK
    // (the sheet's apply) accepts.
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual void OnOK() override {}
    virtual void OnCancel() override {}
    virtual BOOL OnApply() {
        OnOK();
        return TRUE;
    }
    void SetModified(BOOL bChanged = TRUE);

    PROPSHEETPAGEA m_psp;
    CPropertySheet* m_pSheet = nullptr;

protected:
    bool OnNotify(WPARAM wp, LPARAM lp, LRESULT& result) override;
    // The page's WM_INITDIALOG carries its PROPSHEETPAGE, whose lParam is us.
    static INT_PTR CALLBACK StaticPageProc(HWND, UINT, WPARAM, LPARAM);
    friend class CPropertySheet;
    bool m_bFirstSetActive = true;
};

class CPropertySheet : public CWnd {
public:
    CPropertySheet(const char* caption, CWnd* pParent = nullptr, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* page);
    // Runs the sheet modally; the result is IDOK, IDCANCEL or the value given
    // to EndDialog.
    INT_PTR DoModal();
    // Ends the modal loop with this result and presses the sheet's Cancel
    // button (which the loop only sees once the current message is done).
    void EndDialog(int nEndID);

    int GetActiveIndex() const;
    BOOL SetActivePage(int i);
    HWND GetTabControl() const { return m_hWnd ? PropSheet_GetTabControl(m_hWnd) : nullptr; }

    PROPSHEETHEADERA m_psh;

protected:
    // Runs when the sheet window exists and its first page is up.
    virtual BOOL OnInitDialog() { return TRUE; }
    static int CALLBACK SheetCallback(HWND, UINT, LPARAM);

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pspArray;
    std::string m_caption;
    CWnd* m_parent = nullptr;
    int m_nEndResult = -1;
    bool m_endRequested = false;
};
