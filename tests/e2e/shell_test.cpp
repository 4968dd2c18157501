// The program as a whole: start-up, single copy, the options window against the
// zoom window, hotkeys, the input recorder and exit.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/pages.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace {

// No settings file of any name or case in the folder.
bool NoIniIn(const std::string& folder) {
    for (const std::string& name : ListFolder(folder))
        if (name.size() > 4 && ::lstrcmpiA(name.c_str() + name.size() - 4, ".ini") == 0)
            return false;
    return true;
}

} // namespace

TEST(Startup, RunsHiddenInTheTrayAndWritesNoSettings) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND tray = p.TrayWindow();
    EXPECT_FALSE(::IsWindowVisible(tray));
    EXPECT_TRUE(WaitFor(IconShown)) << "no tray icon";
    EXPECT_FALSE(BusyIconShown()) << "the normal icon shows after start";
    SaveScreenshot("startup_tray_icon");

    p.Command(ID_EXIT);
    ASSERT_TRUE(p.WaitForExit());
    EXPECT_TRUE(WaitFor([] { return !IconShown(); })) << "the icon stays after Exit";
    EXPECT_TRUE(NoIniIn(p.Folder()));
}

TEST(SingleCopy, SecondCopyOpensTheFirstCopysOptionsWindow) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    DWORD code = 0;
    ASSERT_TRUE(p.RunAnotherCopy(20000, code)) << "the second copy did not end by itself";
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; }));
    HWND sheet = p.Sheet();
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(sheet) != FALSE; }));
    EXPECT_EQ(SheetTabs(sheet),
              (std::vector<std::string>{"Color ", "Magnify", "Capture", " About "}));
    EXPECT_EQ(WindowText(::GetDlgItem(sheet, IDOK)), "&Ok");
    EXPECT_EQ(WindowText(::GetDlgItem(sheet, IDCANCEL)), "&Cancel");
    HWND apply = ::GetDlgItem(sheet, 0x3021);
    EXPECT_TRUE(apply == nullptr || !::IsWindowVisible(apply)) << "no Apply button";
    EXPECT_TRUE(::GetWindowLongA(sheet, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(WaitFor(BusyIconShown)) << "busy icon while the options window is open";
    SaveScreenshot("options_window_color_tab");

    // Another copy while it is open only brings it forward: still one sheet.
    ASSERT_TRUE(p.RunAnotherCopy(20000, code));
    EXPECT_EQ(p.Sheet(), sheet);
    EXPECT_TRUE(p.Running());
}

namespace {
UINT g_fakeReceived = 0;
LRESULT CALLBACK FakeTrayProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND)
        g_fakeReceived = LOWORD(w);
    return ::DefWindowProcA(h, m, w, l);
}
} // namespace

TEST(SingleCopy, AWindowWithTheTrayTitleCountsAsARunningCopy) {
    // Our own window with the tray window's title stands in for a running copy.
    WNDCLASSA wc = {0,       FakeTrayProc, 0,       0,       ::GetModuleHandleA(nullptr),
                    nullptr, nullptr,      nullptr, nullptr, "FakeZentrova"};
    ::RegisterClassA(&wc);
    HWND fake = ::CreateWindowA("FakeZentrova", "&Hide Magnify", WS_OVERLAPPED, 0, 0, 10, 10,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(fake, nullptr);
    Program p;
    ASSERT_TRUE(p.Start());
    EXPECT_TRUE(p.WaitForExit(20000));
    EXPECT_TRUE(WaitFor([] { return g_fakeReceived == ID_OPTIONS; }, 5000));
    EXPECT_TRUE(NoIniIn(p.Folder()));
    ::DestroyWindow(fake);
}

TEST(SingleCopy, TwoCopiesStartedAtOnceLeaveOne) {
    Program a, b;
    ASSERT_TRUE(a.Start());
    ASSERT_TRUE(b.Start());
    // One of them hands over and ends; the other keeps running with its tray.
    ASSERT_TRUE(WaitFor([&] { return !a.Running() || !b.Running(); }, 30000));
    Program& survivor = a.Running() ? a : b;
    EXPECT_TRUE(WaitFor([&] { return survivor.TrayWindow() != nullptr; }, 20000));
    EXPECT_TRUE(WaitFor([&] { return survivor.Sheet() != nullptr; }, 20000))
        << "the copy that ended handed over to the other";
    EXPECT_TRUE(survivor.Running());
}

// The options window hides the zoom window and refuses Magnify while it is open; closed, it
// leaves the zoom window hidden and the icon normal, and Magnify works again.
TEST(Options, HidesTheZoomWindowAndRefusesMagnifyWhileOpen) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    p.Command(ID_MAGNIFY);
    ASSERT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; }));
    ASSERT_TRUE(OpenOptions(p));
    EXPECT_EQ(p.ZoomWindow(), nullptr);
    Spy spy(p.TrayWindow());
    p.Command(ID_MAGNIFY);
    ASSERT_TRUE(spy.WaitFor(ID_MAGNIFY));
    ASSERT_TRUE(spy.WaitIdle());
    EXPECT_EQ(p.ZoomWindow(), nullptr);
    ASSERT_TRUE(PressSheetButton(p, IDCANCEL));
    EXPECT_TRUE(WaitFor([] { return !BusyIconShown(); }));
    EXPECT_EQ(p.ZoomWindow(), nullptr);
    p.Command(ID_MAGNIFY);
    EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; }));
}

TEST(Hotkeys, AltCAndAltXReachTheTrayWindowAsTheirCommands) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    Spy spy(p.TrayWindow());
    PressKeys({VK_MENU, 'X'});
    EXPECT_TRUE(spy.WaitFor(ID_PICKER_TOGGLE)) << "Alt+X";
    // Capture ends an open options window.
    ASSERT_TRUE(OpenOptions(p));
    PressKeys({VK_MENU, 'C'});
    EXPECT_TRUE(spy.WaitFor(ID_CAPTURE)) << "Alt+C";
    EXPECT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    EXPECT_TRUE(p.Running());
}

TEST(Recorder, RecordsAndReplaysABurstOfTyping) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    Spy spy(p.TrayWindow());

    // A window of the test takes the typing.
    HWND edit = ::CreateWindowExA(WS_EX_TOPMOST, "EDIT", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 300,
                                  300, 300, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    auto focusEdit = [&] {
        ::SetForegroundWindow(edit);
        ::SetFocus(edit);
        return WaitFor([&] { return ::GetFocus() == edit; }, 3000);
    };
    ASSERT_TRUE(focusEdit());

    // The first toggle after start-up only stops; the second records.
    PressKeys({VK_CONTROL, VK_MENU, 'R'});
    ASSERT_TRUE(spy.WaitFor(ID_RECORD_TOGGLE));
    PressKeys({VK_CONTROL, VK_MENU, 'R'});
    ASSERT_TRUE(spy.WaitFor(ID_RECORD_TOGGLE));
    ASSERT_TRUE(spy.WaitIdle());
    ASSERT_TRUE(focusEdit());
    TypeText("zen");
    ASSERT_TRUE(WaitFor([&] { return WindowText(edit) == "zen"; }));
    PressKeys({VK_F2}); // stops recording and is not recorded
    ASSERT_TRUE(spy.WaitIdle());

    ::SetWindowTextA(edit, "");
    ASSERT_TRUE(focusEdit());
    PressKeys({VK_CONTROL, VK_MENU, 'P'});
    ASSERT_TRUE(spy.WaitFor(ID_PLAYBACK));
    EXPECT_TRUE(WaitFor([&] { return WindowText(edit) == "zen"; }, 10000))
        << "played back: '" << WindowText(edit) << "'";

    // Playback consumed the list: playing again adds nothing.
    ::SetWindowTextA(edit, "");
    PressKeys({VK_CONTROL, VK_MENU, 'P'});
    ASSERT_TRUE(spy.WaitFor(ID_PLAYBACK));
    ASSERT_TRUE(spy.WaitIdle());
    EXPECT_EQ(WindowText(edit), "");
    ::DestroyWindow(edit);
}
