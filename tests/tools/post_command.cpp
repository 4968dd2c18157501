// Posts a command to Zentrova's tray window from outside the program, so a
// script on Linux can end a `make run` as the tray menu's Exit would
// (scripts/test-make-run). Run under the same WINEPREFIX and DISPLAY.
//   zen_post.exe COMMAND_ID [TIMEOUT_MS]
// Waits for the top-level window titled exactly "&Hide Magnify", posts
// WM_COMMAND COMMAND_ID to it and exits 0; exits 1 if no such window appeared
// within the time-out (default 30000 ms), 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kTitle[] = "&Hide Magnify";

BOOL CALLBACK FindProc(HWND h, LPARAM lp) {
    char text[64] = "";
    ::GetWindowTextA(h, text, sizeof text);
    if (std::strcmp(text, kTitle) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
}

HWND FindTrayWindow() {
    HWND found = nullptr;
    ::EnumWindows(FindProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: zen_post COMMAND_ID [TIMEOUT_MS]\n");
        return 2;
    }
    char* end = nullptr;
    unsigned long id = std::strtoul(argv[1], &end, 0);
    if (*end || id == 0 || id > 0xFFFF) {
        std::fprintf(stderr, "zen_post: not a command id: %s\n", argv[1]);
        return 2;
    }
    DWORD timeout = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30000;
    DWORD start = ::GetTickCount();
    HWND tray;
    while (!(tray = FindTrayWindow())) {
        if (::GetTickCount() - start > timeout) {
            std::fprintf(stderr, "zen_post: no window \"%s\" within %lu ms\n", kTitle, timeout);
            return 1;
        }
        ::Sleep(100);
    }
    if (!::PostMessageA(tray, WM_COMMAND, static_cast<WPARAM>(id), 0)) {
        std::fprintf(stderr, "zen_post: PostMessage failed (%lu)\n", ::GetLastError());
        return 1;
    }
    std::printf("zen_post: found \"%s\" after %lu ms; posted WM_COMMAND %lu\n", kTitle,
                ::GetTickCount() - start, id);
    return 0;
}
