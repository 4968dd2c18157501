// The Magnify page as the user meets it: the values it shows, refuses and
// accepts, what it stores, and its "Magnify!" button.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tests/e2e/pages.h"

using namespace e2e;

// The window reopens on the page it was left on. The page refuses values out of range, storing
// nothing, and accepts the typed limits.
TEST(MagnifyPage, ReopensOnTheLastPageRefusesOutOfRangeAndAcceptsTheTypedLimits) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    int last = kColorPage; // the first opening shows the Color page
    for (int tab : {kAboutPage, kColorPage, kMagnifyPage}) {
        ASSERT_TRUE(OpenOptions(p));
        EXPECT_EQ(SheetActiveTab(p.Sheet()), last);
        ::SendMessageA(p.Sheet(), PSM_SETCURSEL, last = tab, 0);
        ASSERT_TRUE(PressSheetButton(p, IDCANCEL));
    }
    ASSERT_TRUE(OpenOptions(p));
    EXPECT_EQ(SheetActiveTab(p.Sheet()), kMagnifyPage);
    HWND page = ShowPage(p, kMagnifyPage, IDC_MAG_HOTKEY);
    ASSERT_NE(page, nullptr);

    HWND sheet = p.Sheet();
    struct Case {
        int id;
        const char* typed;
        const char* prompt;
    } cases[] = {
        {IDC_MAG_REGION, "101", "Please enter an integer between 10 and 100."},
        {IDC_MAG_FACTOR, "11", "Please enter an integer between 1 and 10."},
    };
    for (const Case& c : cases) {
        ::SetDlgItemTextA(page, IDC_MAG_REGION, "40");
        ::SetDlgItemTextA(page, IDC_MAG_FACTOR, "4");
        ::SetDlgItemTextA(page, c.id, c.typed);
        PressSheetButton(p, IDOK, false);
        std::string prompt;
        ASSERT_TRUE(ReadAndCloseMessageBox(p, prompt)) << "no message for '" << c.typed << "'";
        EXPECT_EQ(prompt, c.prompt);
        EXPECT_EQ(p.Sheet(), sheet) << "the options window stays open";
        EXPECT_FALSE(FileExists(Ini(p))) << "nothing stored by then";
    }

    // The typed limits are accepted, although the arrows stop short of them.
    ::SetDlgItemTextA(page, IDC_MAG_REGION, "100");
    ::SetDlgItemTextA(page, IDC_MAG_FACTOR, "10");
    ASSERT_TRUE(PressSheetButton(p, IDOK));
    EXPECT_EQ(Stored(p, "nWidth"), 100);
    EXPECT_EQ(Stored(p, "nFactor"), 10);
    EXPECT_EQ(Stored(p, "wKey"), 'Z');
    EXPECT_EQ(Stored(p, "wMod"), HOTKEYF_ALT);
    EXPECT_EQ(Stored(p, "bNoPersist"), 0);
}

// The button stores the page like OK, keeping the persist flag the page does not show, and brings
// up the zoom window.
TEST(MagnifyPage, MagnifyButtonAppliesClosesTheWindowAndShowsTheZoom) {
    Program p;
    WriteIniSetting(Ini(p), "", "bNoPersist", 1);
    WriteIniSetting(Ini(p), "", "nWidth", 64);
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ItemText(page, IDC_MAG_REGION), "64");
    ::SetDlgItemTextA(page, IDC_MAG_REGION, "30");
    ::SetDlgItemTextA(page, IDC_MAG_FACTOR, "7");
    ClickCentre(::GetDlgItem(page, IDC_MAG_MAGNIFY));
    EXPECT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; })) << "the options window closes";
    EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "the zoom window shows";
    EXPECT_EQ(Stored(p, "nWidth"), 30);
    EXPECT_EQ(Stored(p, "nFactor"), 7);
    EXPECT_EQ(Stored(p, "bNoPersist"), 1);
}
