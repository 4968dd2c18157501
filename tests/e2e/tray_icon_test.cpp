// The tray icon as the user meets it: clicked once (its menu), clicked twice, other mouse
// messages, after the taskbar has restarted, and while the zoom window is up.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "tests/e2e/pages.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace {

// Left-clicks the icon `times` times in a row, as fast as a user's double click.
void ClickIcon(int times) {
    POINT at = {};
    ASSERT_GT(CountColour(TrayArea(), kIconSwatch, 30, &at), 4);
    MouseAt(at.x, at.y);
    INPUT in[4] = {};
    for (int i = 0; i < 2 * times; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    ::SendInput(static_cast<UINT>(2 * times), in, sizeof(INPUT));
}

} // namespace

TEST(TrayIcon, ADoubleClickOpensOptionsASingleClickTheMenuAndOtherMessagesNothing) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    ASSERT_TRUE(WaitFor(IconShown));
    Spy spy(p.TrayWindow());
    ::PostMessageA(p.TrayWindow(), WM_USER, 101, WM_MOUSEMOVE);
    ::PostMessageA(p.TrayWindow(), WM_USER, 102, WM_RBUTTONUP); // another icon id
    ASSERT_TRUE(spy.WaitIdle());
    EXPECT_EQ(ShownMenu(), nullptr);
    EXPECT_EQ(p.Sheet(), nullptr);
    ClickIcon(2);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; })) << "no options window";
    // Past the double-click time the menu has not come up on its own.
    EXPECT_FALSE(WaitFor([] { return ShownMenu() != nullptr; }, 2 * ::GetDoubleClickTime()));
    ASSERT_TRUE(PressSheetButton(p, IDCANCEL));

    ClickIcon(1);
    ASSERT_TRUE(WaitFor([] { return ShownMenu() != nullptr; })) << "no menu";
    EXPECT_EQ(p.Sheet(), nullptr);
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([] { return ShownMenu() == nullptr; }));

    // Its items top to bottom, each chosen with the arrows and Enter; the line between Capture and
    // Exit is an item too, the colour picker's toggle. Exit, last, ends the program.
    const UINT order[] = {ID_HELP_INSTALL,  ID_MAGNIFY, ID_CAPTURE,
                          ID_PICKER_TOGGLE, ID_EXIT,    ID_OPTIONS};
    for (int position : {0, 1, 2, 3, 5, 4}) {
        SCOPED_TRACE(position);
        ::PostMessageA(p.TrayWindow(), WM_USER, 101, WM_RBUTTONUP);
        ASSERT_TRUE(WaitFor([] { return ShownMenu() != nullptr; }));
        for (int i = 0; i <= position; ++i)
            PressKeys({VK_DOWN});
        PressKeys({VK_RETURN});
        const UINT command = order[position];
        ASSERT_TRUE(spy.WaitFor(command));
        if (command == ID_EXIT) {
            EXPECT_TRUE(p.WaitForExit());
            break;
        }
        ASSERT_TRUE(spy.WaitIdle());
        if (HWND help = FindProcessWindowByClass(p.Pid(), "HH Parent"))
            ::PostMessageA(help, WM_CLOSE, 0, 0);
        if (command == ID_CAPTURE) { // the overlay comes once the screen has repainted
            ASSERT_TRUE(WaitFor([&] { return Overlay(p); }));
            ASSERT_TRUE(spy.WaitIdle());
            PressKeys({VK_ESCAPE});
        }
        if (command == ID_MAGNIFY)
            p.Command(ID_MAGNIFY);
        if (p.Sheet())
            PressSheetButton(p, IDCANCEL);
        ASSERT_TRUE(WaitFor([&] {
            return !p.ZoomWindow() && !p.Sheet() && !Overlay(p) &&
                   !FindProcessWindowByClass(p.Pid(), "HH Parent");
        }));
    }
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
    WriteIniSetting(Ini(p), "", "wKey", 65536);
    WriteIniSetting(Ini(p), "", "wMod", -1);
    // Without persist the zoom window hides at the next click.
    WriteIniSetting(Ini(p), "", "bNoPersist", 1);
    ASSERT_TRUE(p.StartAndWaitForTray());
    ASSERT_TRUE(WaitFor(IconShown));
    EXPECT_FALSE(BusyIconShown()) << "a magnifier hotkey is in force";
    MouseAt(500, 400);
    // Alt+Z shows it; Alt+Z again hides it (its own key is no "next key press"), and so does a
    // click.
    for (bool click : {false, true}) {
        SCOPED_TRACE(click ? "click" : "Alt+Z");
        PressKeys({VK_MENU, 'Z'});
        ASSERT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "Alt+Z showed nothing";
        ASSERT_TRUE(WaitFor(BusyIconShown));
        SaveScreenshot("zoom_window_shown");
        if (click) {
            MouseAt(300, 300, MOUSEEVENTF_LEFTDOWN);
            MouseAt(300, 300, MOUSEEVENTF_LEFTUP);
        } else {
            PressKeys({VK_MENU, 'Z'});
        }
        ASSERT_TRUE(WaitFor([&] { return p.ZoomWindow() == nullptr; }));
        EXPECT_TRUE(WaitFor([] { return !BusyIconShown(); })) << "the busy icon stayed";
    }
}
