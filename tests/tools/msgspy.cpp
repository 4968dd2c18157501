// A test-only hook library: reports every WM_COMMAND that one window of
// another process takes from its queue to a window of the test, without
// changing anything in the observed program. Asked by a posted request, it
// also counts, from inside that process, the GDI and USER objects it holds
// and its private memory, measures a control's text in the control's font, or tells a window
// that its DPI changed.
#include <windows.h>
#include <psapi.h>

namespace {
// Shared by every process that loads the library.
HWND g_target __attribute__((section(".shared"), shared)) = nullptr;
HWND g_report __attribute__((section(".shared"), shared)) = nullptr;
UINT g_reportMsg __attribute__((section(".shared"), shared)) = 0;
HHOOK g_hook __attribute__((section(".shared"), shared)) = nullptr;
HINSTANCE g_module = nullptr;

// Live GDI objects of this process. GetGuiResources where the system counts them; Wine answers
// 0 there, but its handle table is per process and a handle without its generation bits names
// whatever lives at that index, so every index is asked for its object type.
// Device contexts and regions are counted apart (under Wine only): the system's cache of window
// DCs, each with its region, grows to the largest number of DCs ever in use at once.
DWORD CountGdiObjects(bool& scanned, DWORD& dcsAndRegions) {
    scanned = false;
    dcsAndRegions = 0;
    if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return n;
    scanned = true;
    DWORD n = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        if (const DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(index))) {
            ++n;
            if (type == OBJ_DC || type == OBJ_REGION)
                ++dcsAndRegions;
        }
    return n;
}

BOOL CALLBACK CountOwnWindow(HWND h, LPARAM counter) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(counter);
        ::EnumChildWindows(h, CountOwnWindow, counter);
    }
    return TRUE;
}

// USER objects: GetGuiResources where it answers, else the windows of this process and the
// menus of the handle table (menus are not tied to a process there, so others' count too, but
// the test's and the desktop's stay the same during a measurement).
DWORD CountUserObjects() {
    if (DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS))
        return n;
    DWORD n = 0;
    ::EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&n));
    for (UINT_PTR index = 0x20; index < 0x10000; index += 2)
        if (::IsMenu(reinterpret_cast<HMENU>(index)))
            ++n;
    return n;
}

// Private bytes in KB; Wine leaves PrivateUsage 0 and keeps the anonymous resident memory in
// PagefileUsage, as Windows keeps the private commit there too.
DWORD PrivateKilobytes() {
    PROCESS_MEMORY_COUNTERS_EX pm = {};
    pm.cb = sizeof pm;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(),
                                reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pm), sizeof pm))
        return 0;
    const SIZE_T bytes = pm.PrivateUsage ? pm.PrivateUsage : pm.PagefileUsage;
    return static_cast<DWORD>(bytes / 1024);
}

// A control's text in its own font: the width and height of one line, and the size it takes when
// it breaks into lines of the control's width.
void MeasureText(HWND control, SIZE& line, SIZE& wrapped) {
    char text[512] = "";
    const int length = ::GetWindowTextA(control, text, sizeof text);
    RECT rc = {};
    ::GetClientRect(control, &rc);
    const UINT prefix = (::GetWindowLongA(control, GWL_STYLE) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    HDC dc = ::GetDC(control);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(SYSTEM_FONT));
    RECT one = {0, 0, 0, 0}, lines = {0, 0, rc.right, 0};
    ::DrawTextA(dc, text, length, &one, DT_CALCRECT | DT_SINGLELINE | prefix);
    ::DrawTextA(dc, text, length, &lines, DT_CALCRECT | DT_WORDBREAK | prefix);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    line = {one.right, one.bottom};
    wrapped = {lines.right, lines.bottom};
}

LRESULT CALLBACK GetMessageProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE) {
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        if (m->hwnd == g_target && m->message == WM_COMMAND)
            ::PostMessageA(g_report, g_reportMsg, m->wParam, m->lParam);
        static const UINT countRequest = ::RegisterWindowMessageA("ZenSpyCountObjects");
        if (m->hwnd == g_target && m->message == countRequest) {
            // Reply: GDI count (high bit: counted by the scan) and USER count in wParam's two
            // halves, private memory in KB in lParam.
            // The DC and region count follows as a second message.
            bool scanned = false;
            DWORD dcs = 0;
            const DWORD gdi = CountGdiObjects(scanned, dcs) & 0x7FFF;
            const DWORD user = CountUserObjects() & 0xFFFF;
            ::PostMessageA(g_report, g_reportMsg + 1,
                           (scanned ? 0x8000u : 0u) << 16 | gdi << 16 | user,
                           static_cast<LPARAM>(PrivateKilobytes()));
            ::PostMessageA(g_report, g_reportMsg + 2, dcs, 0);
        }
        static const UINT measureRequest = ::RegisterWindowMessageA("ZenSpyMeasureText");
        if (m->hwnd == g_target && m->message == measureRequest) {
            // Reply: one line's width and height in wParam's halves, the broken text's in
            // lParam's.
            SIZE line = {}, wrapped = {};
            MeasureText(reinterpret_cast<HWND>(m->wParam), line, wrapped);
            ::PostMessageA(g_report, g_reportMsg + 3, MAKEWPARAM(line.cx, line.cy),
                           MAKELPARAM(wrapped.cx, wrapped.cy));
        }
        static const UINT dpiRequest = ::RegisterWindowMessageA("ZenSpyChangeDpi");
        if (m->hwnd == g_target && m->message == dpiRequest) {
            // As the system tells a window moved to a monitor of another scale, suggesting the
            // place it has now. Reply when it has been told.
            const HWND window = reinterpret_cast<HWND>(m->wParam);
            const WORD dpi = static_cast<WORD>(m->lParam);
            RECT suggested = {};
            ::GetWindowRect(window, &suggested);
            ::SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            ::PostMessageA(g_report, g_reportMsg + 4, 0, 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}
} // namespace

extern "C" __declspec(dllexport) BOOL SpyOnCommands(HWND target, HWND report, UINT reportMsg) {
    if (g_hook)
        ::UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    if (!target)
        return TRUE;
    g_target = target;
    g_report = report;
    g_reportMsg = reportMsg;
    DWORD thread = ::GetWindowThreadProcessId(target, nullptr);
    g_hook = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageProc, g_module, thread);
    return g_hook != nullptr;
}

BOOL WINAPI DllMain(HINSTANCE inst, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        g_module = inst;
    return TRUE;
}
