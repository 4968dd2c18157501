// The options window as the user sees it: tab colours from the skin's sample
// colour, the title and the buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

const COLORREF kUnselectedText = RGB(97, 93, 199);

// Opens the options window and checks the selected and another tab.
void CheckTabColours(Program& p, COLORREF sample, const char* shot) {
    ASSERT_TRUE(p.StartAndWaitForTray());
    ASSERT_TRUE(OpenOptions(p));
    EXPECT_TRUE(SelectedTabWears(p, sample)) << "the selected tab is filled with the sample colour";
    RECT inner = SheetTabRect(p.Sheet(), 0), other = SheetTabRect(p.Sheet(), 2);
    ::InflateRect(&inner, -6, -4);
    const COLORREF inverse =
        RGB(255 - GetRValue(sample), 255 - GetGValue(sample), 255 - GetBValue(sample));
    EXPECT_GT(CountColour(inner, inverse, 40), 5) << "its text is the inverse colour";
    EXPECT_GT(CountColour(other, kUnselectedText, 40), 5) << "other tabs: RGB(97, 93, 199)";
    EXPECT_EQ(CountColour(other, sample, 2) > 50, false) << "other tabs are not filled";
    SaveScreenshot(shot);
}

} // namespace

// Without a scheme file the tabs take the grey sample colour, else that of the first scheme.
TEST(SheetLook, TabsTakeTheSampleColour) {
    for (bool scheme : {false, true}) {
        Program p;
        if (scheme)
            WriteScheme(p);
        CheckTabColours(p, scheme ? kSchemeSample : RGB(192, 192, 192),
                        scheme ? "sheet_tabs_scheme" : "sheet_tabs_default");
    }
}

TEST(SheetHelp, F1OnAMagnifierControlShowsItsContextText) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p), sheet = p.Sheet();
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
        ASSERT_TRUE(WaitForFocus(ctl));
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

// Each page's Help button, F1 on the page and the tray menu's Help open the help viewer.
TEST(SheetHelp, EachPagesHelpButtonAndF1OpenTheHelpViewer) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    const struct {
        int page, help;
    } pages[] = {{kColorPage, IDC_COLOR_HELP},
                 {kMagnifyPage, IDC_MAG_HELP},
                 {kCapturePage, IDC_CAP_HELP},
                 {kAboutPage, IDC_ABOUT_HELP}};
    const auto viewerOpensAndCloses = [&] {
        HWND viewer = nullptr;
        if (!WaitFor([&] { return (viewer = FindProcessWindowByClass(p.Pid(), "HH Parent")); }) ||
            WindowText(viewer) != "Zentrova Help")
            return false;
        ::PostMessageA(viewer, WM_CLOSE, 0, 0);
        return WaitFor([&] { return !::IsWindow(viewer); });
    };
    for (const auto& c : pages) {
        HWND page = OpenPage(p, c.page, c.help);
        ASSERT_NE(page, nullptr) << c.page;
        PressButton(page, c.help);
        EXPECT_TRUE(viewerOpensAndCloses()) << "Help on page " << c.page;
        HWND button = ::GetDlgItem(page, c.help);
        ::SetForegroundWindow(p.Sheet());
        ::PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
        ASSERT_TRUE(WaitForFocus(button));
        PressKeys({VK_F1});
        EXPECT_TRUE(viewerOpensAndCloses()) << "F1 on page " << c.page;
    }
    // The tray menu's Help, with the options window closed.
    ASSERT_TRUE(PressSheetButton(p, IDCANCEL));
    p.Command(ID_HELP_INSTALL);
    EXPECT_TRUE(viewerOpensAndCloses()) << "the tray menu's Help";
}

// On two monitors (scripts/test-screens), the options window, Tip of the Day and the skin dialog
// open wholly on the monitor the pointer is on, whichever that is.
TEST(ScreensDialogs, OpenOnThePointersMonitor) {
    if (!TwoMonitorRun())
        GTEST_SKIP() << "one monitor; scripts/test-screens runs this on two";
    const std::vector<MONITORINFO> monitors = Monitors();
    ASSERT_EQ(monitors.size(), 2u);
    Program p;
    WriteScheme(p);
    ASSERT_TRUE(p.StartAndWaitForTray());
    const auto onWork = [&](HWND h, int monitor) {
        const RECT rc = WindowRect(h);
        EXPECT_TRUE(Inside(rc, monitors[monitor].rcWork))
            << WindowText(h) << " on monitor " << monitor << ": " << rc.left << "," << rc.top << "-"
            << rc.right << "," << rc.bottom;
    };
    for (int monitor : {1, 0, 1}) {
        SCOPED_TRACE(monitor);
        const RECT m = monitors[monitor].rcWork;
        ASSERT_TRUE(MovePointer(m.left + 20, m.bottom - 20));
        ASSERT_TRUE(OpenOptions(p));
        onWork(p.Sheet(), monitor);
        HWND tip = OpenTipOfDay(p);
        ASSERT_TRUE(tip);
        onWork(tip, monitor);
        if (monitor == 1) {
            ::RedrawWindow(tip, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            SaveScreenshot("dialogs_second_monitor");
        }
        ASSERT_TRUE(CloseWith(tip, IDOK));
        HWND skin = OpenSkinDialog(p);
        ASSERT_TRUE(skin);
        onWork(skin, monitor);
        ASSERT_TRUE(CloseWith(skin, IDCANCEL));
    }
}
