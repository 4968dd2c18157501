// The About page.
#include "app/AboutPage.h"

#include <shellapi.h>

#include "app/MainSheet.h"
#include "app/ToolboxApp.h"
#include "framework/DataExchange.h"
#include "res/resource.h"
#include "skineditor/SkinDialog.h"
#include "tips/TipDialog.h"

BEGIN_MESSAGE_MAP(CAboutPage, CSkinnedPage)
ON_BN_CLICKED(IDC_ABOUT_SKIN, OnSkin)
ON_BN_CLICKED(IDC_ABOUT_TIP, OnTipOfDay)
ON_BN_CLICKED(IDC_ABOUT_WEB, OnWebPage)
END_MESSAGE_MAP()

CAboutPage::CAboutPage(CMainSheet& sheet) : CSkinnedPage(IDD_ABOUT_PAGE), m_sheet(sheet) {
    SetHelpTopic("about.htm", IDC_ABOUT_HELP);
}

void CAboutPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_ABOUT_HELP, m_btnHelp);
    DDX_Control(pDX, IDC_ABOUT_SKIN, m_btnSkin);
    DDX_Control(pDX, IDC_ABOUT_TIP, m_btnTip);
    DDX_Control(pDX, IDC_ABOUT_WEB, m_btnWeb);
}

BOOL CAboutPage::OnInitDialog() {
    CSkinnedPage::OnInitDialog();
    WearSkin(m_btnHelp);
    WearSkin(m_btnSkin);
    WearSkin(m_btnTip);
    WearSkin(m_btnWeb);
    // The control shows the picture but does not own it; the one of an earlier opening goes now.
    if (m_picture.LoadBitmap(IDB_ABOUT_ICON))
        ::SendDlgItemMessageA(m_hWnd, IDC_ABOUT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                              reinterpret_cast<LPARAM>(m_picture.GetSafeHandle()));
    return TRUE;
}

void CAboutPage::OnTipOfDay() {
    // The options window stays open behind the tip, which it owns: it waits
    // until the tip is closed, and ending the program closes the tip first.
    CTipDialog tip(Sheet(), ToolboxApp()->m_szTipsPath);
    tip.DoModal();
}

void CAboutPage::OnWebPage() {
    // The options window goes before the browser comes.
    if (CSkinnedSheet* sheet = Sheet(); sheet && sheet->IsOpen())
        sheet->ShowWindow(SW_HIDE);
    EndSheet(IDOK);
    const std::string address = CWinApp::LoadString(IDS_WEB_ADDRESS);
    ::ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void CAboutPage::OnSkin() {
    // The options window leaves the screen at once; its loop ends once the skin dialog has
    // closed, and its next opening wears the skin chosen there.
    if (CSkinnedSheet* sheet = Sheet(); sheet && sheet->IsOpen())
        sheet->ShowWindow(SW_HIDE);
    EndSheet(IDOK);
    CSkinDialog dialog(ToolboxApp()->m_szSchemePath, m_sheet.m_skin,
                       [this] { m_sheet.LoadCurrentSkin(); });
    dialog.DoModal();
}
