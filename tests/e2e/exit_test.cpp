// Every way out of the program, with the options window open: Exit, closing
// the tray window, the Windows session ending, a second Exit on top of the
// first and Exit under a message box. Each ends the options window first and
// leaves no icon behind.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

const COLORREF kIconSwatch = RGB(0xf3, 0xc2, 0x1a);

bool IconShown() {
    return CountColour(TrayArea(), kIconSwatch, 30) > 4;
}

// Starts the program and opens its options window.
bool StartWithOptionsOpen(Program& p) {
    if (!p.StartAndWaitForTray() || !WaitFor(IconShown))
        return false;
    p.Command(ID_OPTIONS);
    return WaitFor([&] { return p.Sheet() != nullptr && ::IsWindowVisible(p.Sheet()); });
}

// The program ended by itself, cleanly, and took its icon with it.
void ExpectCleanEnd(Program& p) {
    ASSERT_TRUE(p.WaitForExit(15000)) << "the program did not end";
    EXPECT_EQ(p.ExitCode(), 0u);
    EXPECT_TRUE(WaitFor([] { return !IconShown(); })) << "the icon outlived the program";
}

} // namespace

TEST(WaysOut, EachEndsTheOpenOptionsWindowThenTheProgram) {
    struct Way {
        const char* name;
        void (*take)(HWND tray);
    } ways[] = {
        {"Exit", [](HWND t) { ::PostMessageA(t, WM_COMMAND, ID_EXIT, 0); }},
        {"WM_CLOSE", [](HWND t) { ::PostMessageA(t, WM_CLOSE, 0, 0); }},
        {"session end",
         [](HWND t) {
             // The system asks first, then tells; it may end the process after that.
             ::SendMessageTimeoutA(t, WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000, nullptr);
             ::PostMessageA(t, WM_ENDSESSION, TRUE, 0);
         }},
        {"Exit twice",
         [](HWND t) {
             ::PostMessageA(t, WM_COMMAND, ID_EXIT, 0);
             ::PostMessageA(t, WM_COMMAND, ID_EXIT, 0);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Program p;
        ASSERT_TRUE(StartWithOptionsOpen(p));
        way.take(p.TrayWindow());
        ExpectCleanEnd(p);
    }
}

TEST(WaysOut, ExitUnderAValidationMessageBoxEndsIt) {
    Program p;
    ASSERT_TRUE(StartWithOptionsOpen(p));
    HWND sheet = p.Sheet();
    ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0); // Magnify
    HWND page = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page && ::GetDlgItem(page, IDC_MAG_REGION);
    }));
    ::SendMessageA(::GetDlgItem(page, IDC_MAG_REGION), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>("5"));
    ::PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet, IDOK)));
    ASSERT_TRUE(WaitFor([&] { return FindProcessWindow(p.Pid(), "!Zentrova") != nullptr; }))
        << "the refusal is shown";
    p.Command(ID_EXIT);
    ExpectCleanEnd(p);
}
