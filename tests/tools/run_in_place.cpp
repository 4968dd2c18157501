// Starts Zentrova.exe where it lies, as someone who has just unzipped it does:
// it must reach its tray window and icon, open its options window, and end
// with status 0 on Exit without having written anything into its folder.
// Used by scripts/test-dist on the unzipped release. Every wait has a
// time-out; the program is ended by its handle if it does not end by itself.
//   zen_run_in_place.exe FOLDER
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

bool Step(bool ok, const char* what) {
    std::printf("zen_run_in_place: %s: %s\n", ok ? "ok" : "FAIL", what);
    return ok;
}

int Check(const std::string& folder, const PROCESS_INFORMATION& pi) {
    auto tray = [&] { return FindProcessWindow(pi.dwProcessId, "&Hide Magnify"); };
    auto sheet = [&] { return FindProcessWindow(pi.dwProcessId, "  Zentrova 3.0"); };
    if (!Step(WaitFor([&] { return tray() != nullptr; }, 30000), "the tray window appeared") ||
        !Step(WaitFor(IconShown), "its icon shows in the notification area"))
        return 1;
    ::PostMessageA(tray(), WM_COMMAND, ID_OPTIONS, 0);
    auto colorPage = [&] {
        HWND page =
            sheet() ? reinterpret_cast<HWND>(::SendMessageA(sheet(), PSM_GETCURRENTPAGEHWND, 0, 0))
                    : nullptr;
        HWND hotkey = page ? ::GetDlgItem(page, IDC_COLOR_HOTKEY) : nullptr;
        return hotkey && ::IsWindowVisible(hotkey);
    };
    if (!Step(WaitFor(colorPage), "the options window opened on its Color page"))
        return 1;
    // Painted through before the picture is taken (WM_PAINT is sent, not posted, this way).
    ::RedrawWindow(sheet(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveScreenshot("dist_options");
    std::vector<std::string> before = ListFolder(folder);
    ::PostMessageA(sheet(), WM_COMMAND, IDCANCEL, 0);
    ::PostMessageA(tray(), WM_COMMAND, ID_EXIT, 0);
    DWORD code = STILL_ACTIVE;
    bool ended =
        WaitFor([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 15000);
    ::GetExitCodeProcess(pi.hProcess, &code);
    if (!Step(ended && code == 0, "Exit ended it with status 0"))
        return 1;
    std::vector<std::string> after = ListFolder(folder);
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    return Step(before == after, "nothing was written into its folder") ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zen_run_in_place FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    PROCESS_INFORMATION pi = {};
    if (!Step(Launch(folder + "\\Zentrova.exe", folder, pi), "Zentrova.exe started"))
        return 1;
    int status = Check(folder, pi);
    if (::WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    // The last word, so a caller can tell a run that ended early from one that passed.
    if (status == 0)
        std::printf("zen_run_in_place: passed\n");
    return status;
}
