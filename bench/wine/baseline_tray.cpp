// The yardstick for start-up time: the smallest program that creates one
// window and one notification icon, using the same icon as Zentrova.
#include <windows.h>
#include <shellapi.h>

static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND && LOWORD(w) == 40002) {
        NOTIFYICONDATAA nid = {};
        nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
        nid.hWnd = h;
        nid.uID = 101;
        ::Shell_NotifyIconA(NIM_DELETE, &nid);
        ::DestroyWindow(h);
        return 0;
    }
    if (m == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcA(h, m, w, l);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.lpszClassName = "BaselineTray";
    ::RegisterClassA(&wc);
    HWND h = ::CreateWindowA("BaselineTray", "Baseline Tray", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, inst, nullptr);
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = h;
    nid.uID = 101;
    nid.uFlags = NIF_ICON | NIF_TIP;
    nid.hIcon = ::LoadIconA(inst, MAKEINTRESOURCEA(104));
    lstrcpyA(nid.szTip, "Baseline");
    ::Shell_NotifyIconA(NIM_ADD, &nid);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
