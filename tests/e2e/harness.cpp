// End-to-end harness.
#include "tests/e2e/harness.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "res/resource.h"
#include "tests/common/pump.h"

namespace e2e {

namespace {

// A Linux path as Wine sees it.
std::string WinePath(const std::string& unixPath) {
    if (unixPath.size() > 1 && unixPath[1] == ':')
        return unixPath;
    std::string p = "Z:" + unixPath;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

std::string TempRoot() {
    char tmp[MAX_PATH] = "";
    ::GetTempPathA(sizeof tmp, tmp);
    return tmp;
}

std::wstring Wide(const std::string& text) {
    std::wstring w(text.size() + 1, L'\0');
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &w[0], static_cast<int>(w.size()));
    w.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return w;
}

// A path as the wide file functions take it at any length.
std::wstring Long(const std::string& path) {
    std::wstring w = Wide(path);
    return w.size() < 240 ? w : L"\\\\?\\" + w;
}

// The program's files, without the skin library it ships: a test that wants it asks for it
// (UseShippedSkins), the others start without one or write their own.
void CopyProgramFolder(const std::string& from, const std::string& to) {
    ::CreateDirectoryW(Long(to).c_str(), nullptr);
    for (const std::string& name : ListFolder(from)) {
        if (lstrcmpiA(name.c_str(), "scheme.dat") == 0)
            continue;
        std::string src = from + "\\" + name, dst = to + "\\" + name;
        DWORD attr = ::GetFileAttributesA(src.c_str());
        if (attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY))
            ::CopyFileW(Long(src).c_str(), Long(dst).c_str(), FALSE);
    }
}

void RemoveFolder(const std::string& folder) {
    for (const std::string& name : ListFolder(folder)) {
        const std::wstring path = Long(folder + "\\" + name);
        DWORD attr = ::GetFileAttributesW(path.c_str());
        if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY))
            RemoveFolder(folder + "\\" + name);
        else
            ::DeleteFileW(path.c_str());
    }
    ::RemoveDirectoryW(Long(folder).c_str());
}

struct FindData {
    DWORD pid;
    const char* title;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindProc(HWND h, LPARAM lp) {
    auto* d = reinterpret_cast<FindData*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid != d->pid)
        return TRUE;
    if (d->title && WindowText(h) != d->title)
        return TRUE;
    if (d->cls) {
        char cls[128] = "";
        ::GetClassNameA(h, cls, sizeof cls);
        if (lstrcmpA(cls, d->cls) != 0 || !::IsWindowVisible(h))
            return TRUE;
    }
    d->found = h;
    return FALSE;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

} // namespace

ScreenPatch::ScreenPatch(const RECT& rc, Pixels pixel, bool topmost) : m_rc(rc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZenScreenPatch";
    ::RegisterClassA(&wc);
    m_hwnd = ::CreateWindowExA((topmost ? WS_EX_TOPMOST : 0) | WS_EX_TOOLWINDOW, wc.lpszClassName,
                               "", WS_POPUP, rc.left, rc.top, rc.right - rc.left,
                               rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pixel = std::move(pixel);
    ::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
}

ScreenPatch::~ScreenPatch() {
    ::DestroyWindow(m_hwnd);
}

bool ScreenPatch::Show(Pixels pixel) {
    if (pixel)
        m_pixel = std::move(pixel);
    ::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const DWORD want = m_pixel(1, 1);
    return WaitFor([&] {
        return ScreenPixels({m_rc.left + 1, m_rc.top + 1, m_rc.left + 2, m_rc.top + 2})[0] == want;
    });
}

void ScreenPatch::Hide() const {
    ::ShowWindow(m_hwnd, SW_HIDE);
}

POINT ScreenPatch::Centre() const {
    return {(m_rc.left + m_rc.right) / 2, (m_rc.top + m_rc.bottom) / 2};
}

LRESULT CALLBACK ScreenPatch::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ScreenPatch*>(::GetWindowLongPtrA(h, GWLP_USERDATA));
    if (msg != WM_PAINT || !self)
        return ::DefWindowProcA(h, msg, wp, lp);
    const int w = self->m_rc.right - self->m_rc.left, ht = self->m_rc.bottom - self->m_rc.top;
    std::vector<DWORD> px(static_cast<size_t>(w) * ht);
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < w; ++x)
            px[static_cast<size_t>(y) * w + x] = self->m_pixel(x, y);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -ht, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(h, &ps);
    ::SetDIBitsToDevice(dc, 0, 0, w, ht, 0, 0, 0, ht, px.data(), &bi, DIB_RGB_COLORS);
    ::EndPaint(h, &ps);
    return 0;
}

// The screen's pixels in a rectangle, 0x00RRGGBB, rows from the top or from the bottom.
std::vector<DWORD> ScreenPixels(const RECT& area, bool topDown) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0)
        return {};
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, topDown ? -h : h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    std::vector<DWORD> px(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + w * h);
    for (DWORD& p : px)
        p &= 0xFFFFFF;
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return px;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    return PumpUntil(done, timeoutMs);
}

std::string BinDir() {
    const char* env = std::getenv("ZEN_BIN_DIR");
    return WinePath(env ? env : ZEN_BIN_DIR);
}

void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteIniSetting(const std::string& iniPath, const char* section, const char* key, int value) {
    ::WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), iniPath.c_str());
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(Long(folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        char n[MAX_PATH * 3] = "";
        ::WideCharToMultiByte(CP_ACP, 0, fd.cFileName, -1, n, sizeof n, nullptr, nullptr);
        if (lstrcmpA(n, ".") != 0 && lstrcmpA(n, "..") != 0)
            names.push_back(n);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    return names;
}

std::string WindowText(HWND h) {
    char buf[512] = "";
    ::GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

HWND FindProcessWindow(DWORD pid, const char* title) {
    FindData d = {pid, title, nullptr, nullptr};
    ::EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
    return d.found;
}

HWND FindProcessWindowByClass(DWORD pid, const char* cls) {
    FindData d = {pid, nullptr, cls, nullptr};
    ::EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
    return d.found;
}

Program::Program(const std::string& folder) {
    static int serial = 0;
    char name[64];
    std::snprintf(name, sizeof name, "zen-e2e-%lu-%d", ::GetCurrentProcessId(), ++serial);
    m_folder = TempRoot() + name;
    RemoveFolder(m_folder);
    // Each level of a given folder is made here and removed again afterwards.
    for (size_t at = 0; at != std::string::npos && !folder.empty();) {
        size_t end = folder.find('\\', at);
        m_levels.push_back(m_folder);
        m_folder += "\\" + folder.substr(at, end == std::string::npos ? end : end - at);
        ::CreateDirectoryW(Long(m_levels.back()).c_str(), nullptr);
        at = end == std::string::npos ? end : end + 1;
    }
    CopyProgramFolder(BinDir(), m_folder);
}

Program::~Program() {
    Stop();
    RemoveFolder(m_folder);
    for (auto it = m_levels.rbegin(); it != m_levels.rend(); ++it)
        RemoveFolder(*it);
}

bool Launch(const std::string& path, const std::string& folder, PROCESS_INFORMATION& pi) {
    // Wide calls, so that a program in a folder deeper than 260 characters starts.
    std::wstring exe = Wide(path), dir = Wide(folder);
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    return ::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : dir.c_str(), &si, &pi) != FALSE;
}

bool Program::UseShippedSkins() const {
    return ::CopyFileW(Long(BinDir() + "\\scheme.dat").c_str(),
                       Long(m_folder + "\\scheme.dat").c_str(), FALSE) != FALSE;
}

bool Program::Start(const char* exe, const std::string& currentFolder) {
    return Launch(m_folder + "\\" + exe, currentFolder.empty() ? m_folder : currentFolder, m_pi);
}

bool Program::RunAnotherCopy(DWORD timeoutMs, DWORD& exitCode) const {
    PROCESS_INFORMATION pi = {};
    if (!Launch(m_folder + "\\Zentrova.exe", m_folder, pi))
        return false;
    ::CloseHandle(pi.hThread);
    bool ended =
        WaitFor([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (!ended) {
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    exitCode = 0;
    ::GetExitCodeProcess(pi.hProcess, &exitCode);
    ::CloseHandle(pi.hProcess);
    return ended;
}

bool Program::StartAndWaitForTray(DWORD timeoutMs) {
    if (!Start() || !WaitFor([this] { return TrayWindow() != nullptr; }, timeoutMs))
        return false;
    // The window is listed from the start of its creation, before the hotkeys are registered
    // and the icon added: the program is ready once its thread answers a message.
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(TrayWindow(), WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) !=
           0;
}

bool Program::Running() const {
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(DWORD timeoutMs) {
    if (!m_pi.hProcess)
        return true;
    return WaitFor([this] { return !Running(); }, timeoutMs);
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_pi.hProcess)
        ::GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

HWND Program::TrayWindow() const {
    return FindProcessWindow(Pid(), "&Hide Magnify");
}
HWND Program::Sheet() const {
    return FindProcessWindow(Pid(), "  Zentrova 3.0");
}
HWND Program::ZoomWindow() const {
    return FindProcessWindowByClass(Pid(), "QuilletZoom");
}

void Program::Command(UINT id) const {
    ::PostMessageA(TrayWindow(), WM_COMMAND, id, 0);
}

void Program::Stop() {
    if (!m_pi.hProcess)
        return;
    if (Running()) {
        // Close any message box or menu first, then Exit.
        if (HWND tray = TrayWindow())
            ::PostMessageA(tray, WM_COMMAND, ID_EXIT, 0);
        if (!WaitForExit(8000)) {
            ::TerminateProcess(m_pi.hProcess, 1);
            ::WaitForSingleObject(m_pi.hProcess, 5000);
        }
    }
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
    m_pi = {};
}

void PressKeys(const std::vector<WORD>& chord) {
    std::vector<INPUT> inputs;
    for (WORD vk : chord)
        inputs.push_back(KeyInput(vk, false));
    for (auto it = chord.rbegin(); it != chord.rend(); ++it)
        inputs.push_back(KeyInput(*it, true));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const char* text) {
    for (const char* p = text; *p; ++p) {
        SHORT vk = ::VkKeyScanA(*p);
        std::vector<WORD> chord;
        if (vk & 0x100)
            chord.push_back(VK_SHIFT);
        chord.push_back(static_cast<WORD>(vk & 0xFF));
        PressKeys(chord);
    }
}

void MouseAt(int x, int y, DWORD buttons) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    // In coordinates of the whole virtual desktop, so that every monitor is in reach.
    in.mi.dx = MulDiv(x - ::GetSystemMetrics(SM_XVIRTUALSCREEN), 65535,
                      ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    in.mi.dy = MulDiv(y - ::GetSystemMetrics(SM_YVIRTUALSCREEN), 65535,
                      ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
    in.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    ::SendInput(1, &in, sizeof in);
}

int CountColour(const RECT& area, COLORREF colour, int tolerance, POINT* centre) {
    const int w = area.right - area.left;
    int count = 0, at = 0;
    long long sumX = 0, sumY = 0;
    for (DWORD px : ScreenPixels(area, true)) {
        if (std::abs(int(px >> 16 & 255) - GetRValue(colour)) <= tolerance &&
            std::abs(int(px >> 8 & 255) - GetGValue(colour)) <= tolerance &&
            std::abs(int(px & 255) - GetBValue(colour)) <= tolerance) {
            ++count;
            sumX += at % w;
            sumY += at / w;
        }
        ++at;
    }
    if (centre && count > 0)
        *centre = {area.left + static_cast<LONG>(sumX / count),
                   area.top + static_cast<LONG>(sumY / count)};
    return count;
}

RECT TrayArea() {
    RECT rc = {0, 0, 0, 0};
    if (HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr)) {
        ::GetWindowRect(taskbar, &rc);
        rc.left = rc.right - 120;
    }
    return rc;
}

void SaveScreenshot(const char* name) {
    const char* dir = std::getenv("ZEN_SCREENSHOTS");
    if (!dir)
        return;
    // Every monitor.
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
              h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const std::vector<DWORD> px = ScreenPixels({x, y, x + w, y + h}, false); // bottom-up rows
    const int stride = (w * 3 + 3) & ~3;
    std::string rows(static_cast<size_t>(stride) * h, '\0');
    for (size_t i = 0; i < px.size(); ++i) // blue, green, red
        std::memcpy(&rows[i / w * stride + i % w * 3], &px[i], 3);
    BITMAPINFOHEADER bh = {sizeof bh, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER fh = {0x4D42, 0, 0, 0, sizeof fh + sizeof bh};
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(rows.size());
    ::CreateDirectoryA(WinePath(dir).c_str(), nullptr);
    std::ofstream out(WinePath(dir) + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&bh), sizeof bh);
    out << rows;
}

namespace {

// Sends a message to a control of another process whose lParam points at `data`: the data goes
// through a buffer in that process's memory, at whose address `place` may first point it.
template <class T, class Place>
void SendRemote(HWND control, UINT msg, WPARAM wp, T& data, Place place) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(control, &pid);
    HANDLE proc =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!proc)
        return;
    auto* remote =
        static_cast<T*>(::VirtualAllocEx(proc, nullptr, sizeof data, MEM_COMMIT, PAGE_READWRITE));
    place(data, remote);
    ::WriteProcessMemory(proc, remote, &data, sizeof data, nullptr);
    ::SendMessageA(control, msg, wp, reinterpret_cast<LPARAM>(remote));
    ::ReadProcessMemory(proc, remote, &data, sizeof data, nullptr);
    ::VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
    ::CloseHandle(proc);
}

HWND TabsOf(HWND sheet) {
    return ::FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
}

} // namespace

std::vector<std::string> SheetTabs(HWND sheet) {
    std::vector<std::string> labels;
    HWND tabs = TabsOf(sheet);
    for (int i = 0; i < static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)); ++i) {
        struct Item {
            TCITEMA item;
            char text[256];
        } data = {};
        data.item.mask = TCIF_TEXT;
        data.item.cchTextMax = sizeof data.text;
        SendRemote(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), data,
                   [](Item& d, Item* there) { d.item.pszText = there->text; });
        data.text[sizeof data.text - 1] = '\0';
        labels.push_back(data.text);
    }
    return labels;
}

int SheetActiveTab(HWND sheet) {
    HWND tabs = TabsOf(sheet);
    return tabs ? static_cast<int>(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) : -1;
}

RECT SheetTabRect(HWND sheet, int index) {
    RECT rc = {0, 0, 0, 0};
    HWND tabs = TabsOf(sheet);
    SendRemote(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), rc, [](RECT&, RECT*) {});
    ::MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

} // namespace e2e
