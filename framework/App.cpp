// The application object.
#include "framework/App.h"

#include <commctrl.h>

#include <stdexcept>

#include "framework/Wnd.h"
#include "res/resource.h"

namespace {
CWinApp* g_app = nullptr;
} // namespace

std::string ModuleFileName(HMODULE module) {
    // The buffer grows until the whole path fits: paths may be longer than
    // MAX_PATH where the system allows it.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameA(module, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0)
            return std::string();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768 * 3) // longer than any path the system can hold
            return std::string();
        path.resize(path.size() * 2);
    }
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWinApp::CWinApp() {
    g_app = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    m_exeName = ModuleFileName(m_hInstance);
    if (!m_exeName.empty()) {
        std::string base = m_exeName;
        size_t slash = base.find_last_of("\\/");
        size_t dot = base.rfind('.');
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
            base.erase(dot);
        m_helpFilePath = base + ".HLP";
        // Until the application says otherwise, the profile is "<name>.INI"
        // in the Windows folder, as for any private-profile name without a path.
        size_t start = slash == std::string::npos ? 0 : slash + 1;
        m_profileName = base.substr(start) + ".INI";
    }
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_exitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

std::string CWinApp::GetProfileString(const char* section, const char* key,
                                      const char* szDefault) const {
    char buf[4096];
    DWORD n =
        ::GetPrivateProfileStringA(section, key, szDefault, buf, sizeof buf, m_profileName.c_str());
    return std::string(buf, n);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* key, int nValue) const {
    char buf[16];
    wsprintfA(buf, "%d", nValue);
    return ::WritePrivateProfileStringA(section, key, buf, m_profileName.c_str());
}

BOOL CWinApp::WriteProfileString(const char* section, const char* key, const char* value) const {
    return ::WritePrivateProfileStringA(section, key, value, m_profileName.c_str());
}

std::string CWinApp::LoadString(UINT id) {
    char buf[1024] = "";
    int n = ::LoadStringA(::GetModuleHandleA(nullptr), id, buf, sizeof buf);
    return std::string(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

int AfxMessageBox(const char* text, UINT type, HWND owner) {
    std::string title = CWinApp::LoadString(IDS_APP_TITLE);
    if (!owner) {
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
            owner = ::GetLastActivePopup(app->m_pMainWnd->m_hWnd);
    }
    return ::MessageBoxA(owner, text, title.c_str(), type);
}

int AfxWinMain(HINSTANCE) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    try {
        if (!app->InitInstance())
            return app->ExitInstance();
        return app->Run();
    } catch (const std::exception&) {
        return -1;
    }
}
