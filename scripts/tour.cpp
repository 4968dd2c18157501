// The tour that `make run` shows without a display (scripts/run-zentrova):
// the program at rest with its tray icon, its options window on every tab, the
// colour editor, Tip of the Day over the About tab, the skin dialog, its tray menu with a
// highlighted item and a capture, each saved as a screenshot into the folder named by
// ZEN_SCREENSHOTS. Not a test: a screenshot script. Every wait is checked; one that times out
// says what it waited for and the tour ends with a non-zero status.
//   ZEN_SCREENSHOTS=DIR [ZEN_BIN_DIR=DIR] zen_tour.exe
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

const COLORREF kIconSwatch = RGB(0xf3, 0xc2, 0x1a);

bool Need(bool ok, const char* what) {
    if (!ok)
        std::fprintf(stderr, "zen_tour: timed out waiting for %s\n", what);
    return ok;
}

void Shot(const char* name) {
    SaveScreenshot(name);
    std::printf("zen_tour: %s\n", name);
}

// The tray menu paints its highlighted item's caption in red (CTrayMenu's
// kHighlightText); the menu belongs to the other process, so its state is
// read from the screen.
bool MenuItemHighlighted(HWND menu) {
    RECT rc;
    return ::GetWindowRect(menu, &rc) && CountColour(rc, RGB(255, 0, 0), 24) > 10;
}

int Tour(Program& p) {
    // The program as it ships, with its skin library.
    if (!Need(p.UseShippedSkins(), "scheme.dat beside the built program"))
        return 1;
    if (!Need(p.StartAndWaitForTray(), "Zentrova's tray window \"&Hide Magnify\""))
        return 1;
    if (!Need(WaitFor([] { return CountColour(TrayArea(), kIconSwatch, 30) > 4; }),
              "the tray icon in the notification area"))
        return 1;
    Shot("01_tray_icon");

    p.Command(ID_OPTIONS);
    if (!Need(WaitFor([&] { return p.Sheet() != nullptr; }), "the options window"))
        return 1;
    HWND sheet = p.Sheet();
    const char* names[] = {"02_options_color", "03_options_magnify", "04_options_capture",
                           "05_options_about"};
    const char* tabs[] = {"the Color tab", "the Magnify tab", "the Capture tab", "the About tab"};
    for (int i = 0; i < 4; ++i) {
        ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        if (!Need(WaitFor([&] { return SheetActiveTab(sheet) == i; }), tabs[i]))
            return 1;
        ::RedrawWindow(sheet, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        WaitFor([] { return false; }, 300); // let the page paint
        Shot(names[i]);
    }
    // The colour editor, opened from the Color page on the colour it shows.
    ::SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
    HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_COLOR_EDIT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_COLOR_EDIT)));
    HWND editor = nullptr;
    if (!Need(WaitFor([&] { return (editor = FindProcessWindow(p.Pid(), "Edit Color")); }),
              "the colour editor"))
        return 1;
    WaitFor([] { return false; }, 300); // let it paint
    Shot("07_color_editor");
    ::PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
    if (!Need(WaitFor([&] { return !::IsWindow(editor); }), "the colour editor to close"))
        return 1;
    // Tip of the Day, opened from the About tab, which it stands over.
    ::SendMessageA(sheet, PSM_SETCURSEL, 3, 0);
    page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_TIP, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_ABOUT_TIP)));
    HWND tip = nullptr;
    if (!Need(WaitFor([&] { return (tip = FindProcessWindow(p.Pid(), "Tip of the Day")); }),
              "Tip of the Day"))
        return 1;
    WaitFor([] { return false; }, 300); // let it paint
    Shot("10_tip_of_the_day");
    ::PostMessageA(tip, WM_COMMAND, IDCANCEL, 0);
    if (!Need(WaitFor([&] { return !::IsWindow(tip); }), "Tip of the Day to close"))
        return 1;
    // The skin dialog, from the About page's "&Skin": the options window closes first.
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_SKIN, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_ABOUT_SKIN)));
    HWND skins = nullptr;
    if (!Need(WaitFor([&] {
                  skins = FindProcessWindowByClass(p.Pid(), "#32770");
                  return skins && ::GetDlgItem(skins, IDC_SKIN_LIST);
              }),
              "the skin dialog"))
        return 1;
    WaitFor([] { return false; }, 300); // let its preview paint
    Shot("11_skin_dialog");
    ::PostMessageA(skins, WM_COMMAND, IDCANCEL, 0);
    if (!Need(WaitFor([&] { return !::IsWindow(skins) && p.Sheet() == nullptr; }),
              "the skin dialog and the options window to close"))
        return 1;

    RECT tray = TrayArea();
    MouseAt(tray.right - 30, tray.top - 200);
    ::PostMessageA(p.TrayWindow(), WM_USER, 101, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!Need(WaitFor([&] {
                  menu = ::FindWindowA("#32768", nullptr);
                  return menu && ::IsWindowVisible(menu);
              }),
              "the tray menu"))
        return 1;
    for (int i = 0; i < 2; ++i) {
        PressKeys({VK_DOWN});
        WaitFor([] { return false; }, 50);
    }
    if (!Need(WaitFor([&] { return MenuItemHighlighted(menu); }),
              "a highlighted item in the tray menu"))
        return 1;
    ::UpdateWindow(menu);
    WaitFor([] { return false; }, 300);
    Shot("06_tray_menu");
    PressKeys({VK_ESCAPE});
    if (!Need(WaitFor([&] { return !::IsWindowVisible(menu); }), "the tray menu to close"))
        return 1;

    // A capture: the frozen screen with a band dragged over it, then the result.
    p.Command(ID_CAPTURE);
    HWND overlay = nullptr;
    if (!Need(WaitFor([&] { return (overlay = FindProcessWindowByClass(p.Pid(), "paste")); }),
              "the capture overlay"))
        return 1;
    MouseAt(700, 500);
    ::PostMessageA(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(260, 160));
    ::PostMessageA(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(700, 500));
    WaitFor([] { return false; }, 300); // let the band show
    Shot("08_capture_overlay");
    ::PostMessageA(overlay, WM_LBUTTONUP, 0, MAKELPARAM(700, 500));
    HWND result = nullptr;
    if (!Need(WaitFor([&] { return (result = FindProcessWindow(p.Pid(), "Congratulation!")); }),
              "the capture result dialog"))
        return 1;
    WaitFor([] { return false; }, 300); // let it paint
    Shot("09_capture_result");
    ::PostMessageA(result, WM_COMMAND, IDCANCEL, 0);
    if (!Need(WaitFor([&] { return !::IsWindow(result); }), "the result dialog to close"))
        return 1;
    return 0;
}

} // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (!std::getenv("ZEN_SCREENSHOTS")) {
        std::fprintf(stderr, "zen_tour: set ZEN_SCREENSHOTS to the folder for the screenshots\n");
        return 2;
    }
    int status;
    {
        Program p; // ended (Exit, or by force) when it goes out of scope
        status = Tour(p);
    }
    return status;
}
