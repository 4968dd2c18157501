// The tray icon as the user meets it: clicked once, clicked twice, after the
// taskbar has restarted, and while the zoom window is up.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

// Icon colours: the swatch of the normal icon, the busy icon's red dot.
const COLORREF kIconSwatch = RGB(0xf3, 0xc2, 0x1a);
const COLORREF kBusyDot = RGB(0xe0, 0x20, 0x20);

bool IconShown() {
    return CountColour(TrayArea(), kIconSwatch, 30) > 4;
}
bool BusyIconShown() {
    return CountColour(TrayArea(), kBusyDot, 30) > 4;
}

HWND MenuShown() {
    HWND menu = ::FindWindowA("#32768", nullptr);
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

// Left-clicks the icon `times` times in a row, as fast as a user's double click.
void ClickIcon(int times) {
    POINT at = {};
    ASSERT_GT(CountColour(TrayArea(), kIconSwatch, 30, &at), 4);
    MoveMouse(at.x, at.y);
    INPUT in[4] = {};
    for (int i = 0; i < 2 * times; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    ::SendInput(static_cast<UINT>(2 * times), in, sizeof(INPUT));
}

} // namespace

TEST(TrayIcon, ADoubleClickOpensOptionsAndASingleClickTheMenu) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    ASSERT_TRUE(WaitFor(IconShown));
    ClickIcon(2);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; })) << "no options window";
    // Past the double-click time the menu has not come up on its own.
    EXPECT_FALSE(WaitFor([] { return MenuShown() != nullptr; }, 2 * ::GetDoubleClickTime()));
    ::PostMessageA(p.Sheet(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));

    ClickIcon(1);
    ASSERT_TRUE(WaitFor([] { return MenuShown() != nullptr; })) << "no menu";
    EXPECT_EQ(p.Sheet(), nullptr);
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([] { return MenuShown() == nullptr; }));
}

TEST(TrayIcon, ComesBackWhenTheTaskbarRestarts) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    ASSERT_TRUE(WaitFor(IconShown));
    // A taskbar that restarted knows no icons: take ours away as a restart would.
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = p.TrayWindow();
    nid.uID = 101;
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &nid));
    ASSERT_TRUE(WaitFor([] { return !IconShown(); }));
    ::PostMessageA(p.TrayWindow(), ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor(IconShown)) << "the icon did not come back";
}

TEST(TrayIcon, TheBusyIconLeavesWithTheZoomWindowWhicheverWayItHides) {
    Program p;
    // Hand-edited values out of range read as the defaults: Alt+Z still works.
    const std::string ini = p.Folder() + "\\Zentrova.ini";
    WriteIniSetting(ini, "", "wKey", 65536);
    WriteIniSetting(ini, "", "wMod", -1);
    // Without persist the zoom window hides at the next click.
    WriteIniSetting(ini, "", "bNoPersist", 1);
    ASSERT_TRUE(p.StartAndWaitForTray());
    ASSERT_TRUE(WaitFor(IconShown));
    EXPECT_FALSE(BusyIconShown()) << "a magnifier hotkey is in force";
    MoveMouse(500, 400);
    PressKeys({VK_MENU, 'Z'});
    ASSERT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "Alt+Z showed nothing";
    ASSERT_TRUE(WaitFor(BusyIconShown));
    Click(300, 300);
    ASSERT_TRUE(WaitFor([&] { return p.ZoomWindow() == nullptr; }));
    EXPECT_TRUE(WaitFor([] { return !BusyIconShown(); })) << "the busy icon stayed";
}
