// Start-up.
#include "app/ToolboxApp.h"

#include "app/AppPaths.h"
#include "app/TrayWnd.h"
#include "res/resource.h"

CToolboxApp* ToolboxApp() {
    return static_cast<CToolboxApp*>(AfxGetApp());
}

namespace {

// Held from the look for a running copy until the tray window exists, so
// that two copies started at once cannot both miss each other.
constexpr char kStartupMutex[] = "Local\\Zentrova.Startup";
constexpr DWORD kStartupWaitMs = 15000;

// Hands over to a running copy: it opens (or raises) its options window.
bool HandOverToRunningCopy(const std::string& title) {
    HWND running = ::FindWindowA(nullptr, title.c_str());
    if (!running)
        return false;
    ::SetForegroundWindow(running);
    ::PostMessageA(running, WM_COMMAND, ID_OPTIONS, 0);
    return true;
}

} // namespace

CToolboxApp::CToolboxApp() = default;
CToolboxApp::~CToolboxApp() = default;

BOOL CToolboxApp::InitInstance() {
    std::string title = LoadString(IDR_MAINFRAME);
    HANDLE startup = ::CreateMutexA(nullptr, FALSE, kStartupMutex);
    bool guarded = false;
    if (startup) {
        DWORD w = ::WaitForSingleObject(startup, kStartupWaitMs);
        guarded = w == WAIT_OBJECT_0 || w == WAIT_ABANDONED;
    }
    BOOL result = FALSE;
    if (!HandOverToRunningCopy(title)) {
        m_nRecordToggles = 0;
        m_nLastPage = 0;
        AppPaths paths = ComputeAppPaths(m_pszExeName, m_pszProfileName);
        m_szSchemePath = paths.schemePath;
        m_szTipsPath = paths.tipsFile;
        m_pszHelpFilePath = paths.helpFile;
        m_pszProfileName = paths.profile;
        result = CreateTrayWindow();
    }
    if (guarded)
        ::ReleaseMutex(startup);
    if (startup)
        ::CloseHandle(startup);
    return result;
}

BOOL CToolboxApp::CreateTrayWindow() {
    m_tray = std::make_unique<CTrayWnd>();
    if (!m_tray->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | CFrameWnd::FWS_ADDTOTITLE))
        return FALSE;
    m_tray->ShowWindow(SW_HIDE);
    ::UpdateWindow(m_tray->m_hWnd);
    m_pMainWnd = m_tray.get();
    return TRUE;
}

int CToolboxApp::ExitInstance() {
    // The loop has ended: nothing of the tray window or the options sheet
    // runs any more, so both objects can go.
    m_pMainWnd = nullptr;
    m_tray.reset();
    return CWinApp::ExitInstance();
}
