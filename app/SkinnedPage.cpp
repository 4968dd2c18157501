// Skinned pages.
#include "app/SkinnedPage.h"

#include "app/MainSheet.h"

BEGIN_MESSAGE_MAP(CSkinnedPage, CPropertyPage)
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BOOL CSkinnedPage::OnEraseBkgnd(HDC dc) {
    if (g_pMainSheet)
        g_pMainSheet->m_background.Draw(dc, 0, 0);
    return TRUE;
}

HBRUSH CSkinnedPage::OnCtlColor(HDC dc, HWND, UINT ctlType) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    if (ctlType == CTLCOLOR_STATIC && g_pMainSheet) {
        ::SetBkMode(dc, TRANSPARENT);
        return g_pMainSheet->m_hollowBrush;
    }
    return brush;
}
