// The About page.
#include "app/AboutPage.h"

#include "app/MainSheet.h"
#include "app/ToolboxApp.h"
#include "framework/HtmlHelp.h"
#include "res/resource.h"
#include "skin/SkinDialog.h"

BEGIN_MESSAGE_MAP(CAboutPage, CSkinnedPage)
ON_BN_CLICKED(IDC_ABOUT_HELP, OnHelp)
ON_BN_CLICKED(IDC_ABOUT_SKIN, OnSkin)
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CSkinnedPage(IDD_ABOUT_PAGE) {}

void CAboutPage::OnHelp() {
    ShowHelpTopic(m_hWnd, "install.htm");
}

void CAboutPage::OnSkin() {
    // The options window leaves the screen at once; its loop ends once the skin dialog has
    // closed, and its next opening wears the skin chosen there.
    if (CSkinnedSheet* sheet = Sheet(); sheet && sheet->IsOpen())
        sheet->ShowWindow(SW_HIDE);
    EndSheet(1);
    CSkinDialog dialog(ToolboxApp()->m_szSchemePath, g_pMainSheet->m_skin,
                       [] { g_pMainSheet->LoadCurrentSkin(); });
    dialog.DoModal();
}
