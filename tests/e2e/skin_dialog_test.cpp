// The skin dialog end to end: opened from the About page, its live preview, the library flows
// (Save, Export, Import, Delete, OK) read back from the files with the program's own reader,
// and the random pick at start-up. Exit while it is open is among the ways out.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "skin/SkinScheme.h"
#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// A band of the preview in the dialog's client area, above the preview button.
constexpr RECT kPreviewBand = {30, 60, 270, 140};

std::string Library(const Program& p) {
    return p.Folder() + "\\scheme.dat";
}

// A look: mode, granularity, coloring and colour (no hover blend).
SkinLook Look(int mode, int granularity, int coloring, int r, int g, int b) {
    return {mode, granularity, 0, coloring, r, g, b};
}

SkinScheme Scheme(const char* name, const SkinLook& dialog, const SkinLook& button,
                  COLORREF sample) {
    SkinScheme s;
    MakeSchemeName(name, s.name);
    s.dialogLook = dialog;
    s.buttonLook = button;
    s.sampleRed = GetRValue(sample);
    s.sampleGreen = GetGValue(sample);
    s.sampleBlue = GetBValue(sample);
    return s;
}

// Three schemes: a grey vertical gradient without noise, a plain blue and a plain green (a
// coloring of 100 paints the colour itself, so their sample is that colour whatever the noise).
SkinSchemeTable ThreeSchemes() {
    SkinSchemeTable t;
    t.count = 3;
    t.Scheme(1) = Scheme("Alpha", Look(2, 0, 0, 10, 20, 30), Look(4, 3, 20, 200, 100, 50),
                         RGB(230, 230, 230));
    t.Scheme(2) =
        Scheme("Beta", Look(0, 0, 100, 40, 60, 200), Look(1, 2, 30, 90, 90, 90), RGB(40, 60, 200));
    t.Scheme(3) =
        Scheme("Gamma", Look(0, 5, 100, 30, 170, 60), Look(3, 4, 40, 10, 10, 10), RGB(30, 170, 60));
    return t;
}

// A full library: 99 schemes, each with a sample colour of its own.
SkinSchemeTable FullLibrary() {
    SkinSchemeTable t;
    t.count = SkinSchemeTable::kCapacity;
    for (int n = 1; n <= t.count; ++n) {
        const COLORREF c = RGB(20 + n * 2, 250 - n * 2, (n * 37) % 200 + 30);
        t.Scheme(n) = Scheme(("S" + std::to_string(n)).c_str(),
                             Look(0, 0, 100, GetRValue(c), GetGValue(c), GetBValue(c)),
                             Look(4, 3, 20, 100, 100, 100), c);
    }
    return t;
}

bool SameValues(const SkinScheme& a, const SkinScheme& b) {
    auto same = [](const SkinLook& x, const SkinLook& y) {
        return x.mode == y.mode && x.granularity == y.granularity && x.coloring == y.coloring &&
               x.red == y.red && x.green == y.green && x.blue == y.blue;
    };
    return same(a.dialogLook, b.dialogLook) && same(a.buttonLook, b.buttonLook) &&
           a.sampleRed == b.sampleRed && a.sampleGreen == b.sampleGreen &&
           a.sampleBlue == b.sampleBlue;
}

std::vector<std::string> ListNames(HWND dialog) {
    HWND list = ::GetDlgItem(dialog, IDC_SKIN_LIST);
    std::vector<std::string> names;
    const int n = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        // Asked in wide characters: that is how Wine hands list texts to another process.
        wchar_t wide[64] = L"";
        ::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
        char name[64] = "";
        ::WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr);
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> TableNames(const SkinSchemeTable& t) {
    std::vector<std::string> names;
    for (int n = 1; n <= t.count; ++n)
        names.push_back(t.Scheme(n).name);
    return names;
}

SkinSchemeTable ReadLibrary(const Program& p) {
    SkinSchemeTable t;
    EXPECT_TRUE(ReadSchemeFile(Library(p), t));
    return t;
}

// A rectangle of the dialog's client area on the screen.
RECT OnScreen(HWND dialog, RECT rc) {
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class SkinDialog : public ::testing::Test {
protected:
    void TearDown() override { m_p.Stop(); }

    void WriteLibrary(const SkinSchemeTable& t) { ASSERT_TRUE(WriteSchemeFile(Library(m_p), t)); }

    // Starts the program, opens About and presses "&Skin"; the skin dialog once it shows.
    HWND StartAndOpen() {
        if (!m_p.StartAndWaitForTray())
            return nullptr;
        return Open();
    }
    HWND Open() { return OpenSkinDialog(m_p); }
    // Closes the dialog with Esc (nothing stored) and waits until the options window is gone.
    void CloseWithEscape(HWND dialog) {
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog) && m_p.Sheet() == nullptr; }));
    }

    // Types a name into the name prompt that `button` brings up, and confirms it.
    void NameFor(HWND dialog, int button, const char* name) {
        PressButton(dialog, button);
        HWND prompt = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            prompt = FindProcessWindow(m_p.Pid(), "Name");
            return prompt && ::IsWindowVisible(prompt) && ::GetDlgItem(prompt, IDC_SCHEME_NAME);
        }));
        ::SendDlgItemMessageA(prompt, IDC_SCHEME_NAME, WM_SETTEXT, 0,
                              reinterpret_cast<LPARAM>(name));
        PressButton(prompt, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(prompt); }));
    }

    static void ChooseFile(HWND dialog, const std::string& path) {
        ASSERT_TRUE(AnswerFileDialog(dialog, path)) << "no file dialog";
    }

    // Waits until the dialog's thread has carried out what it was given. The tests read the
    // library only then: a reader holding the file would make the program's replacing of it fail.
    static bool Settled(HWND dialog) {
        DWORD_PTR ignored = 0;
        return ::SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored) != 0;
    }

    static void Select(HWND dialog, int item) {
        HWND list = ::GetDlgItem(dialog, IDC_SKIN_LIST);
        ::SendMessageA(list, CB_SETCURSEL, item, 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SKIN_LIST, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    }
    // Types a value into an edit. A refused value brings up a message box before the edit's
    // change is through: `waitMs` bounds the wait for it.
    static void SetField(HWND dialog, int id, int value, UINT waitMs = 10000) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(::GetDlgItem(dialog, id), WM_SETTEXT, 0,
                              reinterpret_cast<LPARAM>(std::to_string(value).c_str()), SMTO_NORMAL,
                              waitMs, &ignored);
    }

    Program m_p;
};

TEST_F(SkinDialog, AboutSkinClosesTheOptionsWindowAndListsTheShippedSchemes) {
    ASSERT_TRUE(m_p.UseShippedSkins());
    HWND dialog = StartAndOpen();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitFor([&] { return !m_p.Sheet() || !::IsWindowVisible(m_p.Sheet()); }))
        << "the options window leaves the screen";
    EXPECT_EQ(::GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION, 0) << "no title bar";

    SkinSchemeTable shipped;
    ASSERT_TRUE(ReadSchemeFile(BinDir() + "\\scheme.dat", shipped));
    EXPECT_GE(shipped.count, 12);
    EXPECT_EQ(ListNames(dialog), TableNames(shipped));
    EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_MODE), std::to_string(shipped.Scheme(1).dialogLook.mode));
    EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_SKIN_TARGET_DIALOG), BST_CHECKED);
    WaitFor([] { return false; }, 300); // let it paint
    SaveScreenshot("skin_dialog");

    // Help shows the skin topic of the help file.
    PressButton(dialog, IDC_SKIN_HELP);
    HWND help = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (help = FindProcessWindowByClass(m_p.Pid(), "HH Parent")); }));
    ::PostMessageA(help, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(help); }));
    CloseWithEscape(dialog);
}

// Whether every row (or every column) of a w x h block of pixels is one colour, give or take
// the one-step speck the noise leaves even at granularity 0.
bool Uniform(const std::vector<DWORD>& px, int w, int h, bool rows) {
    auto channelGap = [](DWORD a, DWORD b) {
        int gap = 0;
        for (int k = 0; k < 24; k += 8)
            gap = std::max(gap, std::abs(static_cast<int>((a >> k) & 0xFF) -
                                         static_cast<int>((b >> k) & 0xFF)));
        return gap;
    };
    const int lines = rows ? h : w, length = rows ? w : h;
    for (int i = 0; i < lines; ++i)
        for (int j = 1; j < length; ++j) {
            const size_t first = rows ? static_cast<size_t>(i) * w : static_cast<size_t>(i);
            const size_t at = rows ? first + j : static_cast<size_t>(j) * w + i;
            if (channelGap(px[first], px[at]) > 3)
                return false;
        }
    return true;
}
int Brightness(DWORD px) {
    return static_cast<int>((px & 0xFF) + (px >> 8 & 0xFF) + (px >> 16 & 0xFF));
}

TEST_F(SkinDialog, ModeAndGranularityChangeThePreview) {
    WriteLibrary(ThreeSchemes()); // scheme 1: vertical gradient, no noise, no tint
    HWND dialog = StartAndOpen();
    ASSERT_TRUE(dialog);
    const RECT area = OnScreen(dialog, kPreviewBand);
    const int w = area.right - area.left, h = area.bottom - area.top;
    std::vector<DWORD> px;
    auto shows = [&](bool rows, bool lightFirst) {
        return WaitFor([&] {
            px = ScreenPixels(area);
            const DWORD first = px.front(), last = px.back();
            return Uniform(px, w, h, rows) && (Brightness(first) > Brightness(last)) == lightFirst;
        });
    };
    EXPECT_TRUE(shows(true, true)) << "mode 2: light at the top, each row one colour";
    SetField(dialog, IDC_SKIN_MODE, 3);
    EXPECT_TRUE(shows(false, true)) << "mode 3: light at the left, each column one colour";
    SetField(dialog, IDC_SKIN_GRANULARITY, 40);
    EXPECT_TRUE(WaitFor([&] { return !Uniform(ScreenPixels(area), w, h, false); }))
        << "granularity 40: noise in the columns";
    // A value out of range is refused with the range.
    SetField(dialog, IDC_SKIN_MODE, 9, 200);
    std::string text;
    ASSERT_TRUE(ReadAndCloseMessageBox(m_p, text));
    EXPECT_EQ(text, "Please enter an integer between 0 and 8.");
    CloseWithEscape(dialog);
}

TEST_F(SkinDialog, TrackbarColourTakesEffectOnReleaseAndTheBackgroundMovesTheDialog) {
    WriteLibrary(ThreeSchemes()); // scheme 1's dialog colour: 10, 20, 30
    HWND dialog = StartAndOpen();
    ASSERT_TRUE(dialog);
    RECT swatch = WindowRect(::GetDlgItem(dialog, IDC_SKIN_SWATCH));
    const POINT inSwatch = {(swatch.left + swatch.right) / 2, swatch.top + 14};
    auto swatchIs = [&](COLORREF c) {
        return CountColour({inSwatch.x, inSwatch.y, inSwatch.x + 1, inSwatch.y + 1}, c, 0) == 1;
    };
    ASSERT_TRUE(WaitFor([&] { return swatchIs(RGB(10, 20, 30)); }));
    HWND red = ::GetDlgItem(dialog, IDC_SKIN_RED);
    const RECT bar = WindowRect(red);
    const POINT thumb = {bar.left + 8, (bar.top + bar.bottom) / 2};
    ASSERT_TRUE(MovePointer(thumb.x, thumb.y));
    MouseAt(thumb.x, thumb.y, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(MovePointer(thumb.x + 20, thumb.y));
    ASSERT_TRUE(MovePointer(bar.right + 40, thumb.y));
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(red, TBM_GETPOS, 0, 0) > 10; }));
    EXPECT_TRUE(Settled(dialog));
    EXPECT_TRUE(swatchIs(RGB(10, 20, 30))) << "the colour waits for the release";
    MouseAt(bar.right + 40, thumb.y, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] {
        return swatchIs(RGB(static_cast<int>(::SendMessageA(red, TBM_GETPOS, 0, 0)), 20, 30));
    }));

    // No title bar: a press on the background, away from the preview, drags the dialog.
    const RECT before = WindowRect(dialog);
    POINT from = {6, 150};
    ::ClientToScreen(dialog, &from);
    ASSERT_TRUE(MovePointer(from.x, from.y));
    MouseAt(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(MovePointer(from.x + 20, from.y + 10));
    ASSERT_TRUE(MovePointer(from.x + 40, from.y + 30));
    MouseAt(from.x + 40, from.y + 30, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] {
        const RECT now = WindowRect(dialog);
        return now.left == before.left + 40 && now.top == before.top + 30;
    }));
    CloseWithEscape(dialog);
}

TEST_F(SkinDialog, SaveAppendsANewNameOverwritesAnExistingOneAndRefusesAFullLibrary) {
    const SkinSchemeTable three = ThreeSchemes();
    WriteLibrary(three);
    HWND dialog = StartAndOpen();
    ASSERT_TRUE(dialog);
    // The sample is read from the preview: scheme 1's rows are each one colour.
    const RECT area = OnScreen(dialog, kPreviewBand);
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<DWORD> px = ScreenPixels(area);
        return Uniform(px, 240, 80, true) && Brightness(px.front()) > Brightness(px.back());
    }));
    const DWORD row = ScreenPixels({area.left + 20, area.top + 4, area.left + 21, area.top + 5})[0];

    // A name of more than 18 characters keeps 18; white space cannot be stored and becomes '_'.
    NameFor(dialog, IDC_SKIN_SAVE, "my skin is a very long one");
    ASSERT_TRUE(Settled(dialog));
    SkinSchemeTable t = ReadLibrary(m_p);
    ASSERT_EQ(t.count, 4);
    EXPECT_STREQ(t.Scheme(4).name, "my_skin_is_a_very_");
    SkinScheme expected = three.Scheme(1);
    expected.sampleRed = static_cast<int>(row >> 16 & 0xFF);
    expected.sampleGreen = static_cast<int>(row >> 8 & 0xFF);
    expected.sampleBlue = static_cast<int>(row & 0xFF);
    EXPECT_TRUE(SameValues(t.Scheme(4), expected));
    EXPECT_EQ(ListNames(dialog), TableNames(t));

    // Under an existing name: in place, the list as it was.
    Select(dialog, 1); // Beta, a plain colour
    NameFor(dialog, IDC_SKIN_SAVE, "Gamma");
    ASSERT_TRUE(Settled(dialog));
    t = ReadLibrary(m_p);
    EXPECT_EQ(t.count, 4);
    EXPECT_TRUE(SameValues(t.Scheme(3), three.Scheme(2)));
    EXPECT_EQ(ListNames(dialog), TableNames(t));
    EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0), 1);

    // A library that cannot be written: told, and nothing changes.
    const std::string before = ReadFileText(Library(m_p));
    ASSERT_TRUE(::CreateDirectoryA((Library(m_p) + ".tmp").c_str(), nullptr));
    NameFor(dialog, IDC_SKIN_SAVE, "Delta");
    std::string text;
    ASSERT_TRUE(ReadAndCloseMessageBox(m_p, text));
    EXPECT_EQ(text, "Create file error!");
    EXPECT_EQ(ReadFileText(Library(m_p)), before);
    EXPECT_EQ(ListNames(dialog).size(), 4u);
    ::RemoveDirectoryA((Library(m_p) + ".tmp").c_str());
    CloseWithEscape(dialog);

    // A full library takes no 100th scheme, saved or imported.
    WriteLibrary(FullLibrary());
    const std::string full = ReadFileText(Library(m_p));
    const std::string vsc = m_p.Folder() + "\\new.vsc";
    SkinScheme imported = three.Scheme(1); // coloring 0: it would show if it were taken
    MakeSchemeName("Newcomer", imported.name);
    ASSERT_TRUE(WriteSchemeBlock(vsc, imported));
    dialog = Open();
    ASSERT_TRUE(dialog);
    for (bool import : {false, true}) {
        SCOPED_TRACE(import ? "Import" : "Save");
        if (import) {
            PressButton(dialog, IDC_SKIN_IMPORT);
            ChooseFile(dialog, vsc);
        } else {
            NameFor(dialog, IDC_SKIN_SAVE, "One_more");
        }
        ASSERT_TRUE(ReadAndCloseMessageBox(m_p, text));
        EXPECT_NE(text.find("full"), std::string::npos) << text;
        EXPECT_EQ(ReadFileText(Library(m_p)), full);
        EXPECT_EQ(ListNames(dialog).size(), 99u);
    }
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_COLORING), "100") << "the working look is kept";
    CloseWithEscape(dialog);
}

TEST_F(SkinDialog, ExportAndImportExchangeOneSchemeAsAVscFile) {
    const SkinSchemeTable three = ThreeSchemes();
    WriteLibrary(three);
    HWND dialog = StartAndOpen();
    ASSERT_TRUE(dialog);
    Select(dialog, 2); // Gamma: a plain colour, so its sample is that colour

    const std::string vsc = m_p.Folder() + "\\shared.vsc";
    NameFor(dialog, IDC_SKIN_EXPORT, "Shared");
    ChooseFile(dialog, vsc);
    SkinScheme exported;
    ASSERT_TRUE(Settled(dialog));
    ASSERT_EQ(ReadSchemeBlock(vsc, exported), 16);
    EXPECT_STREQ(exported.name, "Shared");
    EXPECT_TRUE(SameValues(exported, three.Scheme(3)));
    EXPECT_FALSE(FileExists(vsc + ".tmp"));

    // A file that cannot be written is reported.
    const std::string blocked = m_p.Folder() + "\\blocked.vsc";
    ASSERT_TRUE(::CreateDirectoryA((blocked + ".tmp").c_str(), nullptr));
    NameFor(dialog, IDC_SKIN_EXPORT, "Blocked");
    ChooseFile(dialog, blocked);
    std::string text;
    ASSERT_TRUE(ReadAndCloseMessageBox(m_p, text));
    EXPECT_EQ(text, "Create file error!");
    EXPECT_FALSE(FileExists(blocked));

    // A friend's scheme, written by hand, joins the library with all its values.
    const std::string friendly = m_p.Folder() + "\\friend.vsc";
    WriteFileText(friendly, "Friend\n1\n2\n3\n4\n5\n6\n7\n8\n9\n5\n6\n70\n3\n12\n45\n");
    PressButton(dialog, IDC_SKIN_IMPORT);
    ChooseFile(dialog, friendly);
    ASSERT_TRUE(Settled(dialog));
    const SkinSchemeTable t = ReadLibrary(m_p);
    ASSERT_EQ(t.count, 4);
    const SkinScheme expected =
        Scheme("Friend", Look(3, 12, 45, 4, 5, 6), Look(5, 6, 70, 1, 2, 3), RGB(7, 8, 9));
    EXPECT_STREQ(t.Scheme(4).name, "Friend");
    EXPECT_TRUE(SameValues(t.Scheme(4), expected));
    EXPECT_EQ(ListNames(dialog), TableNames(t));
    EXPECT_TRUE(WaitFor([&] { return ItemText(dialog, IDC_SKIN_MODE) == "3"; }))
        << "the imported dialog look is shown";

    // A file that is no skin is refused, and the library stays.
    const std::string library = ReadFileText(Library(m_p)), other = m_p.Folder() + "\\x.vsc";
    WriteFileText(other, "not a skin\n");
    PressButton(dialog, IDC_SKIN_IMPORT);
    ChooseFile(dialog, other);
    ASSERT_TRUE(ReadAndCloseMessageBox(m_p, text));
    EXPECT_EQ(text, "Open file error!");
    EXPECT_EQ(ReadFileText(Library(m_p)), library);
    CloseWithEscape(dialog);
}

TEST_F(SkinDialog, DeleteRefusesTheDefaultSkinAndAsksBeforeRemovingAnother) {
    WriteLibrary(ThreeSchemes());
    HWND dialog = StartAndOpen();
    ASSERT_TRUE(dialog);
    PressButton(dialog, IDC_SKIN_DELETE);
    std::string text;
    ASSERT_TRUE(ReadAndCloseMessageBox(m_p, text));
    EXPECT_EQ(text, "You can't delete the default skin!");

    Select(dialog, 2);
    for (int answer : {IDCANCEL, IDOK}) {
        PressButton(dialog, IDC_SKIN_DELETE);
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindProcessWindow(m_p.Pid(), "Delete skin")); }));
        EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)), "Are you sure to delete : Gamma ?");
        ::PostMessageA(box, WM_COMMAND, answer, 0);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
        ASSERT_TRUE(Settled(dialog));
        EXPECT_EQ(ReadLibrary(m_p).count, answer == IDOK ? 2 : 3);
    }
    EXPECT_EQ(ListNames(dialog), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_COLORING), "0") << "back to the default skin's look";
    CloseWithEscape(dialog);
}

TEST_F(SkinDialog, OkMakesTheLookTheDefaultSkinThatTheOptionsWindowThenWears) {
    const SkinSchemeTable three = ThreeSchemes();
    WriteLibrary(three);
    WriteIniSetting(Ini(m_p), "", "RandomSkin", 1);
    HWND dialog = StartAndOpen();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_SKIN_RANDOM), BST_CHECKED) << "RandomSkin shows";
    // Cleared first: choosing another skin afterwards must not bring the tick back.
    ::SendDlgItemMessageA(dialog, IDC_SKIN_RANDOM, BM_SETCHECK, BST_UNCHECKED, 0);
    Select(dialog, 1); // Beta: plain blue
    // A library that cannot be written: told, and the dialog stays with the look in it.
    const std::string before = ReadFileText(Library(m_p));
    ASSERT_TRUE(::CreateDirectoryA((Library(m_p) + ".tmp").c_str(), nullptr));
    PressButton(dialog, IDOK);
    std::string text;
    ASSERT_TRUE(ReadAndCloseMessageBox(m_p, text));
    EXPECT_EQ(text, "Create file error!");
    ASSERT_TRUE(Settled(dialog));
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_EQ(ReadFileText(Library(m_p)), before);
    ::RemoveDirectoryA((Library(m_p) + ".tmp").c_str());
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog) && m_p.Sheet() == nullptr; }));
    SkinSchemeTable t = ReadLibrary(m_p);
    EXPECT_STREQ(t.Scheme(1).name, "Alpha") << "the default skin keeps its name";
    EXPECT_TRUE(SameValues(t.Scheme(1), three.Scheme(2)));
    EXPECT_EQ(Stored(m_p, "RandomSkin"), 0);
    ASSERT_TRUE(OpenOptions(m_p));
    EXPECT_TRUE(SelectedTabWears(m_p, RGB(40, 60, 200)));

    // With "Random skin at startup" ticked the program keeps its look until the next start.
    dialog = Open();
    ASSERT_TRUE(dialog);
    Select(dialog, 2); // Gamma: plain green
    ::SendDlgItemMessageA(dialog, IDC_SKIN_RANDOM, BM_SETCHECK, BST_CHECKED, 0);
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog) && m_p.Sheet() == nullptr; }));
    EXPECT_EQ(Stored(m_p, "RandomSkin"), 1);
    EXPECT_TRUE(SameValues(ReadLibrary(m_p).Scheme(1), three.Scheme(3)));
    ASSERT_TRUE(OpenOptions(m_p));
    EXPECT_TRUE(SelectedTabWears(m_p, RGB(40, 60, 200)));
}

// A double click on the tray icon while the skin dialog is open brings the dialog forward
// from behind another program's window, and opens no second options window.
TEST_F(SkinDialog, ATrayDoubleClickBringsItForward) {
    WriteLibrary(ThreeSchemes());
    HWND dialog = StartAndOpen();
    ASSERT_TRUE(dialog);
    HWND other = ::CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                   100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == other; }));
    ::PostMessageA(m_p.TrayWindow(), WM_USER, 101, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == dialog; }));
    EXPECT_FALSE(::IsWindowVisible(m_p.Sheet()));
    ::DestroyWindow(other);
    CloseWithEscape(dialog);
}

TEST(SkinRandom, TwoStartsWithDifferentSeedsWearDifferentSchemes) {
    const SkinSchemeTable full = FullLibrary();
    // The scheme the program wears, known by its sample colour on the selected tab.
    auto worn = [&](const Program& p) {
        if (!OpenOptions(p))
            return 0;
        RECT tab = SheetTabRect(p.Sheet(), SheetActiveTab(p.Sheet()));
        ::InflateRect(&tab, -6, -4);
        int found = 0;
        WaitFor([&] {
            for (int n = 1; n <= full.count && !found; ++n) {
                const SkinScheme& s = full.Scheme(n);
                if (CountColour(tab, RGB(s.sampleRed, s.sampleGreen, s.sampleBlue), 0) > 50)
                    found = n;
            }
            return found != 0;
        });
        return found;
    };
    int picks[2] = {0, 0};
    std::time_t startedBy = 0;
    for (int& pick : picks) {
        Program p;
        ASSERT_TRUE(WriteSchemeFile(Library(p), full));
        WriteIniSetting(Ini(p), "", "RandomSkin", 1);
        // The program seeds its pick with the time in seconds: the second start comes a
        // second later at least.
        ASSERT_TRUE(WaitFor([&] { return std::time(nullptr) > startedBy; }, 3000));
        const std::time_t from = std::time(nullptr);
        ASSERT_TRUE(p.StartAndWaitForTray());
        startedBy = std::time(nullptr);
        pick = worn(p);
        // The pick is scheme (first draw mod count) + 1 for a seed of those seconds.
        bool possible = false;
        for (std::time_t t = from; t <= startedBy; ++t) {
            CrtRandom random(static_cast<std::uint32_t>(t));
            possible = possible || random.Next() % full.count + 1 == pick;
        }
        EXPECT_TRUE(possible) << "scheme " << pick;
    }
    EXPECT_NE(picks[0], picks[1]);
}

} // namespace
