// CSkinnedPage: a page of a skinned sheet. Its background is the sheet's
// generated picture, its static texts float on it through the sheet's hollow
// brush, and its push buttons wear the skin's button look.
#pragma once

#include "framework/PropertySheet.h"
#include "skin/SkinnedSheet.h"

class CSkinButton;

class CSkinnedPage : public CPropertyPage {
public:
    explicit CSkinnedPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate) {}

    // The sheet the page was added to, or nullptr before that.
    CSkinnedSheet* Sheet() const { return static_cast<CSkinnedSheet*>(m_pSheet); }

protected:
    // Gives a button the current skin's button look.
    void WearSkin(CSkinButton& button) const;
    // Ends the open sheet with a result, as page buttons that leave the
    // options window do; nothing when it is not open.
    void EndSheet(int result) const;

    BOOL OnEraseBkgnd(HDC dc);
    HBRUSH OnCtlColor(HDC dc, HWND ctl, UINT ctlType);
    DECLARE_MESSAGE_MAP()
};
