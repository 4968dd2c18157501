// CSkinnedPage: a page of the options window that wears the current skin:
// its background is the sheet's generated picture, its static texts float
// on it through the sheet's hollow brush.
#pragma once

#include "framework/PropertySheet.h"

class CSkinnedPage : public CPropertyPage {
public:
    explicit CSkinnedPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate) {}

protected:
    BOOL OnEraseBkgnd(HDC dc);
    HBRUSH OnCtlColor(HDC dc, HWND ctl, UINT ctlType);
    DECLARE_MESSAGE_MAP()
};
