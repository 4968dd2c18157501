// Tip of the Day as the user meets it from the About page: the tips beside the program in turn
// over several openings, the show-at-start-up box, a replaced tips file, a missing one, one
// without tips and a position that does not belong to the file. Which lines are tips is the
// reader's, tested natively.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

std::string TipText(HWND tip) {
    return ItemText(tip, IDC_TIP_TEXT);
}
// Opens the dialog and reads the tip it shows ("" when it did not open).
std::string OpeningShows(const Program& p) {
    HWND tip = OpenTipOfDay(p);
    const std::string text = tip ? TipText(tip) : "";
    return tip && CloseWith(tip, IDOK) ? text : "";
}
void WriteTips(const Program& p, const std::string& text) {
    WriteFileText(p.Folder() + "\\tips.txt", text);
}
int StoredTip(const Program& p, const char* key) {
    return static_cast<int>(::GetPrivateProfileIntA("Tip", key, -1, Ini(p).c_str()));
}
bool Checked(HWND tip) {
    return ::SendMessageA(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool NextTipEnabled(HWND tip) {
    return ::IsWindowEnabled(::GetDlgItem(tip, IDC_TIP_NEXT)) != FALSE;
}
// Presses Next Tip and waits until another text shows.
bool NextTip(HWND tip) {
    const std::string before = TipText(tip);
    PressButton(tip, IDC_TIP_NEXT);
    return WaitFor([&] { return TipText(tip) != before; });
}

} // namespace

// Started from another folder that holds a tips file of its own, the program reads the one
// beside it; each opening goes on after the tip shown last, however it closed, and Next Tip goes
// on within an opening. A file of another creation time starts from its top.
TEST(TipOfDay, OpeningsAndNextTipGoThroughTheTipsBesideTheProgramInTurn) {
    Program p;
    WriteTips(p, "; header\nFirst tip\n\nSecond tip\nThird tip\n");
    const std::string elsewhere = p.Folder() + "\\elsewhere";
    ASSERT_TRUE(::CreateDirectoryA(elsewhere.c_str(), nullptr));
    WriteFileText(elsewhere + "\\tips.txt", "Tip from the current folder\n");
    ASSERT_TRUE(p.Start("Zentrova.exe", elsewhere));
    ASSERT_TRUE(WaitFor([&] { return p.TrayWindow() != nullptr; }, 20000));

    HWND tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "First tip");
    EXPECT_TRUE(NextTipEnabled(tip));
    // The options window waits behind the tip: it stays, but takes no input until the tip closes.
    EXPECT_TRUE(::IsWindowVisible(p.Sheet()) && !::IsWindowEnabled(p.Sheet()));
    // The light bulb stands on the white area.
    const RECT area = WindowRect(tip);
    EXPECT_TRUE(WaitFor([&] { return CountColour(area, RGB(255, 255, 0), 8) > 300; }));
    EXPECT_GT(CountColour(area, RGB(255, 255, 255), 0), 20000);
    ASSERT_TRUE(CloseWith(tip, IDCANCEL)); // the position is kept however the tip closes
    EXPECT_TRUE(::IsWindowEnabled(p.Sheet()));

    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "Second tip");
    ASSERT_TRUE(NextTip(tip));
    EXPECT_EQ(TipText(tip), "Third tip");
    ASSERT_TRUE(CloseWith(tip, IDOK));
    EXPECT_EQ(OpeningShows(p), "First tip");

    // Another file (its creation time differs from the stored one) is read from its top, even
    // where the stored position would lie inside it.
    ::WritePrivateProfileStringA("Tip", "TimeStamp", "Thu Jan  1 00:00:00 1970", Ini(p).c_str());
    EXPECT_EQ(OpeningShows(p), "First tip");
    EXPECT_EQ(OpeningShows(p), "Second tip");

    // A capture started meanwhile takes neither the tip nor the options window into the picture.
    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    HWND overlay = OpenOverlay(p);
    ASSERT_TRUE(overlay);
    EXPECT_FALSE(::IsWindowVisible(tip));
    EXPECT_TRUE(p.Sheet() == nullptr || !::IsWindowVisible(p.Sheet()));
    MouseAt(200, 200, MOUSEEVENTF_RIGHTDOWN); // gives the capture up
    MouseAt(200, 200, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(overlay) && !::IsWindow(tip) && !p.Sheet(); }));
}

// "&Close" stores the box (inverted, as StartUp), Esc does not, and the next opening shows what
// was stored. No tips file: its message and Next Tip grey; a file without a tip line: the trouble
// message and no hang.
TEST(TipOfDay, TheStartUpBoxAndFilesWithoutTips) {
    Program p;
    ::DeleteFileA((p.Folder() + "\\tips.txt").c_str());
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "Tips file does not exist in the prescribed directory");
    EXPECT_FALSE(NextTipEnabled(tip));
    EXPECT_TRUE(Checked(tip)) << "nothing stored: the box is ticked";
    ::SendMessageA(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_CLICK, 0, 0);
    ASSERT_TRUE(CloseWith(tip, IDCANCEL));
    EXPECT_EQ(StoredTip(p, "StartUp"), -1);
    EXPECT_EQ(StoredTip(p, "FilePos"), -1) << "no file, no position";

    WriteTips(p, "; only a comment\n\n   \n");
    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    std::string message;
    ASSERT_TRUE(ReadAndCloseMessageBox(p, message));
    EXPECT_EQ(message, "Trouble reading the tips file");
    EXPECT_EQ(TipText(tip), "");
    EXPECT_FALSE(NextTipEnabled(tip));
    EXPECT_TRUE(Checked(tip));
    ::SendMessageA(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_CLICK, 0, 0);
    ASSERT_TRUE(CloseWith(tip, IDOK));
    EXPECT_TRUE(WaitFor([&] { return StoredTip(p, "StartUp") == 1; }));

    WriteTips(p, "One\nTwo\n");
    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "One");
    EXPECT_FALSE(Checked(tip)) << "the stored value fills the box";
}
