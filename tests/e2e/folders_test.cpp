// The program in any folder the system can hold: named in letters outside
// the system's ANSI code page, or long; and a folder where its settings
// cannot be stored.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/e2e/pages.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace {

// Confirms the open options window with OK on the Magnify page, which stores its settings.
bool ConfirmOnMagnify(const Program& p) {
    return ShowPage(p, kMagnifyPage, IDC_MAG_HOTKEY) && PressSheetButton(p, IDOK, false);
}

} // namespace

TEST(Folders, AnyNameAndAnyLengthKeepSettingsAndSkins) {
    // This test program's own ANSI calls take UTF-8, as the program's do.
    ASSERT_EQ(::GetACP(), 65001u);
    const std::string folders[] = {"日本語\\Ωmega", "Mes programmes\\Zentrova Ünïcødé (x86)",
                                   std::string(170, 'd')};
    for (const std::string& folder : folders) {
        Program p(folder);
        SCOPED_TRACE(p.Folder());
        WriteIniSetting(Ini(p), "", "wKey", 0); // read: no magnifier hotkey, so the busy icon
        WriteScheme(p);
        ASSERT_TRUE(p.StartAndWaitForTray());
        EXPECT_TRUE(WaitFor(BusyIconShown)) << "the settings beside the program were not read";
        // Without a magnifier hotkey the zoom window is disabled: Magnify shows nothing.
        p.Command(ID_MAGNIFY);
        EXPECT_TRUE(Spy(p.TrayWindow()).WaitIdle());
        EXPECT_EQ(p.ZoomWindow(), nullptr);
        ASSERT_TRUE(OpenOptions(p));
        EXPECT_TRUE(SelectedTabWears(p, kSchemeSample))
            << "scheme.dat beside the program was not read";
        ASSERT_TRUE(ConfirmOnMagnify(p));
        ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
        EXPECT_EQ(Stored(p, "nWidth"), 40) << "OK stored nothing";
    }
}

TEST(Folders, WhereSettingsCannotBeStoredTheUserIsToldOnce) {
    Program p;
    // A folder where the settings file should be: the system refuses to write it. Nor can the
    // program keep them for the user instead: the application data folder it is given is missing.
    ASSERT_TRUE(::CreateDirectoryA((p.Folder() + "\\Zentrova.ini").c_str(), nullptr));
    char appData[MAX_PATH * 3] = "";
    ::GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    ::SetEnvironmentVariableA("APPDATA", (p.Folder() + "\\missing").c_str());
    const bool started = p.StartAndWaitForTray();
    ::SetEnvironmentVariableA("APPDATA", appData);
    ASSERT_TRUE(started);
    for (int time = 0; time < 2; ++time) {
        ASSERT_TRUE(OpenOptions(p));
        ASSERT_TRUE(ConfirmOnMagnify(p));
        std::string text;
        EXPECT_EQ(ReadAndCloseMessageBox(p, text, time == 0 ? 10000 : 1500), time == 0)
            << "told " << (time == 0 ? "never" : "twice");
        EXPECT_EQ(time == 0, text.find("cannot be saved") != std::string::npos) << text;
        ASSERT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
    }
}
