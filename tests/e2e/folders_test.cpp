// The program in any folder the system can hold: named in letters outside
// the system's ANSI code page, or long; and a folder where its settings
// cannot be stored.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

const COLORREF kBusyDot = RGB(0xe0, 0x20, 0x20);
const COLORREF kSample = RGB(10, 200, 30);

bool BusyIconShown() {
    return CountColour(TrayArea(), kBusyDot, 30) > 4;
}

// Opens the options window; with a scheme library beside the program, the
// selected tab wears its sample colour.
bool OpenOptions(const Program& p) {
    p.Command(ID_OPTIONS);
    return WaitFor([&] { return p.Sheet() != nullptr && ::IsWindowVisible(p.Sheet()); });
}
bool SelectedTabWearsTheSample(const Program& p) {
    RECT tab = SheetTabRect(p.Sheet(), 0);
    ::InflateRect(&tab, -6, -4);
    return WaitFor([&] { return CountColour(tab, kSample, 2) > 50; });
}

// Confirms the open options window with OK on the Magnify page, which stores its settings.
void ConfirmOnMagnify(const Program& p) {
    HWND sheet = p.Sheet();
    ::SendMessageA(sheet, PSM_SETCURSEL, 1, 0);
    ::PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet, IDOK)));
}

void WriteScheme(const Program& p) {
    WriteFileText(p.Folder() + "\\scheme.dat",
                  "1\nGreen\n20\n90\n160\n20\n90\n160\n10\n200\n30\n4\n5\n40\n1\n6\n60\n");
}

} // namespace

TEST(Folders, AnyNameAndAnyLengthKeepSettingsAndSkins) {
    // This test program's own ANSI calls take UTF-8, as the program's do.
    ASSERT_EQ(::GetACP(), 65001u);
    const std::string folders[] = {"日本語\\Ωmega", std::string(170, 'd')};
    for (const std::string& folder : folders) {
        Program p(folder);
        SCOPED_TRACE(p.Folder());
        const std::string ini = p.Folder() + "\\Zentrova.ini";
        WriteIniSetting(ini, "", "wKey", 0); // read: no magnifier hotkey, so the busy icon
        WriteScheme(p);
        ASSERT_TRUE(p.StartAndWaitForTray());
        EXPECT_TRUE(WaitFor(BusyIconShown)) << "the settings beside the program were not read";
        ASSERT_TRUE(OpenOptions(p));
        EXPECT_TRUE(SelectedTabWearsTheSample(p)) << "scheme.dat beside the program was not read";
        ConfirmOnMagnify(p);
        ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
        EXPECT_EQ(::GetPrivateProfileIntA("", "nWidth", -1, ini.c_str()), 40u)
            << "OK stored nothing";
    }
}

TEST(Folders, WhereSettingsCannotBeStoredTheUserIsToldOnce) {
    Program p;
    // A folder where the settings file should be: the system refuses to write it.
    ASSERT_TRUE(::CreateDirectoryA((p.Folder() + "\\Zentrova.ini").c_str(), nullptr));
    ASSERT_TRUE(p.StartAndWaitForTray());
    for (int time = 0; time < 2; ++time) {
        ASSERT_TRUE(OpenOptions(p));
        ConfirmOnMagnify(p);
        HWND box = nullptr;
        bool told =
            WaitFor([&] { return (box = FindProcessWindow(p.Pid(), "!Zentrova")) != nullptr; },
                    time == 0 ? 10000 : 1500);
        EXPECT_EQ(told, time == 0) << "told " << (time == 0 ? "never" : "twice");
        if (told) {
            EXPECT_NE(WindowText(::GetDlgItem(box, 0xFFFF)).find("cannot be saved"),
                      std::string::npos);
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    }
}
