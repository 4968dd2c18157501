// Window binding and message dispatch; the frame window; menus.
#include "framework/Wnd.h"

#include <algorithm>

#include "framework/CommonControls.h"

#include <commctrl.h>

#include "framework/App.h"
#include "framework/Menu.h"

namespace {

// The object pointer rides on a window property: a per-window value, so no
// process-wide table maps windows to objects. It is the one binding of every
// kind of window (own class, dialog, property page, subclassed control): the
// window procedures find the object only through it.
const char kObjectProp[] = "Zentrova.CWnd";
const char kFrameClass[] = "ZentrovaFrame";
constexpr UINT_PTR kSubclassId = 0x5A454E; // 'ZEN'

} // namespace

const MsgMap* CWnd::GetThisMessageMap() {
    static const MsgMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const MsgMap map = {nullptr, entries};
    return &map;
}

CWnd::~CWnd() {
    if (m_hWnd) {
        // The object goes first: the window must not call into it any more.
        HWND h = m_hWnd;
        Unbind();
        if (::IsWindow(h) && !::GetParent(h))
            ::DestroyWindow(h);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kObjectProp)) : nullptr;
}

void CWnd::Bind(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kObjectProp, this);
}

void CWnd::Unbind() {
    if (!m_hWnd)
        return;
    if (m_subclassed) {
        comctl::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
        m_subclassed = false;
    }
    if (::GetPropA(m_hWnd, kObjectProp) == this)
        ::RemovePropA(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    Unbind();
    return h;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

std::string CWnd::GetWindowText() const {
    int n = ::GetWindowTextLengthA(m_hWnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = ::GetWindowTextA(m_hWnd, &s[0], n + 1);
    s.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return s;
}

UINT CWnd::CurrentCtlType() const {
    UINT msg = m_cur.msg >= WM_REFLECT_BASE ? m_cur.msg - WM_REFLECT_BASE : m_cur.msg;
    return msg - WM_CTLCOLORMSGBOX;
}

BOOL CWnd::RegisterWndClass(LPCSTR className, HICON icon, HCURSOR cursor) {
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    // A class of that name that is not ours would bind no object.
    if (::GetClassInfoExA(inst, className, &wc))
        return wc.lpfnWndProc == StaticWndProc;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = inst;
    wc.hIcon = icon;
    wc.hCursor = cursor ? cursor : ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    return ::RegisterClassExA(&wc) != 0;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parent, HMENU menuOrId) {
    if (!RegisterWndClass(className))
        return FALSE;
    HWND h = ::CreateWindowExA(exStyle, className, windowName, style, x, y, cx, cy, parent,
                               menuOrId, ::GetModuleHandleA(nullptr), this);
    return h != nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    // One object per window: a window bound already keeps its object.
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    Bind(hWnd);
    m_subclassed = comctl::SetWindowSubclass(hWnd, SubclassProc, kSubclassId, 0) != FALSE;
    if (!m_subclassed) {
        Unbind();
        return FALSE;
    }
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    CWnd* self = FromHandlePermanent(h);
    if (!self && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<LPCREATESTRUCTA>(lp);
        self = static_cast<CWnd*>(cs->lpCreateParams);
        if (self)
            self->Bind(h);
    }
    if (!self)
        return ::DefWindowProcA(h, msg, wp, lp);
    LRESULT r = self->WindowProc(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->Unbind();
        self->PostNcDestroy();
    }
    return r;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    CWnd* self = FromHandlePermanent(h);
    if (!self)
        return comctl::DefSubclassProc(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        LRESULT r = comctl::DefSubclassProc(h, msg, wp, lp);
        self->Unbind();
        self->PostNcDestroy();
        return r;
    }
    return self->WindowProc(msg, wp, lp);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    CurrentMessageScope scope(this, msg, wp, lp);
    LRESULT result = 0;
    // No exception may cross into the system's window procedures.
    try {
        if (!OnWndMsg(msg, wp, lp, result))
            result = DefWindowProc(msg, wp, lp);
    } catch (...) {
        result = 0;
    }
    return result;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_cur.msg, m_cur.wp, m_cur.lp);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (m_subclassed)
        return comctl::DefSubclassProc(m_hWnd, msg, wp, lp);
    return ::DefWindowProcA(m_hWnd, msg, wp, lp);
}

const MsgMapEntry* CWnd::FindEntry(UINT msg, UINT code, UINT id) const {
    for (const MsgMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MsgMapEntry* e = map->entries; e->thunk; ++e) {
            if (e->pRegistered) { // a registered number is never 0
                if (*e->pRegistered != 0 && *e->pRegistered == msg)
                    return e;
                continue;
            }
            if (e->message != msg)
                continue;
            if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == ZEN_MSG_UPDATE_UI ||
                msg == WM_REFLECT_BASE + WM_COMMAND || msg == WM_REFLECT_BASE + WM_NOTIFY) {
                if (e->code != code || id < e->idFirst || id > e->idLast)
                    continue;
            }
            return e;
        }
    }
    return nullptr;
}

bool CWnd::ReflectToChild(HWND child, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    CWnd* obj = FromHandlePermanent(child);
    if (!obj || obj == this)
        return false;
    UINT reflected = WM_REFLECT_BASE + msg;
    UINT code = 0, id = 0;
    if (msg == WM_COMMAND) {
        code = HIWORD(wp);
        id = LOWORD(wp);
    } else if (msg == WM_NOTIFY) {
        auto* nm = reinterpret_cast<NMHDR*>(lp);
        code = nm->code;
        id = static_cast<UINT>(nm->idFrom);
    }
    const MsgMapEntry* e = obj->FindEntry(reflected, code, id);
    if (!e)
        return false;
    CurrentMessageScope scope(obj, reflected, wp, lp);
    result = e->thunk(obj, wp, lp);
    return true;
}

bool CWnd::OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        return OnCommand(wp, lp, result);
    case WM_NOTIFY:
        return OnNotify(wp, lp, result);
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lp);
        if (dis->CtlType != ODT_MENU && ReflectToChild(dis->hwndItem, msg, wp, lp, result))
            return true;
        break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        if (ReflectToChild(reinterpret_cast<HWND>(lp), msg, wp, lp, result))
            return true;
        break;
    default:
        break;
    }
    if (const MsgMapEntry* e = FindEntry(msg, 0, 0)) {
        result = e->thunk(this, wp, lp);
        return true;
    }
    return false;
}

bool CWnd::OnCommand(WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND control = reinterpret_cast<HWND>(lp);
    if (control && ReflectToChild(control, WM_COMMAND, wp, lp, result))
        return true;
    UINT id = LOWORD(wp);
    // Menus (0) and accelerators (1) give no notification code.
    UINT code = control ? HIWORD(wp) : 0;
    // A disabled menu or accelerator command is not carried out, whoever
    // sends it.
    if (!control) {
        if (const MsgMapEntry* u = FindEntry(ZEN_MSG_UPDATE_UI, 0, id)) {
            CCmdUI ui;
            ui.m_nID = id;
            u->thunk(this, 0, reinterpret_cast<LPARAM>(&ui));
            if (ui.m_enableSet && !ui.m_enabled) {
                result = 0;
                return true;
            }
        }
    }
    if (const MsgMapEntry* e = FindEntry(WM_COMMAND, code, id)) {
        result = e->thunk(this, wp, lp);
        return true;
    }
    return false;
}

bool CWnd::OnNotify(WPARAM wp, LPARAM lp, LRESULT& result) {
    auto* nm = reinterpret_cast<NMHDR*>(lp);
    if (ReflectToChild(nm->hwndFrom, WM_NOTIFY, wp, lp, result))
        return true;
    if (const MsgMapEntry* e = FindEntry(WM_NOTIFY, nm->code, static_cast<UINT>(nm->idFrom))) {
        result = e->thunk(this, wp, lp);
        return true;
    }
    return false;
}

void CWnd::UpdateMenuItems(HMENU hMenu) {
    int n = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < n; ++i) {
        UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        const MsgMapEntry* e = FindEntry(ZEN_MSG_UPDATE_UI, 0, id);
        if (!e)
            continue;
        CCmdUI ui;
        ui.m_nID = id;
        e->thunk(this, 0, reinterpret_cast<LPARAM>(&ui));
        if (ui.m_enableSet)
            ::EnableMenuItem(hMenu, static_cast<UINT>(i),
                             MF_BYPOSITION | (ui.m_enabled ? MF_ENABLED : MF_GRAYED));
    }
}

// CFrameWnd

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD style, HWND parent) {
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    char title[256] = "";
    ::LoadStringA(inst, nIDResource, title, sizeof title);
    if (!RegisterWndClass(kFrameClass, ::LoadIconA(inst, MAKEINTRESOURCEA(nIDResource))))
        return FALSE;
    // FWS_ADDTOTITLE only says that the title is the document's; the frame
    // of this program has no document, so the title is the string itself.
    style &= ~FWS_ADDTOTITLE;
    return CreateEx(0, kFrameClass, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, parent, nullptr);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}

void CFrameWnd::OnDestroy() {
    Default();
    // The main window's end is the application's end.
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
}

void CFrameWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
    if (dis->CtlType == ODT_MENU && m_pTrackingMenu)
        m_pTrackingMenu->DrawItem(dis);
    else
        Default();
}

void CFrameWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT mis) {
    if (mis->CtlType == ODT_MENU && m_pTrackingMenu)
        m_pTrackingMenu->MeasureItem(mis);
    else
        Default();
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wp, LPARAM) {
    UpdateMenuItems(reinterpret_cast<HMENU>(wp));
    return 0;
}

// CMenu

CMenu::~CMenu() {
    DestroyMenu();
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
    DestroyMenu();
    m_hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDResource));
    return m_hMenu != nullptr;
}

void CMenu::Attach(HMENU hMenu) {
    if (hMenu != m_hMenu)
        DestroyMenu();
    m_hMenu = hMenu;
}

HMENU CMenu::TakeSubMenu(int pos) {
    HMENU sub = ::GetSubMenu(m_hMenu, pos);
    // RemoveMenu, unlike DeleteMenu, leaves the popup alive.
    if (!sub || !::RemoveMenu(m_hMenu, static_cast<UINT>(pos), MF_BYPOSITION))
        return nullptr;
    return sub;
}

HMENU CMenu::Detach() {
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu)
        return FALSE;
    BOOL ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return ok;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
    CMenu* previous = owner->m_pTrackingMenu;
    owner->m_pTrackingMenu = this;
    BOOL r = ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner->m_hWnd, nullptr);
    owner->m_pTrackingMenu = previous;
    return r;
}

// Monitors

namespace {

MONITORINFO InfoOf(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(monitor, &info)) {
        info.rcMonitor = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        info.rcWork = info.rcMonitor;
    }
    return info;
}

// Moves the window's rectangle inside `area` by as little as it takes.
void KeepInside(HWND window, RECT rc, const RECT& area) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const int x = std::max<int>(area.left, std::min<int>(rc.left, area.right - w));
    const int y = std::max<int>(area.top, std::min<int>(rc.top, area.bottom - h));
    RECT now;
    if (::GetWindowRect(window, &now) && (now.left != x || now.top != y))
        ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

HMONITOR PointerMonitor() {
    POINT at = {0, 0};
    ::GetCursorPos(&at);
    return ::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST);
}

void CentreOnMonitor(HWND window, HMONITOR monitor) {
    RECT rc;
    if (!::GetWindowRect(window, &rc))
        return;
    const RECT work = InfoOf(monitor).rcWork;
    ::OffsetRect(&rc, (work.left + work.right - rc.left - rc.right) / 2,
                 (work.top + work.bottom - rc.top - rc.bottom) / 2);
    KeepInside(window, rc, work);
}

void MoveOntoMonitor(HWND window, HMONITOR monitor) {
    RECT rc;
    if (!::GetWindowRect(window, &rc))
        return;
    const RECT from = InfoOf(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST)).rcWork;
    const RECT to = InfoOf(monitor).rcWork;
    ::OffsetRect(&rc, to.left - from.left, to.top - from.top);
    KeepInside(window, rc, to);
}

UINT DpiOf(HWND window) {
    // Windows 10 (1607) and later; the system's DPI before.
    using ForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow = reinterpret_cast<ForWindow>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (forWindow && window)
        if (const UINT dpi = forWindow(window))
            return dpi;
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT DpiOfMonitor(HMONITOR monitor) {
    // Windows 8.1 and later.
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto forMonitor = [] {
        HMODULE shcore = ::LoadLibraryA("shcore.dll");
        return reinterpret_cast<ForMonitor>(reinterpret_cast<void (*)()>(
            shcore ? ::GetProcAddress(shcore, "GetDpiForMonitor") : nullptr));
    }();
    UINT x = 0, y = 0;
    if (forMonitor && monitor && forMonitor(monitor, 0 /* effective */, &x, &y) == S_OK && y)
        return y;
    return DpiOf(nullptr);
}

RECT VirtualDesktop() {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}
