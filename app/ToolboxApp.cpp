// Start-up.
#include "app/ToolboxApp.h"

#include <cstring>

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
        AppPaths paths = ComputeAppPaths(m_pszHelpFilePath, m_pszExeName, m_pszProfileName);
        std::memcpy(m_szSchemePath, paths.schemePath, sizeof m_szSchemePath);
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
    // The object deletes itself when its window goes; a failed creation
    // ends the process at once, so nothing is freed by hand here.
    auto* tray = new CTrayWnd;
    if (!tray->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | CFrameWnd::FWS_ADDTOTITLE))
        return FALSE;
    tray->ShowWindow(SW_HIDE);
    ::UpdateWindow(tray->m_hWnd);
    m_pMainWnd = tray;
    return TRUE;
}
