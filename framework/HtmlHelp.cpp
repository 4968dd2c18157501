// HTML Help through hhctrl.ocx, loaded when first needed so that a missing
// viewer costs nothing at start-up and never stops the program.
#include "framework/HtmlHelp.h"

#include "framework/App.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

#include <cstring>
#include <string>

namespace {

constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kDisplayTextPopup = 0x000E;

struct HhPopup {
    int cbStruct;
    HINSTANCE hinst;
    UINT idString;
    LPCSTR pszText;
    POINT pt;
    COLORREF clrForeground;
    COLORREF clrBackground;
    RECT rcMargins;
    LPCSTR pszFont;
};

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpFn Viewer() {
    static HtmlHelpFn fn = [] {
        HMODULE m = ::LoadLibraryA("hhctrl.ocx");
        return m ? reinterpret_cast<HtmlHelpFn>(
                       reinterpret_cast<void*>(::GetProcAddress(m, "HtmlHelpA")))
                 : nullptr;
    }();
    return fn;
}

} // namespace

HWND HtmlHelpDisplayTopic(HWND owner, const std::string& path) {
    HtmlHelpFn fn = Viewer();
    return fn ? fn(owner, path.c_str(), kDisplayTopic, 0) : nullptr;
}

HWND ShowHelpTopic(HWND owner, const char* topic) {
    const CWinApp* app = AfxGetApp();
    std::string file = app ? app->m_helpFilePath : std::string();
    return HtmlHelpDisplayTopic(owner, file.empty() ? file : file + "::/" + topic);
}

namespace {

// A plain context-help popup for viewers that cannot show text popups: a
// bordered tip-coloured window with the text that takes the keyboard while
// it is up, and closes at any click or key or when it is left.
constexpr char kPopupClass[] = "ZentrovaHelpPopup";
constexpr int kPopupWidth = 280, kPopupMargin = 6;

LRESULT CALLBACK PopupProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        CPaintDC dc(h);
        RECT rc;
        ::GetClientRect(h, &rc);
        ::InflateRect(&rc, -kPopupMargin, -kPopupMargin);
        char text[1024] = "";
        ::GetWindowTextA(h, text, sizeof text);
        CSelectObject font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
        ::DrawTextA(dc, text, -1, &rc, DT_WORDBREAK | DT_NOPREFIX);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CAPTURECHANGED:
        ::DestroyWindow(h);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE)
            ::DestroyWindow(h);
        return 0;
    default:
        return ::DefWindowProcA(h, msg, wp, lp);
    }
}

HWND ShowPlainPopup(HWND owner, const char* text, POINT at) {
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(inst, kPopupClass, &wc)) {
        wc.style = CS_SAVEBITS | CS_DROPSHADOW;
        wc.lpfnWndProc = PopupProc;
        wc.hInstance = inst;
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_INFOBK);
        wc.lpszClassName = kPopupClass;
        ::RegisterClassA(&wc);
    }
    // Measure the text at the popup's width to size it.
    RECT rc = {0, 0, kPopupWidth - 2 * kPopupMargin, 0};
    {
        CClientDC dc(nullptr);
        CSelectObject font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::DrawTextA(dc, text, -1, &rc, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    }
    int w = rc.right + 2 * kPopupMargin + 2, h = rc.bottom + 2 * kPopupMargin + 2;
    HWND popup =
        ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupClass, text, WS_POPUP | WS_BORDER,
                          at.x, at.y, w, h, owner, nullptr, inst, nullptr);
    if (popup) {
        // Wholly on the monitor of the point it stands at.
        MoveOntoMonitor(popup, ::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST));
        ::ShowWindow(popup, SW_SHOW);
        ::UpdateWindow(popup);
        ::SetFocus(popup);
        ::SetCapture(popup);
    }
    return popup;
}

} // namespace

HWND HtmlHelpTextPopup(HWND owner, const char* text, POINT at) {
    HtmlHelpFn fn = Viewer();
    if (!fn)
        return ShowPlainPopup(owner, text, at);
    HhPopup popup = {};
    popup.cbStruct = sizeof popup;
    popup.pszText = text;
    popup.pt = at;
    popup.clrForeground = static_cast<COLORREF>(-1);
    popup.clrBackground = static_cast<COLORREF>(-1);
    popup.rcMargins = {-1, -1, -1, -1};
    HWND shown = fn(owner, nullptr, kDisplayTextPopup, reinterpret_cast<DWORD_PTR>(&popup));
    return shown ? shown : ShowPlainPopup(owner, text, at);
}
