// The options window.
#include "app/MainSheet.h"

#include "app/AboutPage.h"
#include "app/ToolboxApp.h"
#include "capture/CapturePage.h"
#include "color/AutoClickPage.h"
#include "magnify/MagnifyPage.h"
#include "res/resource.h"

CMainSheet* g_pMainSheet = nullptr;
RECT g_rcLastSheet = {0, 0, 0, 0};

BEGIN_MESSAGE_MAP(CMainSheet, CPropertySheet)
ON_WM_MOVE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMainSheet::CMainSheet(CWnd* pParent)
    : CPropertySheet(CWinApp::LoadString(IDS_SHEET_CAPTION).c_str(), pParent, 0) {
    // Construction order is the library's start-up order: magnifier,
    // capture, colour picker.
    m_pMagnifyPage = new CMagnifyPage;
    m_pCapturePage = new CScreenCapture;
    m_pColorPage = new CAutoClick;
    m_pAboutPage = new CAboutPage;
    AddPage(m_pColorPage);
    AddPage(m_pMagnifyPage);
    AddPage(m_pCapturePage);
    AddPage(m_pAboutPage);
}

CMainSheet::~CMainSheet() {
    delete m_pMagnifyPage;
    delete m_pCapturePage;
    delete m_pColorPage;
    delete m_pAboutPage;
}

void CMainSheet::LoadCurrentSkin() {}

BOOL CMainSheet::OnInitDialog() {
    BOOL result = CPropertySheet::OnInitDialog();
    HWND tab = GetTabControl();
    if (!tab)
        return FALSE;
    ::GetWindowRect(m_hWnd, &g_rcLastSheet);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetDlgItemTextA(m_hWnd, IDOK, "&Ok");
    ::SetDlgItemTextA(m_hWnd, IDCANCEL, "&Cancel");
    SetActivePage(ToolboxApp()->m_nLastPage);
    SetWindowText("  Zentrova 3.0");
    return result;
}

void CMainSheet::OnMove(int, int) {
    Default();
    ::GetWindowRect(m_hWnd, &g_rcLastSheet);
}

void CMainSheet::OnDestroy() {
    ToolboxApp()->m_nLastPage = GetActiveIndex();
    Default();
}
