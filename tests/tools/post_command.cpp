// Posts a command to Zentrova's tray window from outside the program, so a
// script on Linux can end a `make run` as the tray menu's Exit would
// (scripts/test-make-run). Run under the same WINEPREFIX and DISPLAY.
//   zen_post.exe COMMAND_ID [TIMEOUT_MS]
// Waits for the top-level window titled exactly "&Hide Magnify", posts
// WM_COMMAND COMMAND_ID to it and exits 0; exits 1 if no such window appeared
// within the time-out (default 30000 ms), 2 on a usage error.
#include <cstdio>
#include <cstdlib>

#include "tests/e2e/harness.h"

int main(int argc, char** argv) {
    char* end = nullptr;
    const unsigned long id = argc > 1 ? std::strtoul(argv[1], &end, 0) : 0;
    if (argc > 3 || id == 0 || id > 0xFFFF || *end) {
        std::fprintf(stderr, "usage: zen_post COMMAND_ID [TIMEOUT_MS]\n");
        return 2;
    }
    const DWORD timeout = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 30000;
    HWND tray = nullptr;
    if (!e2e::WaitFor([&] { return (tray = ::FindWindowA(nullptr, "&Hide Magnify")) != nullptr; },
                      timeout) ||
        !::PostMessageA(tray, WM_COMMAND, static_cast<WPARAM>(id), 0)) {
        std::fprintf(stderr, "zen_post: no window \"&Hide Magnify\" within %lu ms\n", timeout);
        return 1;
    }
    std::printf("zen_post: posted WM_COMMAND %lu\n", id);
    return 0;
}
