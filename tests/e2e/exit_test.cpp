// Every way out of the program, with the options window open: Exit, closing the tray window, the
// Windows session ending, a second Exit on top of the first, Exit under a message box, under Tip
// of the Day and under the skin dialog. Each ends what is open first and leaves no icon behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// Starts the program and opens its options window.
bool StartWithOptionsOpen(Program& p) {
    return p.StartAndWaitForTray() && WaitFor(IconShown) && OpenOptions(p);
}

// The program ended by itself, cleanly, and took its icon with it.
void ExpectCleanEnd(Program& p) {
    ASSERT_TRUE(p.WaitForExit(15000)) << "the program did not end";
    EXPECT_EQ(p.ExitCode(), 0u);
    EXPECT_TRUE(WaitFor([] { return !IconShown(); })) << "the icon outlived the program";
    EXPECT_EQ(Stored(p, "nWidth"), -1) << "a way out stored the open pages' settings";
}

} // namespace

TEST(WaysOut, EachEndsTheOpenOptionsWindowThenTheProgram) {
    struct Way {
        const char* name;
        void (*take)(const Program& p);
    } ways[] = {
        {"Exit", [](const Program& p) { p.Command(ID_EXIT); }},
        {"WM_CLOSE", [](const Program& p) { ::PostMessageA(p.TrayWindow(), WM_CLOSE, 0, 0); }},
        {"session end",
         [](const Program& p) {
             // The system asks first, then tells; it may end the process after that.
             ::SendMessageTimeoutA(p.TrayWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 5000,
                                   nullptr);
             ::PostMessageA(p.TrayWindow(), WM_ENDSESSION, TRUE, 0);
         }},
        {"Exit twice",
         [](const Program& p) {
             p.Command(ID_EXIT);
             p.Command(ID_EXIT);
         }},
        {"Exit under a validation message box",
         [](const Program& p) {
             HWND page = ShowPage(p, kMagnifyPage, IDC_MAG_REGION);
             ::SetDlgItemTextA(page, IDC_MAG_REGION, "5");
             PressSheetButton(p, IDOK, false);
             EXPECT_TRUE(WaitFor([&] {
                 return FindProcessWindow(p.Pid(), "!Zentrova") != nullptr;
             })) << "the refusal is shown";
             p.Command(ID_EXIT);
         }},
        {"Exit under Tip of the Day",
         [](const Program& p) {
             EXPECT_NE(OpenTipOfDay(p), nullptr);
             p.Command(ID_EXIT);
         }},
        {"Exit under the skin dialog",
         [](const Program& p) {
             EXPECT_NE(OpenSkinDialog(p), nullptr);
             p.Command(ID_EXIT);
         }},
        {"Exit under the name prompt over the skin dialog",
         [](const Program& p) {
             PressButton(OpenSkinDialog(p), IDC_SKIN_SAVE);
             EXPECT_TRUE(WaitFor([&] { return FindProcessWindow(p.Pid(), "Name") != nullptr; }));
             p.Command(ID_EXIT);
         }},
        {"Exit under Tip of the Day's message box",
         [](const Program& p) {
             WriteFileText(p.Folder() + "\\tips.txt", "; no tip in here\n");
             EXPECT_NE(OpenTipOfDay(p), nullptr);
             EXPECT_TRUE(WaitFor([&] {
                 return FindProcessWindow(p.Pid(), "!Zentrova") != nullptr;
             })) << "the trouble report is shown";
             p.Command(ID_EXIT);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Program p;
        ASSERT_TRUE(StartWithOptionsOpen(p));
        way.take(p);
        ExpectCleanEnd(p);
    }
}
