// A test-only hook library that drops files on a window of another process
// as the shell does: the drop's memory (a DROPFILES block from GlobalAlloc)
// must belong to the receiving process, so the hook builds it there and hands
// the window a real WM_DROPFILES.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

namespace {
constexpr unsigned kMaxList = 8192;
// Shared by every process that loads the library.
HWND g_target __attribute__((section(".shared"), shared)) = nullptr;
UINT g_requestMsg __attribute__((section(".shared"), shared)) = 0;
HHOOK g_hook __attribute__((section(".shared"), shared)) = nullptr;
DWORD g_hookThread __attribute__((section(".shared"), shared)) = 0;
unsigned g_listBytes __attribute__((section(".shared"), shared)) = 0;
char g_list[kMaxList] __attribute__((section(".shared"), shared)) = {1};
HINSTANCE g_module = nullptr;

LRESULT CALLBACK GetMessageProc(int code, WPARAM wp, LPARAM lp) {
    MSG* m = reinterpret_cast<MSG*>(lp);
    if (code == HC_ACTION && wp == PM_REMOVE && m->hwnd == g_target && m->message == g_requestMsg &&
        g_requestMsg != 0) {
        m->message = WM_NULL;
        HGLOBAL drop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + g_listBytes);
        if (auto* files = static_cast<DROPFILES*>(::GlobalLock(drop))) {
            files->pFiles = sizeof(DROPFILES);
            files->fWide = FALSE;
            std::memcpy(files + 1, g_list, g_listBytes);
            ::GlobalUnlock(drop);
            // The window releases the drop (DragFinish).
            ::SendMessageA(g_target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}
} // namespace

extern "C" __declspec(dllexport) void StopDropping() {
    if (g_hook)
        ::UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

// Drops the paths of `list` (each ends with a NUL, the list with another) on
// `target`; returns once the request is queued for the target's thread.
extern "C" __declspec(dllexport) BOOL DropFilesOn(HWND target, const char* list, unsigned bytes) {
    if (bytes > kMaxList)
        return FALSE;
    // One hook per receiving thread: a new copy of the program gets its own.
    DWORD thread = ::GetWindowThreadProcessId(target, nullptr);
    if (!g_hook || thread != g_hookThread) {
        StopDropping();
        g_hook = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageProc, g_module, thread);
        g_hookThread = thread;
        if (!g_hook)
            return FALSE;
    }
    g_requestMsg = ::RegisterWindowMessageA("ZentrovaTestDropFiles");
    g_target = target;
    std::memcpy(g_list, list, bytes);
    g_listBytes = bytes;
    return ::PostMessageA(target, g_requestMsg, 0, 0);
}

BOOL WINAPI DllMain(HINSTANCE inst, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        g_module = inst;
    return TRUE;
}
