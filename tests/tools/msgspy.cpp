// A test-only hook library: reports every WM_COMMAND that one window of
// another process takes from its queue to a window of the test, without
// changing anything in the observed program.
#include <windows.h>

namespace {
// Shared by every process that loads the library.
HWND g_target __attribute__((section(".shared"), shared)) = nullptr;
HWND g_report __attribute__((section(".shared"), shared)) = nullptr;
UINT g_reportMsg __attribute__((section(".shared"), shared)) = 0;
HHOOK g_hook __attribute__((section(".shared"), shared)) = nullptr;
HINSTANCE g_module = nullptr;

LRESULT CALLBACK GetMessageProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE) {
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        if (m->hwnd == g_target && m->message == WM_COMMAND)
            ::PostMessageA(g_report, g_reportMsg, m->wParam, m->lParam);
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
