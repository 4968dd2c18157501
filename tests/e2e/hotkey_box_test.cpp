// A hotkey box takes the program's own hotkeys while it has the focus.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

TEST(HotkeyBox, TakesTheHotkeyItHoldsAndTheHotkeysComeBackAfterwards) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    p.Command(ID_OPTIONS);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr && ::IsWindowVisible(p.Sheet()); }));
    HWND sheet = p.Sheet();
    ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0); // Magnify
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        box = page ? ::GetDlgItem(page, IDC_MAG_HOTKEY) : nullptr;
        return box && ::IsWindowVisible(box);
    }));
    // The user clears the box, clicks into it and types Alt+Z again.
    ::SendMessageA(box, HKM_SETHOTKEY, 0, 0);
    RECT rc;
    ::GetWindowRect(box, &rc);
    Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ASSERT_TRUE(WaitFor([&] {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &gui) &&
               gui.hwndFocus == box;
    })) << "the click did not put the focus in the box";
    PressKeys({VK_MENU, 'Z'});
    EXPECT_TRUE(WaitFor([&] {
        return LOWORD(::SendMessageA(box, HKM_GETHOTKEY, 0, 0)) == MAKEWORD('Z', HOTKEYF_ALT);
    })) << "the box shows "
        << std::hex << ::SendMessageA(box, HKM_GETHOTKEY, 0, 0);

    ::PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet, IDOK)));
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    const std::string ini = p.Folder() + "\\Zentrova.ini";
    EXPECT_EQ(::GetPrivateProfileIntA("", "wKey", -1, ini.c_str()), static_cast<UINT>('Z'));
    EXPECT_EQ(::GetPrivateProfileIntA("", "wMod", -1, ini.c_str()), static_cast<UINT>(HOTKEYF_ALT));
    // With the box gone the hotkey works again.
    MoveMouse(500, 400);
    PressKeys({VK_MENU, 'Z'});
    EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "Alt+Z did not come back";
}
