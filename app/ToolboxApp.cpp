// Start-up.
#include "app/ToolboxApp.h"

#include "app/TrayWnd.h"
#include "core/AppPaths.h"
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

// Whether the settings file can be written: an existing one opened for
// writing (which changes nothing in it), or a new one made in its folder and
// deleted again at once.
bool CanWriteFile(const std::string& path) {
    const bool exists = ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             exists ? OPEN_EXISTING : CREATE_NEW,
                             exists ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(h);
    return true;
}

// The settings file. It lives beside the program, so a copy carried on a
// stick takes its settings along. Where that file cannot be written (a
// read-only file, or a folder the user may not write, such as one under
// Program Files), the settings live in "%APPDATA%\Zentrova" instead, starting
// from a copy of the ones beside the program if there are any. Where that
// folder cannot be made either, the file beside the program stays, and the
// first failed save says so.
std::string ChooseProfile(const std::string& besideProgram, const std::string& baseName) {
    if (CanWriteFile(besideProgram))
        return besideProgram;
    char appData[MAX_PATH * 3] = "";
    DWORD n = ::GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    if (n == 0 || n >= sizeof appData)
        return besideProgram;
    const std::string folder = std::string(appData) + "\\Zentrova";
    if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return besideProgram;
    const std::string perUser = folder + "\\" + baseName + ".ini";
    // Only where it has none yet; the copy of a read-only file must not stay read-only.
    if (::CopyFileA(besideProgram.c_str(), perUser.c_str(), TRUE))
        ::SetFileAttributesA(perUser.c_str(), FILE_ATTRIBUTE_NORMAL);
    return perUser;
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
        AppPaths paths = ComputeAppPaths(m_exeName, m_profileName);
        m_szSchemePath = paths.schemePath;
        m_szTipsPath = paths.tipsFile;
        m_helpFilePath = paths.helpFile;
        m_profileName = paths.folder.empty()
                            ? paths.profile
                            : ChooseProfile(paths.profile, ProgramBaseName(m_exeName));
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
