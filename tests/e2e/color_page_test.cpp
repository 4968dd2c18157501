// The Color page as the user meets it, over squares of colour the test puts
// on the screen: readings that follow the moving pointer, Drag & Pick, the
// freeze hotkey, the stored hotkey and the HTML colour's context menu.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// Two ticks of the picker's 100 ms timer, and room for a busy machine: how
// soon the readings follow the pointer.
constexpr DWORD kTwoTicks = 200 + 150;
// How long a reading that must not change is watched.
constexpr DWORD kWatch = 500;

// A colour and how the page writes it.
struct Known {
    COLORREF colour;
    const char* rgb;
    const char* html;
};
const Known kOrange = {RGB(255, 128, 0), "255,128,0", "# FF,80,00"};
const Known kNavy = {RGB(18, 52, 86), "18,52,86", "# 12,34,56"};
const Known kMint = {RGB(0, 200, 100), "0,200,100", "# 00,C8,64"};

// A square of one colour, on top of everything and clear of the options window: the index-th in
// a row above it, or below it where there is no room.
std::unique_ptr<ScreenPatch> Square(HWND sheet, int index, COLORREF colour) {
    const RECT avoid = WindowRect(sheet);
    const int side = 60, x = 10 + index * (side + 10);
    const int y = avoid.top >= side + 20 ? 10 : static_cast<int>(avoid.bottom) + 10;
    auto square =
        std::make_unique<ScreenPatch>(RECT{x, y, x + side, y + side}, ScreenPatch::Solid(colour));
    EXPECT_TRUE(square->Show());
    return square;
}

bool Shows(HWND page, const Known& k) {
    return ItemText(page, IDC_COLOR_RGB) == k.rgb && ItemText(page, IDC_COLOR_HTML) == k.html;
}

// Whether the swatch, inside the frame control's lines, is filled with a
// colour. Watched on the screen rather than by asking the page, so that the
// watching does not keep the page's thread from its timer.
bool SwatchIs(HWND page, COLORREF colour) {
    const RECT f = WindowRect(::GetDlgItem(page, IDC_COLOR_SWATCH));
    const RECT swatch = {f.left + 2, f.top + 8, f.right - 3, f.bottom - 3};
    const int area = (swatch.right - swatch.left) * (swatch.bottom - swatch.top);
    return area > 100 && CountColour(swatch, colour, 0) == area;
}

// Waits until the page reads a colour: the swatch, and the texts written with it.
bool Reads(HWND page, const Known& k, DWORD timeoutMs = 10000) {
    return WaitFor([&] { return SwatchIs(page, k.colour); }, timeoutMs) && Shows(page, k);
}
// Whether the page goes on reading a colour while it is watched.
bool KeepsReading(HWND page, const Known& k, const Known& other) {
    return !WaitFor([&] { return SwatchIs(page, other.colour); }, kWatch) && Shows(page, k);
}

} // namespace

TEST(ColorPage, ReadingsAndSwatchFollowTheMovingPointerWithinTwoTicks) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenPage(p, kColorPage, IDC_COLOR_SWATCH);
    ASSERT_NE(page, nullptr);
    // The distant square's position text is longer than the others'.
    const auto orange = Square(p.Sheet(), 0, kOrange.colour);
    const auto navy = Square(p.Sheet(), 1, kNavy.colour);
    const auto distant = Square(p.Sheet(), 13, kMint.colour);
    // No blinking caret in the pictures below: the focus goes to a button.
    HWND help = ::GetDlgItem(page, IDC_COLOR_HELP);
    ::PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(help), TRUE);
    ASSERT_TRUE(WaitForFocus(help));

    for (const ScreenPatch* s : {distant.get(), orange.get(), navy.get(), orange.get()}) {
        const Known& k = s == distant.get() ? kMint : s == navy.get() ? kNavy : kOrange;
        const POINT at = s->Centre();
        DWORD arrived = 0;
        ASSERT_TRUE(PointAt(at, &arrived));
        const DWORD since = ::GetTickCount() - arrived;
        EXPECT_TRUE(Reads(page, k, since < kTwoTicks ? kTwoTicks - since : 0)) << k.rgb;
        EXPECT_EQ(ItemText(page, IDC_COLOR_POSITION),
                  std::to_string(at.x) + "," + std::to_string(at.y));
    }
    SaveScreenshot("color_page_following");
    // The position edit lets the page's picture show through it: no ink of
    // an older, longer text stays beside the new one.
    const RECT position = WindowRect(::GetDlgItem(page, IDC_COLOR_POSITION));
    const int ink = CountColour(position, RGB(0, 0, 0), 110);
    ::RedrawWindow(p.Sheet(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(CountColour(position, RGB(0, 0, 0), 110), ink) << "as a fresh paint shows it";

    // The screen changes under the still pointer: nothing is read again,
    // until the pointer moves by one pixel.
    ASSERT_TRUE(orange->Show(ScreenPatch::Solid(kMint.colour)));
    EXPECT_TRUE(KeepsReading(page, kOrange, kMint));
    ASSERT_TRUE(PointAt({orange->Centre().x + 1, orange->Centre().y}));
    EXPECT_TRUE(Reads(page, kMint));
}

TEST(ColorPage, DragAndPickFreezesTheColourUnderTheRelease) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenPage(p, kColorPage, IDC_COLOR_SWATCH);
    ASSERT_NE(page, nullptr);
    const auto orange = Square(p.Sheet(), 0, kOrange.colour);
    const auto navy = Square(p.Sheet(), 1, kNavy.colour);

    // The middle of the Drag & Pick box, found by its outline: the inverse of the grey sample
    // colour, in the lower part of the page (it stretches with the page's font).
    RECT lower;
    ::GetClientRect(page, &lower);
    lower.top = lower.bottom / 2;
    ::MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&lower), 2);
    POINT box = {};
    ASSERT_GT(CountColour(lower, RGB(63, 63, 63), 0, &box), 100) << "no Drag & Pick box";
    const auto startDrag = [&] { // true once the drag holds the mouse
        if (!PointAt(box))
            return false;
        MouseAt(box.x, box.y, MOUSEEVENTF_LEFTDOWN);
        return WaitFor([&] { return ThreadOf(page).hwndCapture == page; });
    };
    ASSERT_TRUE(startDrag());
    ASSERT_TRUE(PointAt(orange->Centre()));
    EXPECT_TRUE(Reads(page, kOrange)) << "the readings follow";
    MouseAt(orange->Centre().x, orange->Centre().y, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([&] { return ThreadOf(page).hwndCapture == nullptr; }));
    ASSERT_TRUE(PointAt(navy->Centre()));
    EXPECT_TRUE(KeepsReading(page, kOrange, kNavy)) << "the colour under the release stays";

    // A drag cut short by the window closing ends there, frozen; it does not
    // wait for a click on the page after the next opening.
    ASSERT_TRUE(startDrag());
    ASSERT_TRUE(PressSheetButton(p, IDCANCEL));
    MouseAt(box.x, box.y, MOUSEEVENTF_LEFTUP);
    ASSERT_NE(page = OpenPage(p, kColorPage, IDC_COLOR_SWATCH), nullptr);
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    const RECT rc = WindowRect(page);
    ASSERT_TRUE(ClickAt({rc.left + 20, rc.bottom - 20}));
    ASSERT_TRUE(PointAt(navy->Centre()));
    EXPECT_TRUE(Reads(page, kNavy)) << "still following";
}

// The freeze hotkey works with the window open and closed; the HTML colour's menu copies the
// frozen colour as CSS hex and leaves the page's texts.
TEST(ColorPage, FreezeHotkeyWorksWithTheWindowOpenAndClosed) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenPage(p, kColorPage, IDC_COLOR_SWATCH);
    ASSERT_NE(page, nullptr);
    const auto orange = Square(p.Sheet(), 0, kOrange.colour);
    const auto navy = Square(p.Sheet(), 1, kNavy.colour);
    const auto mint = Square(p.Sheet(), 2, kMint.colour);
    ASSERT_TRUE(PointAt(orange->Centre()));
    ASSERT_TRUE(Reads(page, kOrange));

    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    ASSERT_TRUE(PointAt(navy->Centre()));
    EXPECT_TRUE(KeepsReading(page, kOrange, kNavy)) << "frozen";
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    EXPECT_TRUE(Reads(page, kNavy)) << "following again";

    // Frozen while the window is closed: it reopens on the same reading.
    ASSERT_TRUE(PressSheetButton(p, IDCANCEL));
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    ASSERT_TRUE(PointAt(mint->Centre()));
    ASSERT_NE(page = OpenPage(p, kColorPage, IDC_COLOR_SWATCH), nullptr);
    EXPECT_TRUE(Reads(page, kNavy)) << "the swatch and the texts keep their colour";
    EXPECT_TRUE(KeepsReading(page, kNavy, kMint)) << "still frozen";

    const DWORD cleared = ClearClipboard();
    ASSERT_TRUE(ClickCentre(::GetDlgItem(page, IDC_COLOR_HTML), true));
    ASSERT_TRUE(WaitFor([] { return ShownMenu() != nullptr; }));
    PressKeys({'A'}); // Copy as #RRGGBB
    EXPECT_TRUE(ClipboardBecomes("#123456", cleared))
        << "the clipboard holds '" << ClipboardText() << "'";
    EXPECT_TRUE(Shows(page, kNavy)) << "the page's own texts are unchanged";
    ASSERT_TRUE(PointAt(mint->Centre()));

    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    EXPECT_TRUE(Reads(page, kMint));
}

// The editor's boxes take what is typed as a user types it: digits only, left as they are while
// being typed, a complete number beyond the range clamped, an empty box read as 0 once left. OK
// shows the edited colour; Cancel leaves the colour as it was.
TEST(ColorPage, EditColorTakesWhatIsTypedAndShowsItOnOk) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenPage(p, kColorPage, IDC_COLOR_SWATCH);
    ASSERT_NE(page, nullptr);
    HWND editor = nullptr;
    // Selects all a box holds, as End, Shift+Home do, deletes it and types the keys; true once
    // the box shows `shows`.
    const auto type = [&](int id, const std::vector<WORD>& keys, const char* shows) {
        HWND box = ::GetDlgItem(editor, id);
        if (!ClickCentre(box) || !WaitForFocus(box))
            return false;
        for (const std::vector<WORD>& chord :
             std::vector<std::vector<WORD>>{{VK_END}, {VK_SHIFT, VK_HOME}, {VK_BACK}})
            PressKeys(chord);
        for (WORD key : keys)
            PressKeys({key});
        return WaitFor([&] { return ItemText(editor, id) == shows; }, 3000);
    };
    for (int button : {IDCANCEL, IDOK}) {
        PressButton(page, IDC_COLOR_EDIT);
        ASSERT_TRUE(WaitFor([&] { return (editor = FindProcessWindow(p.Pid(), "Edit Color")); }));
        // The readings froze when the editor opened: what they show is what it edits.
        const std::string before = ItemText(page, IDC_COLOR_RGB) + ItemText(page, IDC_COLOR_HTML);
        if (button == IDOK) {
            EXPECT_TRUE(type(IDC_CE_GREEN, {'A', 'B', 'C'}, "")) << ItemText(editor, IDC_CE_GREEN);
            PressKeys({VK_TAB});
            EXPECT_TRUE(WaitFor([&] { return ItemText(editor, IDC_CE_GREEN) == "0"; }));
            EXPECT_TRUE(type(IDC_CE_RED, {'7'}, "7")) << ItemText(editor, IDC_CE_RED);
            EXPECT_TRUE(type(IDC_CE_RED, {'3', '0', '0'}, "255"));
            EXPECT_TRUE(type(IDC_CE_RED, {'1', '8'}, "18"));
            EXPECT_TRUE(type(IDC_CE_BLUE, {VK_OEM_MINUS, '8', '6'}, "86"));
            EXPECT_TRUE(type(IDC_CE_GREEN, {'5', '2'}, "52"));
        } else {
            ::SetDlgItemTextA(editor, IDC_CE_RED, "18");
        }
        ASSERT_TRUE(CloseWith(editor, button));
        if (button == IDOK)
            EXPECT_TRUE(Reads(page, kNavy)) << ItemText(page, IDC_COLOR_RGB);
        else
            EXPECT_EQ(ItemText(page, IDC_COLOR_RGB) + ItemText(page, IDC_COLOR_HTML), before)
                << "Cancel changed the colour";
    }
    // Still frozen: the pointer moving away reads nothing new.
    EXPECT_TRUE(KeepsReading(page, kNavy, kOrange));
}

// On the second of two monitors (scripts/test-screens) the readings follow the pointer as on the
// first, position included, and the freeze hotkey keeps a colour read there.
TEST(ScreensPicker, ReadsAndFreezesOnTheSecondMonitor) {
    if (!TwoMonitorRun())
        GTEST_SKIP() << "one monitor; scripts/test-screens runs this on two";
    const std::vector<MONITORINFO> monitors = Monitors();
    ASSERT_EQ(monitors.size(), 2u);
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    // The options window opens on the pointer's monitor: the first, clear of the squares.
    ASSERT_TRUE(MovePointer(monitors[0].rcWork.left + 20, monitors[0].rcWork.top + 20));
    HWND page = OpenPage(p, kColorPage, IDC_COLOR_SWATCH);
    ASSERT_NE(page, nullptr);
    const RECT m = monitors[1].rcMonitor;
    ScreenPatch orange({m.left + 100, m.top + 100, m.left + 160, m.top + 160},
                       ScreenPatch::Solid(kOrange.colour));
    ScreenPatch navy({m.right - 160, m.bottom - 160, m.right - 100, m.bottom - 100},
                     ScreenPatch::Solid(kNavy.colour));
    ASSERT_TRUE(orange.Show() && navy.Show());
    for (const ScreenPatch* s : {&orange, &navy}) {
        const Known& k = s == &navy ? kNavy : kOrange;
        const POINT at = s->Centre();
        ASSERT_TRUE(PointAt(at));
        EXPECT_TRUE(Reads(page, k)) << k.rgb;
        EXPECT_EQ(ItemText(page, IDC_COLOR_POSITION),
                  std::to_string(at.x) + "," + std::to_string(at.y));
    }
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    ASSERT_TRUE(PointAt(orange.Centre()));
    EXPECT_TRUE(KeepsReading(page, kNavy, kOrange)) << "frozen";
}
