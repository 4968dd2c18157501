// The options window as the user sees it: tab colours from the skin's sample
// colour, the title and the buttons.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

const COLORREF kUnselectedText = RGB(97, 93, 199);

COLORREF Inverse(COLORREF c) {
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

// Opens the options window and checks the selected and another tab.
void CheckTabColours(Program& p, COLORREF sample, const char* shot) {
    p.Command(ID_OPTIONS);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; }));
    HWND sheet = p.Sheet();
    RECT selected = SheetTabRect(sheet, 0), other = SheetTabRect(sheet, 2);
    ASSERT_GT(selected.right - selected.left, 10);
    RECT inner = selected;
    ::InflateRect(&inner, -6, -4);
    EXPECT_TRUE(WaitFor([&] { return CountColour(inner, sample, 2) > 50; }))
        << "the selected tab is filled with the sample colour";
    EXPECT_GT(CountColour(inner, Inverse(sample), 40), 5) << "its text is the inverse colour";
    EXPECT_GT(CountColour(other, kUnselectedText, 40), 5) << "other tabs: RGB(97, 93, 199)";
    EXPECT_EQ(CountColour(other, sample, 2) > 50, false) << "other tabs are not filled";
    SaveScreenshot(shot);
}

} // namespace

TEST(SheetLook, TabsWithoutASchemeFile) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    CheckTabColours(p, RGB(192, 192, 192), "sheet_tabs_default");
}

TEST(SheetLook, TabsTakeTheSampleColourOfTheFirstScheme) {
    Program p;
    // One scheme: name, button rgb, dialog rgb, sample rgb, button mode,
    // granularity, coloring, dialog mode, granularity, coloring.
    WriteFileText(p.Folder() + "\\scheme.dat",
                  "1\nOcean\n20\n90\n160\n20\n90\n160\n10\n200\n30\n4\n5\n40\n1\n6\n60\n");
    ASSERT_TRUE(p.StartAndWaitForTray());
    CheckTabColours(p, RGB(10, 200, 30), "sheet_tabs_scheme");
}

TEST(SheetHelp, F1OnAMagnifierControlShowsItsContextText) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    p.Command(ID_OPTIONS);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; }));
    HWND sheet = p.Sheet();
    ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(page, nullptr);
    struct Case {
        int control;
        const char* words; // part of the text that must show
    } cases[] = {
        {IDC_MAG_REGION, "10 to 100"}, {IDC_MAG_FACTOR, "1 to 10"}, {IDC_MAG_HOTKEY, "hotkey"}};
    for (const Case& c : cases) {
        HWND ctl = ::GetDlgItem(page, c.control);
        ASSERT_NE(ctl, nullptr);
        // F1 with the focus on the control: the system sends WM_HELP up the
        // parent chain to the sheet.
        ::SetForegroundWindow(sheet);
        ::PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ctl), TRUE);
        ASSERT_TRUE(WaitFor([&] {
            GUITHREADINFO gti = {};
            gti.cbSize = sizeof gti;
            return ::GetGUIThreadInfo(::GetWindowThreadProcessId(sheet, nullptr), &gti) &&
                   gti.hwndFocus == ctl;
        }));
        PressKeys({VK_F1});
        HWND popup = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            return (popup = FindProcessWindowByClass(p.Pid(), "ZentrovaHelpPopup")) != nullptr;
        })) << c.control;
        EXPECT_NE(WindowText(popup).find(c.words), std::string::npos) << WindowText(popup);
        RECT ctlRect, popupRect;
        ::GetWindowRect(ctl, &ctlRect);
        ::GetWindowRect(popup, &popupRect);
        EXPECT_EQ(popupRect.top, ctlRect.bottom + 2) << "the popup stands under its control";
        SaveScreenshot("sheet_f1_popup");
        PressKeys({VK_ESCAPE});
        ASSERT_TRUE(WaitFor(
            [&] { return FindProcessWindowByClass(p.Pid(), "ZentrovaHelpPopup") == nullptr; }));
    }
}
