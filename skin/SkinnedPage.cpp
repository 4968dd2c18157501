// Skinned pages.
#include "skin/SkinnedPage.h"

#include "skin/SkinButton.h"

BEGIN_MESSAGE_MAP(CSkinnedPage, CPropertyPage)
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void CSkinnedPage::WearSkin(CSkinButton& button) const {
    if (CSkinnedSheet* sheet = Sheet())
        button.SetSkin(sheet->m_skin.buttonLook);
}

void CSkinnedPage::EndSheet(int result) const {
    if (CSkinnedSheet* sheet = Sheet(); sheet && sheet->IsOpen())
        sheet->EndDialog(result);
}

BOOL CSkinnedPage::OnEraseBkgnd(HDC dc) {
    if (CSkinnedSheet* sheet = Sheet())
        sheet->m_background.Draw(dc, 0, 0);
    return TRUE;
}

HBRUSH CSkinnedPage::OnCtlColor(HDC dc, HWND, UINT ctlType) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (ctlType == CTLCOLOR_STATIC && Sheet()) {
        ::SetBkMode(dc, TRANSPARENT);
        return Sheet()->m_hollowBrush;
    }
    return brush;
}
