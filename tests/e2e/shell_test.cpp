// The program as a whole: start-up and single copy (many copies at once are in the soak), and the
// options window against the zoom window.
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

// The program runs hidden in the tray; a second copy opens the first copy's options window and
// ends, and another while it is open only brings it forward. Exit takes the icon away, and nothing
// was stored.
TEST(SingleCopy, SecondCopyOpensTheFirstCopysOptionsWindow) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    EXPECT_FALSE(::IsWindowVisible(p.TrayWindow()));
    EXPECT_TRUE(WaitFor(IconShown)) << "no tray icon";
    EXPECT_FALSE(BusyIconShown()) << "the normal icon shows after start";
    SaveScreenshot("startup_tray_icon");
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

    ASSERT_TRUE(p.RunAnotherCopy(20000, code));
    EXPECT_EQ(p.Sheet(), sheet);
    ASSERT_TRUE(PressSheetButton(p, IDCANCEL));
    p.Command(ID_EXIT);
    ASSERT_TRUE(p.WaitForExit());
    EXPECT_TRUE(WaitFor([] { return !IconShown(); })) << "the icon stays after Exit";
    EXPECT_TRUE(NoIniIn(p.Folder()));
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
