// The About page.
#include "app/AboutPage.h"

#include "framework/HtmlHelp.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutPage, CSkinnedPage)
ON_BN_CLICKED(IDC_ABOUT_HELP, OnHelp)
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CSkinnedPage(IDD_ABOUT_PAGE) {}

void CAboutPage::OnHelp() {
    ShowHelpTopic(m_hWnd, "install.htm");
}
