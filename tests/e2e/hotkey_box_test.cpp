// A hotkey box takes the program's own hotkeys while it has the focus.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "tests/e2e/pages.h"

using namespace e2e;

TEST(HotkeyBox, TakesTheHotkeyItHoldsAndTheHotkeysComeBackAfterwards) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p), box = page ? ::GetDlgItem(page, IDC_MAG_HOTKEY) : nullptr;
    ASSERT_NE(box, nullptr);
    // The user clears the box, clicks into it and types Alt+Z again.
    ::SendMessageA(box, HKM_SETHOTKEY, 0, 0);
    ClickCentre(box);
    ASSERT_TRUE(WaitForFocus(box)) << "the click did not put the focus in the box";
    PressKeys({VK_MENU, 'Z'});
    EXPECT_TRUE(WaitFor([&] {
        return LOWORD(::SendMessageA(box, HKM_GETHOTKEY, 0, 0)) == MAKEWORD('Z', HOTKEYF_ALT);
    })) << "the box shows "
        << std::hex << ::SendMessageA(box, HKM_GETHOTKEY, 0, 0);

    ASSERT_TRUE(PressSheetButton(p, IDOK));
    EXPECT_EQ(Stored(p, "wKey"), 'Z');
    EXPECT_EQ(Stored(p, "wMod"), HOTKEYF_ALT);
    // With the box gone the hotkey works again.
    MoveMouse(500, 400);
    PressKeys({VK_MENU, 'Z'});
    EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "Alt+Z did not come back";
}
