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

#include "tests/common/schemes.h"
#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// A band of the preview in the dialog's client area, above the preview button.
constexpr RECT kPreviewBand = {30, 60, 270, 140};

std::string Library(const Program& p) {
    return p.Folder() + "\\scheme.dat";
}

// Three schemes: a grey vertical gradient without noise, a plain blue and a plain green (a
// coloring of 100 paints the colour itself, so their sample is that colour whatever the noise).
SkinSchemeTable ThreeSchemes() {
    return SchemeTable({
        Scheme("Alpha", Look(2, 0, 0, 10, 20, 30), Look(4, 3, 20, 200, 100, 50), 230, 230, 230),
        Scheme("Beta", Look(0, 0, 100, 40, 60, 200), Look(1, 2, 30, 90, 90, 90), 40, 60, 200),
        Scheme("Gamma", Look(0, 5, 100, 30, 170, 60), Look(3, 4, 40, 10, 10, 10), 30, 170, 60),
    });
}

// A full library: 99 schemes, each with a sample colour of its own.
SkinSchemeTable FullLibrary() {
    return SchemeTable(SkinSchemeTable::kCapacity, [](int n) {
        const int r = 20 + n * 2, g = 250 - n * 2, b = (n * 37) % 200 + 30;
        return Scheme("S" + std::to_string(n), Look(0, 0, 100, r, g, b),
                      Look(4, 3, 20, 100, 100, 100), r, g, b);
    });
}

bool SameValues(const SkinScheme& a, const SkinScheme& b) {
    return StoredNumbers(a) == StoredNumbers(b);
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

// The dialog's preview band on the screen.
RECT PreviewBand(HWND dialog) {
    RECT rc = kPreviewBand;
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
// Whether every row (or every column) of the band is one colour, give or take the one-step speck
// the noise leaves even at granularity 0, with the first row (or column) the lighter end.
bool Gradient(HWND dialog, bool rows) {
    const RECT area = PreviewBand(dialog);
    const std::vector<DWORD> px = ScreenPixels(area);
    const int w = area.right - area.left, h = area.bottom - area.top;
    auto sum = [](DWORD p) { return (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const DWORD a = px[static_cast<size_t>(y) * w + x], b = px[rows ? y * w : x];
            for (int k = 0; k < 24; k += 8)
                if (std::abs(static_cast<int>(a >> k & 0xFF) - static_cast<int>(b >> k & 0xFF)) > 3)
                    return false;
        }
    return sum(px.front()) > sum(px.back());
}

class SkinDialog : public ::testing::Test {
protected:
    void TearDown() override { m_p.Stop(); }

    // Writes the library, starts the program and opens the dialog; the dialog once it shows.
    HWND StartAndOpen(const SkinSchemeTable& library) {
        EXPECT_TRUE(WriteSchemeFile(Library(m_p), library));
        return m_p.StartAndWaitForTray() ? OpenSkinDialog(m_p) : nullptr;
    }
    // Closes the dialog with Esc (nothing stored) and waits until the options window is gone.
    void CloseWithEscape(HWND dialog) {
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog) && m_p.Sheet() == nullptr; }));
    }
    // Types a name into the name prompt that `button` brings up, and confirms it; with `path`,
    // then answers the file dialog that follows.
    void NameFor(HWND dialog, int button, const char* name, const std::string& path = "") {
        PressButton(dialog, button);
        HWND prompt = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            prompt = FindProcessWindow(m_p.Pid(), "Name");
            return prompt && ::IsWindowVisible(prompt) && ::GetDlgItem(prompt, IDC_SCHEME_NAME);
        }));
        ::SendDlgItemMessageA(prompt, IDC_SCHEME_NAME, WM_SETTEXT, 0,
                              reinterpret_cast<LPARAM>(name));
        ASSERT_TRUE(CloseWith(prompt, IDOK));
        if (!path.empty()) {
            ASSERT_TRUE(AnswerFileDialog(dialog, path));
        }
    }
    void Import(HWND dialog, const std::string& path) {
        PressButton(dialog, IDC_SKIN_IMPORT);
        ASSERT_TRUE(AnswerFileDialog(dialog, path));
    }
    // What the library file holds once the dialog's thread has carried out what it was given: a
    // reader holding the file earlier would make the program's replacing of it fail.
    SkinSchemeTable Settled(HWND dialog) {
        DWORD_PTR ignored = 0;
        EXPECT_TRUE(::SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored));
        SkinSchemeTable t;
        EXPECT_TRUE(ReadSchemeFile(Library(m_p), t));
        return t;
    }
    // The message box the dialog brings up, read and closed.
    std::string Told() {
        std::string text;
        EXPECT_TRUE(ReadAndCloseMessageBox(m_p, text));
        return text;
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
    // Makes the library unwritable (a folder where its replacement is written first), or
    // writable again.
    void BlockLibrary(bool block) const {
        const std::string temp = Library(m_p) + ".tmp";
        EXPECT_TRUE(block ? ::CreateDirectoryA(temp.c_str(), nullptr)
                          : ::RemoveDirectoryA(temp.c_str()));
    }

    Program m_p;
};

TEST_F(SkinDialog, AboutSkinClosesTheOptionsWindowAndListsTheShippedSchemes) {
    ASSERT_TRUE(m_p.UseShippedSkins());
    HWND dialog = m_p.StartAndWaitForTray() ? OpenSkinDialog(m_p) : nullptr;
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

// Mode and granularity repaint the preview as they are typed, a value out of range is refused, a
// slider's colour takes effect on its release, and the background drags the dialog.
TEST_F(SkinDialog, ThePreviewFollowsTheFieldsAndTheBackgroundMovesTheDialog) {
    HWND dialog = StartAndOpen(ThreeSchemes()); // scheme 1: vertical gradient, no noise, no tint
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitFor([&] { return Gradient(dialog, true); })) << "mode 2: light at the top";
    SetField(dialog, IDC_SKIN_MODE, 3);
    EXPECT_TRUE(WaitFor([&] { return Gradient(dialog, false); })) << "mode 3: light at the left";
    SetField(dialog, IDC_SKIN_GRANULARITY, 40);
    EXPECT_TRUE(WaitFor([&] { return !Gradient(dialog, false); })) << "granularity 40: noise";
    SetField(dialog, IDC_SKIN_MODE, 9, 200);
    EXPECT_EQ(Told(), "Please enter an integer between 0 and 8.");
    SetField(dialog, IDC_SKIN_MODE, 3);

    const RECT swatch = WindowRect(::GetDlgItem(dialog, IDC_SKIN_SWATCH));
    const POINT inSwatch = {(swatch.left + swatch.right) / 2, swatch.top + 14};
    auto swatchIs = [&](COLORREF c) {
        return CountColour({inSwatch.x, inSwatch.y, inSwatch.x + 1, inSwatch.y + 1}, c, 0) == 1;
    };
    ASSERT_TRUE(WaitFor([&] { return swatchIs(RGB(10, 20, 30)); }));
    HWND red = ::GetDlgItem(dialog, IDC_SKIN_RED);
    const RECT bar = WindowRect(red);
    // Dragged from the thumb, then the background of the dialog, away from the preview.
    POINT background = {6, 150};
    ::ClientToScreen(dialog, &background);
    const RECT before = WindowRect(dialog);
    for (const POINT from : {POINT{bar.left + 8, (bar.top + bar.bottom) / 2}, background}) {
        const bool slider = from.x != background.x;
        const POINT to = {slider ? bar.right + 40 : from.x + 40, from.y + (slider ? 0 : 30)};
        ASSERT_TRUE(MovePointer(from.x, from.y));
        MouseAt(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(MovePointer(from.x + 20, from.y + (slider ? 0 : 10)));
        ASSERT_TRUE(MovePointer(to.x, to.y));
        if (slider) {
            ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(red, TBM_GETPOS, 0, 0) > 10; }));
            Settled(dialog);
            EXPECT_TRUE(swatchIs(RGB(10, 20, 30))) << "the colour waits for the release";
        }
        MouseAt(to.x, to.y, MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(!slider || WaitFor([&] {
            return swatchIs(RGB(static_cast<int>(::SendMessageA(red, TBM_GETPOS, 0, 0)), 20, 30));
        }));
    }
    EXPECT_TRUE(WaitFor([&] {
        const RECT now = WindowRect(dialog);
        return now.left == before.left + 40 && now.top == before.top + 30;
    })) << "no title bar: the background moves the dialog";
    CloseWithEscape(dialog);
}

// Save adds a new name and replaces an existing one; Export writes one scheme to a *.vsc file and
// Import adds one from such a file; Delete asks first and never takes the default skin. A library
// or a file that cannot be written, a file that is no skin and a full library are told, and then
// nothing changes.
TEST_F(SkinDialog, SaveExportImportAndDeleteKeepTheLibraryFile) {
    const SkinSchemeTable three = ThreeSchemes();
    HWND dialog = StartAndOpen(three);
    ASSERT_TRUE(dialog);
    // The sample is read from the preview: scheme 1's rows are each one colour.
    ASSERT_TRUE(WaitFor([&] { return Gradient(dialog, true); }));
    const RECT band = PreviewBand(dialog);
    const DWORD row = ScreenPixels({band.left + 20, band.top + 4, band.left + 21, band.top + 5})[0];

    // A name of more than 18 bytes keeps 18 at most, never the half of a character; white space
    // cannot be stored and becomes '_'. The list shows the name saved.
    NameFor(dialog, IDC_SKIN_SAVE, "  My Skin  Ünïcødé Ωmega");
    SkinSchemeTable t = Settled(dialog);
    ASSERT_EQ(t.count, 4);
    EXPECT_STREQ(t.Scheme(4).name, "__My_Skin__Ünïc");
    EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0), 3);
    SkinScheme expected = three.Scheme(1);
    expected.sampleRed = static_cast<int>(row >> 16 & 0xFF);
    expected.sampleGreen = static_cast<int>(row >> 8 & 0xFF);
    expected.sampleBlue = static_cast<int>(row & 0xFF);
    EXPECT_TRUE(SameValues(t.Scheme(4), expected));
    EXPECT_EQ(ListNames(dialog), TableNames(t));
    // Under an existing name: in place, the list as it was.
    Select(dialog, 1); // Beta, a plain colour
    NameFor(dialog, IDC_SKIN_SAVE, "Gamma");
    t = Settled(dialog);
    EXPECT_EQ(t.count, 4);
    EXPECT_TRUE(SameValues(t.Scheme(3), three.Scheme(2)));
    EXPECT_EQ(ListNames(dialog), TableNames(t));
    EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0), 2);

    Select(dialog, 2); // Gamma, now Beta's plain blue
    const std::string vsc = m_p.Folder() + "\\shared.vsc", blocked = m_p.Folder() + "\\no.vsc";
    NameFor(dialog, IDC_SKIN_EXPORT, "Shared", vsc);
    SkinScheme exported;
    Settled(dialog);
    ASSERT_EQ(ReadSchemeBlock(vsc, exported), 16);
    EXPECT_STREQ(exported.name, "Shared");
    EXPECT_TRUE(SameValues(exported, three.Scheme(2)));
    EXPECT_FALSE(FileExists(vsc + ".tmp"));
    // A name without an extension gets the one Import lists.
    NameFor(dialog, IDC_SKIN_EXPORT, "Def", m_p.Folder() + "\\def");
    Settled(dialog);
    EXPECT_EQ(ReadSchemeBlock(m_p.Folder() + "\\def.vsc", exported), kSchemeBlockValues);
    ASSERT_TRUE(::CreateDirectoryA((blocked + ".tmp").c_str(), nullptr));
    NameFor(dialog, IDC_SKIN_EXPORT, "Blocked", blocked);
    EXPECT_EQ(Told(), "Create file error!");
    EXPECT_FALSE(FileExists(blocked));

    // A friend's scheme, written by hand, joins the library with all its values and shows.
    const std::string friendly = m_p.Folder() + "\\friend.vsc";
    WriteFileText(friendly, "Friend\n1\n2\n3\n4\n5\n6\n7\n8\n9\n5\n6\n70\n3\n12\n45\n");
    Import(dialog, friendly);
    t = Settled(dialog);
    ASSERT_EQ(t.count, 5);
    EXPECT_STREQ(t.Scheme(5).name, "Friend");
    EXPECT_TRUE(SameValues(t.Scheme(5),
                           Scheme("", Look(3, 12, 45, 4, 5, 6), Look(5, 6, 70, 1, 2, 3), 7, 8, 9)));
    EXPECT_EQ(ListNames(dialog), TableNames(t));
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_MODE), "3") << "the imported dialog look is shown";

    // What cannot be written or read is told, and the library stays.
    const std::string library = ReadFileText(Library(m_p)), other = m_p.Folder() + "\\x.vsc";
    WriteFileText(other, "not a skin\n");
    Import(dialog, other);
    EXPECT_EQ(Told(), "Open file error!");
    BlockLibrary(true);
    NameFor(dialog, IDC_SKIN_SAVE, "Delta");
    EXPECT_EQ(Told(), "Create file error!");
    BlockLibrary(false);
    EXPECT_EQ(ReadFileText(Library(m_p)), library);
    EXPECT_EQ(ListNames(dialog), TableNames(t));

    // Delete: never the default skin; another only when the user agrees.
    Select(dialog, 0);
    PressButton(dialog, IDC_SKIN_DELETE);
    EXPECT_EQ(Told(), "You can't delete the default skin!");
    Select(dialog, 2);
    for (int answer : {IDCANCEL, IDOK}) {
        PressButton(dialog, IDC_SKIN_DELETE);
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindProcessWindow(m_p.Pid(), "Delete skin")); }));
        EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)), "Are you sure to delete : Gamma ?");
        ASSERT_TRUE(CloseWith(box, answer));
        EXPECT_EQ(Settled(dialog).count, answer == IDOK ? 4 : 5);
    }
    EXPECT_EQ(ListNames(dialog),
              (std::vector<std::string>{"Alpha", "Beta", "__My_Skin__Ünïc", "Friend"}));
    EXPECT_EQ(::SendDlgItemMessageA(dialog, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_COLORING), "0") << "back to the default skin's look";
    CloseWithEscape(dialog);

    // A full library takes no 100th scheme, saved or imported, and the working look is kept.
    ASSERT_TRUE(WriteSchemeFile(Library(m_p), FullLibrary()));
    const std::string full = ReadFileText(Library(m_p));
    dialog = OpenSkinDialog(m_p);
    ASSERT_TRUE(dialog);
    for (bool import : {false, true}) {
        SCOPED_TRACE(import ? "Import" : "Save");
        if (import)
            Import(dialog, friendly);
        else
            NameFor(dialog, IDC_SKIN_SAVE, "One_more");
        EXPECT_NE(Told().find("full"), std::string::npos);
        EXPECT_EQ(ReadFileText(Library(m_p)), full);
        EXPECT_EQ(ListNames(dialog).size(), 99u);
    }
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_COLORING), "100");
    CloseWithEscape(dialog);
}

// OK makes the look the default skin, which the options window then wears; a library that cannot
// be written is told and keeps the dialog open. With "Random skin at startup" ticked the program
// keeps its look until the next start. A double click on the tray icon brings the dialog forward.
TEST_F(SkinDialog, OkMakesTheLookTheDefaultSkinThatTheOptionsWindowThenWears) {
    const SkinSchemeTable three = ThreeSchemes();
    WriteIniSetting(Ini(m_p), "", "RandomSkin", 1);
    HWND dialog = StartAndOpen(three);
    ASSERT_TRUE(dialog);
    HWND other = ::CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                   100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == other; }));
    ::PostMessageA(m_p.TrayWindow(), WM_USER, 101, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == dialog; }));
    EXPECT_FALSE(::IsWindowVisible(m_p.Sheet())) << "no second options window";
    ::DestroyWindow(other);

    EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_SKIN_RANDOM), BST_CHECKED) << "RandomSkin shows";
    // Cleared first: choosing another skin afterwards must not bring the tick back.
    ::SendDlgItemMessageA(dialog, IDC_SKIN_RANDOM, BM_SETCHECK, BST_UNCHECKED, 0);
    Select(dialog, 1); // Beta: plain blue
    const std::string before = ReadFileText(Library(m_p));
    BlockLibrary(true);
    PressButton(dialog, IDOK);
    EXPECT_EQ(Told(), "Create file error!");
    Settled(dialog);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_EQ(ReadFileText(Library(m_p)), before);
    BlockLibrary(false);
    for (bool random : {false, true}) {
        PressButton(dialog, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog) && m_p.Sheet() == nullptr; }));
        SkinSchemeTable t;
        ASSERT_TRUE(ReadSchemeFile(Library(m_p), t));
        EXPECT_STREQ(t.Scheme(1).name, "Alpha") << "the default skin keeps its name";
        EXPECT_TRUE(SameValues(t.Scheme(1), three.Scheme(random ? 3 : 2)));
        EXPECT_EQ(Stored(m_p, "RandomSkin"), random ? 1 : 0);
        ASSERT_TRUE(OpenOptions(m_p));
        EXPECT_TRUE(SelectedTabWears(m_p, RGB(40, 60, 200)));
        if (!random) {
            ASSERT_TRUE(dialog = OpenSkinDialog(m_p));
            Select(dialog, 2); // Gamma: plain green
            ::SendDlgItemMessageA(dialog, IDC_SKIN_RANDOM, BM_SETCHECK, BST_CHECKED, 0);
        }
    }
}

// Without a library the dialog opens on the look the program wears, and OK keeps it as the
// library's first scheme.
TEST_F(SkinDialog, WithoutALibraryItOpensOnTheWornLookAndOkKeepsIt) {
    HWND dialog = m_p.StartAndWaitForTray() ? OpenSkinDialog(m_p) : nullptr;
    ASSERT_TRUE(dialog);
    // The built-in look: a vertical gradient of granularity 4, coloring 18.
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_MODE), "2");
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_GRANULARITY), "4");
    EXPECT_EQ(ItemText(dialog, IDC_SKIN_COLORING), "18");
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog) && m_p.Sheet() == nullptr; }));
    SkinSchemeTable t;
    ASSERT_TRUE(ReadSchemeFile(Library(m_p), t));
    ASSERT_EQ(t.count, 1);
    const SkinLook& look = t.Scheme(1).dialogLook;
    EXPECT_TRUE(look.mode == 2 && look.granularity == 4 && look.coloring == 18 && look.red == 120 &&
                look.green == 160 && look.blue == 230);
}

TEST(SkinRandom, TwoStartsWithDifferentSeedsWearDifferentSchemes) {
    const SkinSchemeTable full = FullLibrary();
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
        // The scheme it wears, known by its sample colour on the selected tab.
        ASSERT_TRUE(OpenOptions(p));
        RECT tab = SheetTabRect(p.Sheet(), SheetActiveTab(p.Sheet()));
        ::InflateRect(&tab, -6, -4);
        WaitFor([&] {
            for (int n = 1; n <= full.count && !pick; ++n) {
                const SkinScheme& s = full.Scheme(n);
                if (CountColour(tab, RGB(s.sampleRed, s.sampleGreen, s.sampleBlue), 0) > 50)
                    pick = n;
            }
            return pick != 0;
        });
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
