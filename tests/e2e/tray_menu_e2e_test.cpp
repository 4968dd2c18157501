// The tray icon's menu on screen: its items top to bottom, its look, and the
// commands chosen from the keyboard.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace {

constexpr COLORREF kTurquoise = RGB(188, 254, 245);
constexpr COLORREF kRed = RGB(255, 0, 0);

// Clicks the icon the way the shell reports it and waits for the menu.
HWND OpenTrayMenu(const Program& p) {
    ::PostMessageA(p.TrayWindow(), WM_USER, 101, WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitFor([&] {
        menu = ::FindWindowA("#32768", nullptr);
        return menu && ::IsWindowVisible(menu);
    });
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

bool MenuClosed() {
    HWND menu = ::FindWindowA("#32768", nullptr);
    return !menu || !::IsWindowVisible(menu);
}

RECT WindowRect(HWND w) {
    RECT rc = {};
    ::GetWindowRect(w, &rc);
    return rc;
}

// Hides again what a command of the menu showed.
void Undo(const Program& p, UINT command) {
    if (command == ID_OPTIONS) {
        EXPECT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; })) << "the options window opens";
        ::PostMessageA(p.Sheet(), WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    } else if (command == ID_MAGNIFY) {
        EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "the zoom window shows";
        p.Command(ID_MAGNIFY);
        EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() == nullptr; }));
    } else if (command == ID_HELP_INSTALL) {
        HWND help = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            return (help = FindProcessWindowByClass(p.Pid(), "HH Parent")) != nullptr;
        })) << "the help opens";
        ::PostMessageA(help, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(help); }));
    }
}

// Opens the menu, presses the keys and checks the command that arrives.
void Choose(const Program& p, Spy& spy, const std::vector<WORD>& keys, UINT command) {
    ASSERT_NE(OpenTrayMenu(p), nullptr);
    for (WORD key : keys) {
        PressKeys({key});
        WaitFor([] { return false; }, 50);
    }
    EXPECT_TRUE(spy.WaitFor(command)) << "command " << command;
    EXPECT_TRUE(WaitFor(MenuClosed));
    Undo(p, command);
    if (command != ID_EXIT) {
        EXPECT_TRUE(spy.WaitIdle());
    }
}

} // namespace

TEST(TrayMenu, ItemsFromTopToBottomChosenWithTheArrows) {
    const UINT byPosition[] = {ID_HELP_INSTALL,  ID_MAGNIFY, ID_CAPTURE,
                               ID_PICKER_TOGGLE, ID_EXIT,    ID_OPTIONS};
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND menuWnd = OpenTrayMenu(p);
    ASSERT_NE(menuWnd, nullptr);
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWnd, MN_GETHMENU, 0, 0));
    // Where the system lets another process read the menu, its ids in order.
    if (::GetMenuItemCount(menu) >= 0) {
        std::vector<UINT> ids;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            ids.push_back(::GetMenuItemID(menu, i));
        EXPECT_EQ(ids, std::vector<UINT>(std::begin(byPosition), std::end(byPosition)));
    }
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitFor(MenuClosed));

    // Everywhere: walk down to each item and choose it with Enter. Exit and
    // Capture end or cover the program, so they come last, each on its own copy.
    Spy spy(p.TrayWindow());
    ASSERT_TRUE(spy.Installed());
    for (int position : {3, 5, 1, 0}) {
        std::vector<WORD> keys(static_cast<size_t>(position) + 1, VK_DOWN);
        keys.push_back(VK_RETURN);
        Choose(p, spy, keys, byPosition[position]);
    }
    p.Stop(); // one copy runs at a time
    for (int position : {2, 4}) {
        Program q;
        ASSERT_TRUE(q.StartAndWaitForTray());
        Spy qspy(q.TrayWindow());
        std::vector<WORD> keys(static_cast<size_t>(position) + 1, VK_DOWN);
        keys.push_back(VK_RETURN);
        Choose(q, qspy, keys, byPosition[position]);
        if (byPosition[position] == ID_EXIT) {
            EXPECT_TRUE(q.WaitForExit());
        }
    }
}

TEST(TrayMenu, MnemonicsChooseTheirItems) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    Spy spy(p.TrayWindow());
    ASSERT_TRUE(spy.Installed());
    const struct {
        WORD key;
        UINT command;
    } cases[] = {{'O', ID_OPTIONS}, {'M', ID_MAGNIFY}, {'H', ID_HELP_INSTALL}};
    for (const auto& c : cases)
        Choose(p, spy, {c.key}, c.command);
}

TEST(TrayMenu, TurquoiseItemsAndARedHighlightedCaption) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND menuWnd = OpenTrayMenu(p);
    ASSERT_NE(menuWnd, nullptr);
    RECT rc = WindowRect(menuWnd);
    int area = (rc.right - rc.left) * (rc.bottom - rc.top);
    EXPECT_TRUE(WaitFor([&] { return CountColour(rc, kTurquoise, 0) > area / 2; }, 3000))
        << "the items are turquoise";
    EXPECT_EQ(CountColour(rc, kRed, 0), 0) << "nothing is highlighted before the keyboard moves in";
    // The strip down the left edge carries the program's name, not turquoise.
    RECT strip = {rc.left + 4, rc.top + 4, rc.left + 20, rc.bottom - 4};
    EXPECT_LT(CountColour(strip, kTurquoise, 0),
              (strip.right - strip.left) * (strip.bottom - strip.top) * 9 / 10);

    PressKeys({VK_DOWN});
    EXPECT_TRUE(WaitFor([&] { return CountColour(rc, kRed, 0) > 10; }, 3000))
        << "the highlighted caption is red";
    SaveScreenshot("tray_menu_highlight");
    // Moving on: still exactly one red caption, in the second item's band.
    PressKeys({VK_DOWN});
    RECT first = {rc.left, rc.top, rc.right, rc.top + 22};
    EXPECT_TRUE(WaitFor([&] { return CountColour(first, kRed, 0) == 0; }, 3000))
        << "the first item lost its red";
    EXPECT_GT(CountColour(rc, kRed, 0), 10);
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitFor(MenuClosed));
}
