// Tip of the Day as the user meets it from the About page: the tips in turn over several
// openings, the show-at-start-up box, a replaced tips file, a missing one, one without tips and
// positions that do not belong to the file.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/pages.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace {

std::string TipText(HWND tip) {
    return ItemText(tip, IDC_TIP_TEXT);
}

// Closes the dialog with Close (IDOK) or as Esc does (IDCANCEL); true once it has gone.
bool CloseTip(HWND tip, int id) {
    PressButton(tip, id);
    return WaitFor([&] { return !::IsWindow(tip); });
}

void WriteTips(const Program& p, const std::string& text) {
    WriteFileText(p.Folder() + "\\tips.txt", text);
}

int StoredTip(const Program& p, const char* key) {
    return static_cast<int>(::GetPrivateProfileIntA("Tip", key, -1, Ini(p).c_str()));
}
std::string StoredStamp(const Program& p) {
    char buf[128] = "";
    ::GetPrivateProfileStringA("Tip", "TimeStamp", "(none)", buf, sizeof buf, Ini(p).c_str());
    return buf;
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
// beside it; each opening goes on after the tip shown last, Next Tip goes on within an opening,
// and the end of the file wraps to its first tip, never showing a comment or a blank line.
TEST(TipOfDay, OpeningsAndNextTipGoThroughTheTipsBesideTheProgramInTurn) {
    Program p;
    WriteTips(p, "; header\nFirst tip\n\n  indented\n\ttabbed\nSecond tip\n;comment\n"
                 "Third tip\n   \n");
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
    ASSERT_NE(p.Sheet(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(p.Sheet()));
    EXPECT_FALSE(::IsWindowEnabled(p.Sheet()));
    // The light bulb stands on the white area.
    const RECT area = WindowRect(tip);
    EXPECT_TRUE(WaitFor([&] { return CountColour(area, RGB(255, 255, 0), 8) > 300; }));
    EXPECT_GT(CountColour(area, RGB(255, 255, 255), 0), 20000);
    ASSERT_TRUE(CloseTip(tip, IDOK));
    EXPECT_TRUE(::IsWindowEnabled(p.Sheet()));

    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "Second tip");
    ASSERT_TRUE(CloseTip(tip, IDCANCEL)); // the position is kept however the tip closes

    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "Third tip");
    ASSERT_TRUE(NextTip(tip));
    EXPECT_EQ(TipText(tip), "First tip");
    ASSERT_TRUE(NextTip(tip));
    EXPECT_EQ(TipText(tip), "Second tip");
    ASSERT_TRUE(CloseTip(tip, IDOK));

    // A capture started meanwhile takes neither the tip nor the options window into the picture.
    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    p.Command(ID_CAPTURE);
    HWND overlay = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (overlay = FindProcessWindowByClass(p.Pid(), "paste")); }));
    EXPECT_FALSE(::IsWindowVisible(tip));
    EXPECT_TRUE(p.Sheet() == nullptr || !::IsWindowVisible(p.Sheet()));
    MouseButtonsAt(200, 200, MOUSEEVENTF_RIGHTDOWN); // gives the capture up
    MouseButtonsAt(200, 200, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(overlay) && !::IsWindow(tip) && !p.Sheet(); }));
}

// "&Close" stores the box (inverted, as StartUp); Esc leaves the stored value as it was. Next
// Tip does not undo what the user made of the box.
TEST(TipOfDay, CloseStoresTheStartUpBoxAndEscDoesNot) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(Checked(tip)) << "nothing stored: the box is ticked";
    ::SendMessageA(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_CLICK, 0, 0);
    ASSERT_TRUE(NextTip(tip));
    EXPECT_FALSE(Checked(tip));
    ASSERT_TRUE(CloseTip(tip, IDCANCEL));
    EXPECT_EQ(StoredTip(p, "StartUp"), -1);

    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(Checked(tip));
    ::SendMessageA(::GetDlgItem(tip, IDC_TIP_STARTUP), BM_CLICK, 0, 0);
    ASSERT_TRUE(CloseTip(tip, IDOK));
    EXPECT_TRUE(WaitFor([&] { return StoredTip(p, "StartUp") == 1; }));
    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(Checked(tip)) << "the stored value fills the box";
}

// A position stored for another tips file (another creation time) is dropped: the new file is
// read from its top and its stamp stored; the next opening then goes on in it.
TEST(TipOfDay, ANewTipsFileStartsFromItsTop) {
    Program p;
    WriteTips(p, "Alpha\nBravo\nCharlie\n");
    const char kOldStamp[] = "Thu Jan  1 00:00:00 1970";
    ::WritePrivateProfileStringA("Tip", "TimeStamp", kOldStamp, Ini(p).c_str());
    WriteIniSetting(Ini(p), "Tip", "FilePos", 6); // after "Alpha\n"
    ASSERT_TRUE(p.StartAndWaitForTray());

    HWND tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "Alpha");
    const std::string stamp = StoredStamp(p);
    EXPECT_NE(stamp, kOldStamp);
    EXPECT_NE(stamp, "");
    ASSERT_TRUE(CloseTip(tip, IDOK));

    tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "Bravo");
    EXPECT_EQ(StoredStamp(p), stamp);
    ASSERT_TRUE(CloseTip(tip, IDOK));
}

// No tips file: its message and Next Tip grey. A file without a tip line: the trouble message
// over an empty tip, and no hang. A stored position before the top or beyond the end: the first
// tip, without any message.
TEST(TipOfDay, MissingFilesFilesWithoutTipsAndStrayPositions) {
    Program p;
    ::DeleteFileA((p.Folder() + "\\tips.txt").c_str());
    ASSERT_TRUE(p.StartAndWaitForTray());

    HWND tip = OpenTipOfDay(p);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip), "Tips file does not exist in the prescribed directory");
    EXPECT_FALSE(NextTipEnabled(tip));
    ASSERT_TRUE(CloseTip(tip, IDOK));
    EXPECT_EQ(StoredTip(p, "FilePos"), -1) << "no file, no position";

    for (const char* noTips : {"", "; only a comment\n\n   \n\t\n"}) {
        SCOPED_TRACE(noTips);
        WriteTips(p, noTips);
        tip = OpenTipOfDay(p);
        ASSERT_NE(tip, nullptr);
        std::string message;
        ASSERT_TRUE(ReadAndCloseMessageBox(p, message));
        EXPECT_EQ(message, "Trouble reading the tips file");
        EXPECT_EQ(TipText(tip), "");
        EXPECT_FALSE(NextTipEnabled(tip));
        ASSERT_TRUE(CloseTip(tip, IDOK));
    }

    WriteTips(p, "One\nTwo\n");
    tip = OpenTipOfDay(p); // stores the file's stamp, so the positions below are kept
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(CloseTip(tip, IDOK));
    for (int position : {-7, 100000}) {
        SCOPED_TRACE(position);
        ASSERT_TRUE(WaitFor([&] { return StoredTip(p, "FilePos") == 4; }));
        WriteIniSetting(Ini(p), "Tip", "FilePos", position);
        tip = OpenTipOfDay(p);
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(TipText(tip), "One");
        // Anything the opening posted has been handled once Next Tip has answered.
        ASSERT_TRUE(NextTip(tip));
        EXPECT_EQ(TipText(tip), "Two");
        EXPECT_EQ(FindProcessWindow(p.Pid(), "!Zentrova"), nullptr) << "no message box";
        ASSERT_TRUE(NextTip(tip)); // back to "One", so that FilePos is 4 again
        ASSERT_TRUE(CloseTip(tip, IDOK));
    }
}

// Each opening paints the bulb from a bitmap of its own: fifty openings leave no more GDI objects
// behind than one.
TEST(TipOfDay, FiftyOpeningsLeaveNoGdiObjectsBehind) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    auto openAndClose = [&] {
        HWND tip = OpenTipOfDay(p);
        ASSERT_NE(tip, nullptr);
        const RECT area = WindowRect(tip);
        ASSERT_TRUE(WaitFor([&] { return CountColour(area, RGB(255, 255, 0), 8) > 300; }));
        ASSERT_TRUE(CloseTip(tip, IDOK));
    };
    openAndClose();
    Spy spy(p.TrayWindow());
    Spy::Objects once, fifty;
    ASSERT_TRUE(spy.CountObjects(once));
    for (int i = 0; i < 49; ++i) {
        openAndClose();
        if (HasFatalFailure())
            return;
    }
    ASSERT_TRUE(spy.CountObjects(fifty));
    std::printf("GDI objects of Zentrova with the options window open: after 1 opening of Tip of "
                "the Day %lu, after 50 openings %lu\n",
                once.gdi, fifty.gdi);
    EXPECT_LE(fifty.Drawing(), once.Drawing() + 1);
    EXPECT_LE(fifty.dcsAndRegions, once.dcsAndRegions + 4);
}
