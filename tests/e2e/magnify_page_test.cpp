// The Magnify page as the user meets it: its controls, the values it refuses
// and accepts, what it stores, and its "Magnify!" button.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

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

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
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
        page = CurrentPage(sheet);
        return page && ::GetDlgItem(page, IDC_MAG_HOTKEY) && ::IsWindowVisible(page);
    });
    return page && ::GetDlgItem(page, IDC_MAG_HOTKEY) ? page : nullptr;
}

void PressSheetButton(HWND sheet, int id) {
    ::PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet, id)));
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

HWND FocusOf(HWND anyWindowOfThread) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info);
    return info.hwndFocus;
}

POINT ScreenPoint(HWND w, int x, int y) {
    POINT pt = {x, y};
    ::ClientToScreen(w, &pt);
    return pt;
}

} // namespace

TEST(MagnifyPage, WithoutSettingsShowsAltZAndARegionOf40AtFourTimes) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr);
    LRESULT hotkey = ::SendMessageA(::GetDlgItem(page, IDC_MAG_HOTKEY), HKM_GETHOTKEY, 0, 0);
    EXPECT_EQ(LOBYTE(LOWORD(hotkey)), 'Z');
    EXPECT_EQ(HIBYTE(LOWORD(hotkey)), HOTKEYF_ALT);
    EXPECT_EQ(Text(page, IDC_MAG_REGION), "40");
    EXPECT_EQ(Text(page, IDC_MAG_FACTOR), "4");
    // The arrows, beside their edits, cover less than may be typed.
    const struct {
        int spin, edit, lo, hi;
    } spins[] = {{IDC_MAG_REGION_SPIN, IDC_MAG_REGION, 10, 50},
                 {IDC_MAG_FACTOR_SPIN, IDC_MAG_FACTOR, 1, 5}};
    for (const auto& s : spins) {
        HWND spin = ::GetDlgItem(page, s.spin);
        LRESULT range = ::SendMessageA(spin, UDM_GETRANGE, 0, 0);
        EXPECT_EQ(HIWORD(range), s.lo);
        EXPECT_EQ(LOWORD(range), s.hi);
        EXPECT_EQ(::SendMessageA(spin, UDM_GETBUDDY, 0, 0),
                  reinterpret_cast<LRESULT>(::GetDlgItem(page, s.edit)));
    }
    // Both buttons are drawn by the program in the skin.
    for (int id : {IDC_MAG_MAGNIFY, IDC_MAG_HELP})
        EXPECT_EQ(::GetWindowLongA(::GetDlgItem(page, id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
            << id;

    // The etched frames: grey over white along the top edges, beside the captions.
    WaitFor([] { return false; }, 300); // let the page paint
    for (int y : {18, 101}) {
        POINT grey = ScreenPoint(page, 200, y), white = ScreenPoint(page, 200, y + 1);
        EXPECT_EQ(ScreenPixel(grey.x, grey.y), RGB(128, 128, 128)) << "top edge at y " << y;
        EXPECT_EQ(ScreenPixel(white.x, white.y), RGB(255, 255, 255)) << "top edge at y " << y + 1;
    }
    SaveScreenshot("magnify_page");
    // Showing the page stores nothing.
    PressSheetButton(p.Sheet(), IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    EXPECT_FALSE(FileExists(Ini(p)));
}

TEST(MagnifyPage, RefusesOutOfRangeValuesWithThePromptAndStoresNothing) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr);
    HWND sheet = p.Sheet();
    struct Case {
        int id;
        const char* typed;
        const char* prompt;
    } cases[] = {
        {IDC_MAG_REGION, "101", "Please enter an integer between 10 and 100."},
        {IDC_MAG_REGION, "9", "Please enter an integer between 10 and 100."},
        {IDC_MAG_FACTOR, "11", "Please enter an integer between 1 and 10."},
        {IDC_MAG_FACTOR, "0", "Please enter an integer between 1 and 10."},
        {IDC_MAG_FACTOR, "", "Please enter an integer."},
    };
    for (const Case& c : cases) {
        SetText(page, IDC_MAG_REGION, "40");
        SetText(page, IDC_MAG_FACTOR, "4");
        SetText(page, c.id, c.typed);
        PressSheetButton(sheet, IDOK);
        std::string prompt;
        ASSERT_TRUE(ReadAndCloseMessageBox(p, prompt)) << "no message for '" << c.typed << "'";
        EXPECT_EQ(prompt, c.prompt);
        EXPECT_EQ(p.Sheet(), sheet) << "the options window stays open";
        HWND edit = ::GetDlgItem(page, c.id);
        EXPECT_TRUE(WaitFor([&] { return FocusOf(sheet) == edit; }, 3000))
            << "the refused value's edit has the focus";
        LRESULT sel = ::SendMessageA(edit, EM_GETSEL, 0, 0);
        EXPECT_EQ(LOWORD(sel), 0);
        EXPECT_EQ(HIWORD(sel), lstrlenA(c.typed)) << "its text is selected";
        EXPECT_FALSE(FileExists(Ini(p))) << "nothing stored after '" << c.typed << "'";
    }

    // The typed limits are accepted, although the arrows stop short of them.
    SetText(page, IDC_MAG_REGION, "100");
    SetText(page, IDC_MAG_FACTOR, "10");
    PressSheetButton(sheet, IDOK);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
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
    PressSheetButton(p.Sheet(), IDOK);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
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

TEST(MagnifyPage, UnappliedValuesAreDroppedAndTheWindowReopensOnThePage) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr);
    HWND sheet = p.Sheet();
    // Another page and back: the stored value returns.
    SetText(page, IDC_MAG_REGION, "77");
    ::SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
    ::SendMessageA(sheet, PSM_SETCURSEL, kMagnifyTab, 0);
    EXPECT_EQ(SheetActiveTab(sheet), kMagnifyTab);
    EXPECT_EQ(Text(page, IDC_MAG_REGION), "40");

    // A value typed, carried to another page and cancelled is not shown by
    // the next opening either.
    SetText(page, IDC_MAG_FACTOR, "9");
    ::SendMessageA(sheet, PSM_SETCURSEL, 3, 0);
    PressSheetButton(sheet, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    p.Command(ID_OPTIONS);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; }));
    sheet = p.Sheet();
    EXPECT_EQ(SheetActiveTab(sheet), 3) << "reopens on the last page";
    ::SendMessageA(sheet, PSM_SETCURSEL, kMagnifyTab, 0);
    page = CurrentPage(sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Text(page, IDC_MAG_FACTOR), "4");

    PressSheetButton(sheet, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    p.Command(ID_OPTIONS);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() != nullptr; }));
    EXPECT_EQ(SheetActiveTab(p.Sheet()), kMagnifyTab);
    EXPECT_FALSE(FileExists(Ini(p)));
}

TEST(MagnifyPage, AHotkeyWithoutModifierGetsCtrl) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr);
    HWND hotkey = ::GetDlgItem(page, IDC_MAG_HOTKEY);
    RECT rc;
    ::GetWindowRect(hotkey, &rc);
    Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(page) == hotkey; }, 3000));
    struct Case {
        std::vector<WORD> keys;
        BYTE vk, mods;
    } cases[] = {
        {{'Q'}, 'Q', HOTKEYF_CONTROL},
        {{VK_SHIFT, 'R'}, 'R', HOTKEYF_CONTROL},
        {{VK_MENU, 'W'}, 'W', HOTKEYF_ALT},
        {{VK_CONTROL, VK_SHIFT, 'E'}, 'E', HOTKEYF_CONTROL | HOTKEYF_SHIFT},
    };
    for (const Case& c : cases) {
        PressKeys(c.keys);
        EXPECT_TRUE(WaitFor(
            [&] {
                LRESULT k = ::SendMessageA(hotkey, HKM_GETHOTKEY, 0, 0);
                return LOBYTE(LOWORD(k)) == c.vk && HIBYTE(LOWORD(k)) == c.mods;
            },
            3000))
            << "key " << c.vk;
    }
    PressKeys({'Q'});
    ASSERT_TRUE(WaitFor(
        [&] { return LOBYTE(LOWORD(::SendMessageA(hotkey, HKM_GETHOTKEY, 0, 0))) == 'Q'; }, 3000));
    PressSheetButton(p.Sheet(), IDOK);
    ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    EXPECT_EQ(Stored(p, "wKey"), 'Q');
    EXPECT_EQ(Stored(p, "wMod"), HOTKEYF_CONTROL);
}
