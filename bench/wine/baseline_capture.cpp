// The yardstick for a capture's last step: on a button release it copies a rectangle of the
// screen from its top left corner, as wide and high as the release point says, into one bitmap
// and hands that to the clipboard. Nothing else.
#include <windows.h>

static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_LBUTTONUP) {
        const int cx = LOWORD(l), cy = HIWORD(l);
        HDC screen = ::GetDC(nullptr);
        HDC mem = ::CreateCompatibleDC(screen);
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, cx, cy);
        HGDIOBJ old = ::SelectObject(mem, bmp);
        ::BitBlt(mem, 0, 0, cx, cy, screen, 0, 0, SRCCOPY);
        ::SelectObject(mem, old);
        ::DeleteDC(mem);
        ::ReleaseDC(nullptr, screen);
        if (::OpenClipboard(h)) {
            ::EmptyClipboard();
            if (!::SetClipboardData(CF_BITMAP, bmp))
                ::DeleteObject(bmp);
            ::CloseClipboard();
        }
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
    wc.lpszClassName = "BaselineCapture";
    ::RegisterClassA(&wc);
    ::CreateWindowA("BaselineCapture", "Baseline Capture", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                    inst, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    return 0;
}
