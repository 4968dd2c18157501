// The magnifier's zoom window.
//
// While it is on screen a timer on the window moves it beside the cursor and
// copies the screen around the cursor into it, about 60 times a second; while
// it is hidden there is no timer and no hook, so the library costs nothing.
// Without the persist flag, low-level mouse and keyboard hooks watch for the
// next click or key press, only while the window is on screen.
#include "hooklib/ZoomWindow.h"

#include "res/resource.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quillet {

namespace {

const wchar_t kZoomClass[] = L"QuilletZoom";
const UINT_PTR kFollowTimer = 1;
const UINT kFollowPeriodMs = 16; // about 60 frames a second
const UINT kHideMessage = WM_APP + 1;

// The one window whose input watch is on; low-level hooks carry no pointer.
CZoomWindow* s_watcher = nullptr;

HINSTANCE ModuleInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

bool IsModifierKey(unsigned vk) {
    switch (vk) {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
        return true;
    default:
        return false;
    }
}

// The modifiers held right now, in the hotkey registration's flags.
unsigned HeldModifiers() {
    unsigned mods = 0;
    if (GetAsyncKeyState(VK_MENU) < 0)
        mods |= MOD_ALT;
    if (GetAsyncKeyState(VK_CONTROL) < 0)
        mods |= MOD_CONTROL;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        mods |= MOD_SHIFT;
    if (GetAsyncKeyState(VK_LWIN) < 0 || GetAsyncKeyState(VK_RWIN) < 0)
        mods |= MOD_WIN;
    return mods;
}

LayoutRect VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

LayoutRect MonitorAt(POINT pt) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoW(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi))
        return {mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom};
    return VirtualScreen();
}

bool SameRect(const LayoutRect& a, const LayoutRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

void CZoomWindow::SetSettings(int regionWidth, int regionHeight, int factor, int gap,
                              bool persist) {
    m_settings = ClampZoomSettings(regionWidth, regionHeight, factor, gap);
    m_persist = persist;
    if (Visible()) {
        Follow();
        SetInputWatch(!m_persist);
    }
}

void CZoomWindow::SetToggleKey(unsigned vk, unsigned mods) {
    m_toggleVk = vk;
    m_toggleMods = mods;
}

void CZoomWindow::Enable(bool enable) {
    m_enabled = enable;
    if (!enable)
        Hide();
}

void CZoomWindow::Show(bool show) {
    if (!show) {
        Hide();
        return;
    }
    if (!m_enabled || Visible())
        return;
    if (m_hwnd == nullptr && !Create())
        return;
    // A display DC of its own for the copies while the window is up.
    m_screen = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    m_screensKnown = false;
    Follow();
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hwnd); // the first picture is there at once, not a tick later
    m_timerOn = SetTimer(m_hwnd, kFollowTimer, kFollowPeriodMs, nullptr) != 0;
    SetInputWatch(!m_persist);
}

bool CZoomWindow::Visible() const {
    return m_hwnd != nullptr && IsWindowVisible(m_hwnd);
}

bool CZoomWindow::Create() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_OWNDC; // painted 60 times a second: one DC of its own, not one from the cache
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = kZoomClass;
    RegisterClassExW(&wc); // fails harmlessly when the class exists already

    // Layered and transparent: clicks fall through to whatever is under it.
    // A layered window is also left out of screen copies made without
    // CAPTUREBLT, so the window never magnifies itself.
    const DWORD exStyle =
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT;
    m_hwnd = CreateWindowExW(exStyle, kZoomClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             ModuleInstance(), this);
    if (m_hwnd == nullptr)
        return false;
    SetLayeredWindowAttributes(m_hwnd, 0, 255, LWA_ALPHA);
    m_dc = GetDC(m_hwnd); // the window's own, valid for its life
    m_placed = {0, 0, 0, 0};
    return true;
}

void CZoomWindow::Hide() {
    SetInputWatch(false);
    if (m_hwnd == nullptr)
        return;
    if (m_timerOn)
        KillTimer(m_hwnd, kFollowTimer);
    m_timerOn = false;
    ShowWindow(m_hwnd, SW_HIDE);
    ReleaseScreen();
}

void CZoomWindow::ReleaseScreen() {
    if (m_screen != nullptr)
        DeleteDC(m_screen);
    m_screen = nullptr;
}

void CZoomWindow::Follow() {
    POINT pt;
    if (!GetCursorPos(&pt)) // no cursor to follow (a secure desktop): keep the last picture
        return;
    m_hotspot = {pt.x, pt.y};
    // The screen's layout is asked again only when the cursor leaves the
    // monitor it was on, or the display changes: 60 times a second it costs.
    if (!m_screensKnown || pt.x < m_monitor.left || pt.x >= m_monitor.right ||
        pt.y < m_monitor.top || pt.y >= m_monitor.bottom) {
        m_monitor = MonitorAt(pt);
        m_virtualScreen = VirtualScreen();
        m_screensKnown = true;
    }
    const LayoutRect monitor = m_monitor;
    m_shown = FitZoomToScreen(m_settings, monitor);
    const LayoutRect placed = PlaceZoomWindow(m_hotspot, monitor, m_shown);
    if (!SameRect(placed, m_placed)) {
        SetWindowPos(m_hwnd, HWND_TOPMOST, placed.left, placed.top, placed.Width(), placed.Height(),
                     SWP_NOACTIVATE);
        m_placed = placed;
    }
    if (m_dc != nullptr && IsWindowVisible(m_hwnd))
        Paint(m_dc);
}

void CZoomWindow::Paint(HDC dc) const {
    const ZoomBlit blit = ZoomSourceBlit(m_hotspot, m_virtualScreen, m_shown);
    const RECT client{0, 0, m_shown.regionWidth * m_shown.factor,
                      m_shown.regionHeight * m_shown.factor};
    // What lies off the screen shows black, beside the copied part.
    if (blit.dest.left > 0 || blit.dest.top > 0 || blit.dest.right < client.right ||
        blit.dest.bottom < client.bottom) {
        const int saved = SaveDC(dc);
        if (!blit.dest.Empty())
            ExcludeClipRect(dc, blit.dest.left, blit.dest.top, blit.dest.right, blit.dest.bottom);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        RestoreDC(dc, saved);
    }
    if (blit.source.Empty())
        return;
    HDC screen = m_screen != nullptr ? m_screen : GetDC(nullptr);
    if (screen == nullptr)
        return;
    const int savedMode = SetStretchBltMode(dc, COLORONCOLOR); // crisp enlarged pixels
    StretchBlt(dc, blit.dest.left, blit.dest.top, blit.dest.Width(), blit.dest.Height(), screen,
               blit.source.left, blit.source.top, blit.source.Width(), blit.source.Height(),
               SRCCOPY);
    SetStretchBltMode(dc, savedMode);
    if (screen != m_screen)
        ReleaseDC(nullptr, screen);
}

void CZoomWindow::SetInputWatch(bool on) {
    if (on && m_keyboardHook == nullptr) {
        for (unsigned vk = 1; vk < 256; ++vk)
            m_heldAtShow[vk] = GetAsyncKeyState(static_cast<int>(vk)) < 0;
        s_watcher = this;
        m_keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, ModuleInstance(), 0);
        m_mouseHook = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, ModuleInstance(), 0);
    } else if (!on) {
        if (m_keyboardHook != nullptr)
            UnhookWindowsHookEx(m_keyboardHook);
        if (m_mouseHook != nullptr)
            UnhookWindowsHookEx(m_mouseHook);
        m_keyboardHook = nullptr;
        m_mouseHook = nullptr;
        if (s_watcher == this)
            s_watcher = nullptr;
    }
}

void CZoomWindow::OnInput(bool isKey, bool down, unsigned vk) {
    if (isKey && vk < 256) {
        if (!down) {
            m_heldAtShow[vk] = false;
            return;
        }
        // Repeats of a key held since before the window showed, modifiers on
        // their own and the magnifier hotkey itself (which toggles the window
        // through the tray) are not the press that dismisses it.
        if (m_heldAtShow[vk] || IsModifierKey(vk))
            return;
        if (vk == m_toggleVk && HeldModifiers() == m_toggleMods)
            return;
    } else if (!down) {
        return;
    }
    // Hidden from the window's own message, so the hook returns at once.
    PostMessageW(m_hwnd, kHideMessage, 0, 0);
}

LRESULT CALLBACK CZoomWindow::KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && s_watcher != nullptr) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        s_watcher->OnInput(true, down, k->vkCode);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CZoomWindow::MouseHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && s_watcher != nullptr) {
        switch (wParam) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            s_watcher->OnInput(false, true, 0);
            break;
        default:
            break;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CZoomWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CZoomWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(hwnd, msg, wParam, lParam);

    switch (msg) {
    case WM_TIMER:
        if (wParam == kFollowTimer)
            self->Follow();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(hwnd, &ps)) {
            self->Paint(dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        self->Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DISPLAYCHANGE:
        self->m_screensKnown = false;
        break;
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole window
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case kHideMessage:
        self->Hide();
        if (self->m_owner != nullptr)
            PostMessageW(self->m_owner, WM_COMMAND, ID_ZOOM_HIDDEN, 0);
        return 0;
    case WM_NCDESTROY:
        self->SetInputWatch(false);
        self->ReleaseScreen();
        self->m_hwnd = nullptr;
        self->m_dc = nullptr;
        self->m_timerOn = false;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace quillet
