// The tray icon's menu on screen: its items top to bottom and the commands
// chosen from the keyboard.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <vector>

#include "tests/e2e/pages.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace {

// Opens the menu as the shell reports a click on the icon.
bool OpenTrayMenu(const Program& p) {
    ::PostMessageA(p.TrayWindow(), WM_USER, 101, WM_RBUTTONUP);
    return WaitFor([] { return ShownMenu() != nullptr; });
}

// Opens the menu, presses the keys, checks the command that arrives and hides again what
// the command showed.
void Choose(const Program& p, Spy& spy, const std::vector<WORD>& keys, UINT command) {
    ASSERT_TRUE(OpenTrayMenu(p));
    for (WORD key : keys) {
        PressKeys({key});
        WaitFor([] { return false; }, 50);
    }
    EXPECT_TRUE(spy.WaitFor(command)) << "command " << command;
    EXPECT_TRUE(WaitFor([] { return !ShownMenu(); }));
    if (command == ID_OPTIONS) {
        EXPECT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; })) << "the options window opens";
        EXPECT_TRUE(PressSheetButton(p, IDCANCEL));
    } else if (command == ID_MAGNIFY) {
        EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "the zoom window shows";
        p.Command(ID_MAGNIFY);
        EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() == nullptr; }));
    } else if (command == ID_HELP_INSTALL) {
        HWND help = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            return (help = FindProcessWindowByClass(p.Pid(), "HH Parent")) != nullptr;
        })) << "the help opens";
        EXPECT_EQ(WindowText(help), "Zentrova Help");
        ::PostMessageA(help, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(help); }));
    }
    if (command != ID_EXIT) {
        EXPECT_TRUE(spy.WaitIdle());
    }
}

std::vector<WORD> DownTo(int position) { // arrows to the item, then Enter
    std::vector<WORD> keys(static_cast<size_t>(position) + 1, VK_DOWN);
    keys.push_back(VK_RETURN);
    return keys;
}

} // namespace

TEST(TrayMenu, ItemsFromTopToBottomChosenFromTheKeyboard) {
    // The separator line is an item too: it sends 40007, the colour picker toggle.
    const UINT byPosition[] = {ID_HELP_INSTALL,  ID_MAGNIFY, ID_CAPTURE,
                               ID_PICKER_TOGGLE, ID_EXIT,    ID_OPTIONS};
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    ASSERT_TRUE(OpenTrayMenu(p));
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(ShownMenu(), MN_GETHMENU, 0, 0));
    // Where the system lets another process read the menu, its ids in order.
    if (::GetMenuItemCount(menu) >= 0) {
        std::vector<UINT> ids;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
            ids.push_back(::GetMenuItemID(menu, i));
        EXPECT_EQ(ids, std::vector<UINT>(std::begin(byPosition), std::end(byPosition)));
    }
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitFor([] { return !ShownMenu(); }));

    // Everywhere: walk down to each item and choose it with Enter, or type its letter. Exit
    // ends the program, so it comes last; Capture covers it, so it runs on a copy of its own.
    Spy spy(p.TrayWindow());
    ASSERT_TRUE(spy.Installed());
    for (int position : {3, 5, 1, 0})
        Choose(p, spy, DownTo(position), byPosition[position]);
    Choose(p, spy, {'M'}, ID_MAGNIFY);
    // Exit ends the program even with the options window open, storing nothing.
    ASSERT_TRUE(OpenOptions(p));
    Choose(p, spy, DownTo(4), ID_EXIT);
    EXPECT_TRUE(p.WaitForExit());
    EXPECT_EQ(p.ExitCode(), 0u);
    EXPECT_FALSE(FileExists(Ini(p)));
    Program q;
    ASSERT_TRUE(q.StartAndWaitForTray());
    Spy qspy(q.TrayWindow());
    Choose(q, qspy, DownTo(2), ID_CAPTURE);
}
