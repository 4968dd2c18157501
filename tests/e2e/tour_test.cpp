// The tour that `make run` shows without a display: the program at rest, its
// options window on every tab and its tray menu, each saved as a screenshot.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

TEST(Tour, TrayIconOptionsWindowAndMenu) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    WaitFor([] { return CountColour(TrayArea(), RGB(0xf3, 0xc2, 0x1a), 30) > 4; });
    SaveScreenshot("01_tray_icon");

    p.Command(ID_OPTIONS);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; }));
    HWND sheet = p.Sheet();
    const char* names[] = {"02_options_color", "03_options_magnify", "04_options_capture",
                           "05_options_about"};
    for (int i = 0; i < 4; ++i) {
        ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        ::RedrawWindow(sheet, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        WaitFor([&] { return SheetActiveTab(sheet) == i; });
        SaveScreenshot(names[i]);
    }
    ::PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));

    RECT tray = TrayArea();
    MoveMouse(tray.right - 30, tray.top - 200);
    ::PostMessageA(p.TrayWindow(), WM_USER, 101, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        menu = ::FindWindowA("#32768", nullptr);
        return menu && ::IsWindowVisible(menu);
    }));
    PressKeys({VK_DOWN});
    PressKeys({VK_DOWN});
    HMENU hmenu = reinterpret_cast<HMENU>(::SendMessageA(menu, MN_GETHMENU, 0, 0));
    WaitFor([&] {
        for (int i = 0; i < ::GetMenuItemCount(hmenu); ++i)
            if (::GetMenuState(hmenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
                return true;
        return false;
    });
    ::UpdateWindow(menu);
    SaveScreenshot("06_tray_menu");
    PressKeys({VK_ESCAPE});
}
