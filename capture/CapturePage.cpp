// The Capture page.
#include "capture/CapturePage.h"

#include <string>

#include "core/DroppedPath.h"
#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/Gdi.h"
#include "hooklib/Quillet.h"
#include "res/resource.h"
#include "skin/EtchedFrames.h"

namespace {

// The lower frame's caption starts a little further right than the Magnify page's.
constexpr int kPathCaptionX = 25;

// The system's command interpreter by its full path: %ComSpec% when it names
// a file of the system folder, else cmd.exe there. Never a program found by
// name, which could be one planted in the dropped folder.
std::string Interpreter() {
    char system[MAX_PATH] = "";
    UINT n = ::GetSystemDirectoryA(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::string();
    char comspec[MAX_PATH] = "", full[MAX_PATH] = "";
    DWORD length = ::GetEnvironmentVariableA("ComSpec", comspec, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        DWORD fullLength = ::GetFullPathNameA(comspec, MAX_PATH, full, nullptr);
        DWORD attributes = ::GetFileAttributesA(full);
        if (fullLength > 0 && fullLength < MAX_PATH && dropped::NamesEntryIn(full, system) &&
            attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return full;
    }
    std::string path = system;
    if (path.back() != '\\')
        path += '\\';
    return path + "cmd.exe";
}

} // namespace

BEGIN_MESSAGE_MAP(CScreenCapture, CHotkeyPage)
ON_BN_CLICKED(ID_CAPTURE, OnCapture)
ON_BN_CLICKED(IDC_CAP_GO, OnGo)
ON_EN_CHANGE(IDC_CAP_PATH, OnPathChanged)
ON_WM_DROPFILES()
ON_WM_PAINT()
END_MESSAGE_MAP()

CScreenCapture::CScreenCapture()
    : CHotkeyPage(IDD_CAPTURE_PAGE, IDC_CAP_HOTKEY, settings::kCaptureKey,
                  settings::kCaptureModifiers) {
    SetHelpTopic("capture.htm", IDC_CAP_HELP);
    TakeStoredSettings();
}

void CScreenCapture::HandToLibrary() const {
    QLSetCaptureParams(m_wKey, m_wMod);
}

void CScreenCapture::DoDataExchange(CDataExchange* pDX) {
    CHotkeyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CAP_PATH, m_path);
    DDX_Control(pDX, ID_CAPTURE, m_btnCapture);
    DDX_Control(pDX, IDC_CAP_GO, m_btnGo);
    DDX_Control(pDX, IDC_CAP_HELP, m_btnHelp);
}

BOOL CScreenCapture::OnInitDialog() {
    CHotkeyPage::OnInitDialog();
    ::DragAcceptFiles(m_hWnd, TRUE);
    // The last path, dropped or typed, is there again; Go! is live while the box holds one.
    m_path.SetWindowText(m_szDroppedPath);
    OnPathChanged();
    WearSkin(m_btnCapture);
    WearSkin(m_btnGo);
    WearSkin(m_btnHelp);
    return TRUE;
}

void CScreenCapture::OnCapture() {
    // The options window must not show in the capture: hidden at once and ended; the tray's
    // Capture gives the screen a moment to repaint before it freezes it.
    if (CSkinnedSheet* sheet = Sheet(); sheet && sheet->IsOpen())
        sheet->ShowWindow(SW_HIDE);
    EndSheet(IDOK);
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        app->m_pMainWnd->PostMessage(WM_COMMAND, ID_CAPTURE);
}

void CScreenCapture::OnDropFiles(HDROP drop) {
    // Each item in turn, so that of several the last one stays; only that one is shown and
    // copied, in one go, rather than the clipboard changing once for every item.
    UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    bool refused = false;
    UINT stored = 0; // the length of the path kept, 0 while none
    for (UINT i = 0; i < count; ++i) {
        UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        if (length == 0 || ::DragQueryFileA(drop, i, &path[0], length + 1) != length ||
            !dropped::Store(m_szDroppedPath, path.c_str(), length)) {
            refused = refused || length > 0;
            continue;
        }
        stored = length;
    }
    ::DragFinish(drop);
    if (stored > 0) {
        m_path.SendMessage(EM_SETSEL, 0, -1);
        m_path.SendMessage(EM_SCROLLCARET);
        m_path.SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(m_szDroppedPath));
        // The edit box puts the path on the clipboard as text.
        m_path.SendMessage(EM_SETSEL, 0, static_cast<LPARAM>(stored));
        m_path.SendMessage(EM_SCROLLCARET);
        m_path.SendMessage(WM_COPY);
    }
    if (refused)
        AfxMessageBox("The path is too long!", MB_OK | MB_ICONEXCLAMATION, m_hWnd);
}

void CScreenCapture::OnPathChanged() {
    const std::string path = m_path.GetWindowText();
    ::EnableWindow(m_btnGo, !path.empty());
    // Kept for the next opening when it fits; Go! refuses a longer one.
    dropped::Store(m_szDroppedPath, path.c_str(), path.size());
}

void CScreenCapture::OnGo() {
    // The path the box shows, dropped or typed; a file's stands for the folder that holds it.
    char folder[dropped::kBufferSize] = "";
    const std::string path = m_path.GetWindowText();
    if (path.empty())
        return;
    if (!dropped::Store(folder, path.c_str(), path.size())) {
        AfxMessageBox("The path is too long!", MB_OK | MB_ICONEXCLAMATION, m_hWnd);
        return;
    }
    const DWORD attributes = ::GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        AfxMessageBox(("No such file or folder: " + path).c_str(), MB_OK | MB_ICONEXCLAMATION,
                      m_hWnd);
        return;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        dropped::CutToFolder(folder);
    EndSheet(IDOK);
    // The prompt starts in the folder; the program's own current folder is left alone.
    std::string program = Interpreter();
    if (program.empty())
        return;
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi = {};
    if (::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                         CREATE_NEW_CONSOLE, nullptr, folder, &si, &pi)) {
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
}

void CScreenCapture::OnPaint() {
    CPaintDC dc(m_hWnd);
    PaintEtchedFrames(dc, "Screen Capture", "Path Capture", kPathCaptionX, EtchedScaleOf(m_hWnd));
}
