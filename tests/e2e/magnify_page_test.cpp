// The Magnify page as the user meets it: the values it shows, refuses and
// accepts, what it stores, and its "Magnify!" button.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

constexpr int kMagnifyTab = 1;

std::string Ini(const Program& p) {
    return p.Folder() + "\\Zentrova.ini";
}

int Stored(const Program& p, const char* key) {
    return static_cast<int>(::GetPrivateProfileIntA("", key, -1, Ini(p).c_str()));
}

// Opens the options window and shows the Magnify page; its window or nullptr.
HWND OpenMagnifyPage(const Program& p) {
    p.Command(ID_OPTIONS);
    if (!WaitFor([&] { return p.Sheet() != nullptr && ::IsWindowVisible(p.Sheet()); }))
        return nullptr;
    HWND sheet = p.Sheet();
    ::SendMessageA(sheet, PSM_SETCURSEL, kMagnifyTab, 0);
    HWND page = nullptr;
    WaitFor([&] {
        page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page && ::GetDlgItem(page, IDC_MAG_HOTKEY) && ::IsWindowVisible(page);
    });
    return page && ::GetDlgItem(page, IDC_MAG_HOTKEY) ? page : nullptr;
}

// Presses OK or Cancel; with closes, waits until the options window has gone.
bool PressSheetButton(const Program& p, int id, bool closes = true) {
    HWND sheet = p.Sheet();
    ::PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet, id)));
    return !closes || WaitFor([&] { return p.Sheet() == nullptr; });
}

// An edit's text, asked of the control itself (it lives in the other process).
std::string Text(HWND page, int id) {
    char buf[64] = "";
    ::SendMessageA(::GetDlgItem(page, id), WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}
void SetText(HWND page, int id, const char* text) {
    ::SendMessageA(::GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The program's message box: its text, after which it is closed.
bool ReadAndCloseMessageBox(const Program& p, std::string& text) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindProcessWindow(p.Pid(), "!Zentrova")) != nullptr; }))
        return false;
    text = WindowText(::GetDlgItem(box, 0xFFFF));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !::IsWindow(box); });
}

} // namespace

TEST(MagnifyPage, ShowsDefaultsRefusesOutOfRangeAndAcceptsTheTypedLimits) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr);
    // Without settings: Alt+Z, a region of 40 at four times.
    LRESULT hotkey = ::SendMessageA(::GetDlgItem(page, IDC_MAG_HOTKEY), HKM_GETHOTKEY, 0, 0);
    EXPECT_EQ(LOBYTE(LOWORD(hotkey)), 'Z');
    EXPECT_EQ(HIBYTE(LOWORD(hotkey)), HOTKEYF_ALT);
    EXPECT_EQ(Text(page, IDC_MAG_REGION), "40");
    EXPECT_EQ(Text(page, IDC_MAG_FACTOR), "4");

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
        SetText(page, IDC_MAG_REGION, "40");
        SetText(page, IDC_MAG_FACTOR, "4");
        SetText(page, c.id, c.typed);
        PressSheetButton(p, IDOK, false);
        std::string prompt;
        ASSERT_TRUE(ReadAndCloseMessageBox(p, prompt)) << "no message for '" << c.typed << "'";
        EXPECT_EQ(prompt, c.prompt);
        EXPECT_EQ(p.Sheet(), sheet) << "the options window stays open";
        EXPECT_FALSE(FileExists(Ini(p))) << "nothing stored after '" << c.typed << "'";
    }

    // The typed limits are accepted, although the arrows stop short of them.
    SetText(page, IDC_MAG_REGION, "100");
    SetText(page, IDC_MAG_FACTOR, "10");
    ASSERT_TRUE(PressSheetButton(p, IDOK));
    EXPECT_EQ(Stored(p, "nWidth"), 100);
    EXPECT_EQ(Stored(p, "nFactor"), 10);
    EXPECT_EQ(Stored(p, "wKey"), 'Z');
    EXPECT_EQ(Stored(p, "wMod"), HOTKEYF_ALT);
    EXPECT_EQ(Stored(p, "bNoPersist"), 0);
}

TEST(MagnifyPage, NoPersistFlagSurvivesAnApply) {
    Program p;
    WriteIniSetting(Ini(p), "", "bNoPersist", 1);
    WriteIniSetting(Ini(p), "", "nWidth", 64);
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Text(page, IDC_MAG_REGION), "64");
    SetText(page, IDC_MAG_FACTOR, "7");
    ASSERT_TRUE(PressSheetButton(p, IDOK));
    EXPECT_EQ(Stored(p, "bNoPersist"), 1);
    EXPECT_EQ(Stored(p, "nFactor"), 7);
    EXPECT_EQ(Stored(p, "nWidth"), 64);
}

TEST(MagnifyPage, MagnifyButtonAppliesClosesTheWindowAndShowsTheZoom) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr);
    SetText(page, IDC_MAG_REGION, "30");
    RECT rc;
    ::GetWindowRect(::GetDlgItem(page, IDC_MAG_MAGNIFY), &rc);
    Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    EXPECT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; })) << "the options window closes";
    EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "the zoom window shows";
    EXPECT_EQ(Stored(p, "nWidth"), 30);
}

TEST(MagnifyPage, TheWindowReopensOnTheLastPage) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    int last = 0; // the first opening shows the Color page
    for (int tab : {kMagnifyTab, 3, 0}) {
        p.Command(ID_OPTIONS);
        ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; }));
        EXPECT_EQ(SheetActiveTab(p.Sheet()), last);
        ::SendMessageA(p.Sheet(), PSM_SETCURSEL, last = tab, 0);
        ASSERT_TRUE(PressSheetButton(p, IDCANCEL));
    }
    EXPECT_FALSE(FileExists(Ini(p))) << "cancelling stores nothing";
}
