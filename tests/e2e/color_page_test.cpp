// The Color page as the user meets it, over squares of colour the test puts
// on the screen: readings that follow the moving pointer, Drag & Pick, the
// freeze hotkey, the stored hotkey and the HTML colour's context menu.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace {

// Two ticks of the picker's 100 ms timer, and room for a busy machine: how
// soon the readings follow the pointer.
constexpr DWORD kTwoTicks = 200 + 150;
// How long a reading that must not change is watched.
constexpr DWORD kWatch = 500;
// How long the pointer must stay where it was moved.
constexpr DWORD kSettle = 200;

// A colour and how the page writes it.
struct Known {
    COLORREF colour;
    const char* rgb;
    const char* html;
};
const Known kOrange = {RGB(255, 128, 0), "255,128,0", "# FF,80,00"};
const Known kNavy = {RGB(18, 52, 86), "18,52,86", "# 12,34,56"};
const Known kMint = {RGB(0, 200, 100), "0,200,100", "# 00,C8,64"};

// A square of one colour, on top of everything and clear of the options
// window: the index-th in a row above it, or below it where there is no room.
class Square {
public:
    Square(HWND sheet, int index, COLORREF colour) {
        WNDCLASSA wc = {0,       Proc,    0,       0,       ::GetModuleHandleA(nullptr),
                        nullptr, nullptr, nullptr, nullptr, "ZenColourSquare"};
        ::RegisterClassA(&wc);
        RECT avoid;
        ::GetWindowRect(sheet, &avoid);
        const int y = avoid.top >= kSide + 20 ? 10 : static_cast<int>(avoid.bottom) + 10;
        m_hwnd = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP,
                                   10 + index * (kSide + 10), y, kSide, kSide, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        ::ShowWindow(m_hwnd, SW_SHOWNA);
        Paint(colour);
    }
    ~Square() { ::DestroyWindow(m_hwnd); }
    Square(const Square&) = delete;
    Square& operator=(const Square&) = delete;

    POINT Centre() const {
        RECT rc;
        ::GetWindowRect(m_hwnd, &rc);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    // Paints the square in a colour; true once the screen shows it.
    bool Paint(COLORREF colour) {
        ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
        ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const POINT c = Centre();
        return WaitFor([&] {
            return CountColour({c.x - 2, c.y - 2, c.x + 2, c.y + 2}, colour, 0);
        });
    }

private:
    static constexpr int kSide = 60;
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg != WM_ERASEBKGND)
            return ::DefWindowProcA(h, msg, wp, lp);
        RECT rc;
        ::GetClientRect(h, &rc);
        HBRUSH brush =
            ::CreateSolidBrush(static_cast<COLORREF>(::GetWindowLongPtrA(h, GWLP_USERDATA)));
        ::FillRect(reinterpret_cast<HDC>(wp), &rc, brush);
        ::DeleteObject(brush);
        return 1;
    }
    HWND m_hwnd = nullptr;
};

std::string Text(HWND page, int id) {
    char buf[64] = "";
    ::SendMessageA(::GetDlgItem(page, id), WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

bool Shows(HWND page, const Known& k) {
    return Text(page, IDC_COLOR_RGB) == k.rgb && Text(page, IDC_COLOR_HTML) == k.html;
}

RECT WindowRect(HWND h) {
    RECT rc = {0, 0, 0, 0};
    ::GetWindowRect(h, &rc);
    return rc;
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

// Opens the options window on the Color page; the page or nullptr.
HWND OpenColorPage(const Program& p) {
    p.Command(ID_OPTIONS);
    HWND page = nullptr;
    WaitFor([&] {
        HWND sheet = p.Sheet();
        page = sheet ? reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))
                     : nullptr;
        return page && ::GetDlgItem(page, IDC_COLOR_SWATCH) && ::IsWindowVisible(page);
    });
    return page && ::GetDlgItem(page, IDC_COLOR_SWATCH) ? page : nullptr;
}

bool CloseSheet(const Program& p, int button) {
    HWND sheet = p.Sheet();
    ::PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet, button)));
    return WaitFor([&] { return p.Sheet() == nullptr; });
}

// The focus and the mouse capture of the thread of a window.
GUITHREADINFO ThreadOf(HWND window) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui);
    return gui;
}

// Moves the pointer and waits until it stays there. Under Wine the program
// may still hand in pointer events from the way the pointer went, putting it
// back where it was a moment ago; then it is moved again. `arrived` gets
// the time since when it has been there.
bool PointAt(POINT to, DWORD* arrived = nullptr) {
    DWORD since = 0;
    return WaitFor([&] {
        POINT at;
        if (!::GetCursorPos(&at) || at.x != to.x || at.y != to.y) {
            MoveMouse(to.x, to.y);
            since = 0;
            return false;
        }
        since = since ? since : ::GetTickCount();
        if (arrived)
            *arrived = since;
        return ::GetTickCount() - since >= kSettle;
    });
}

// A mouse button going down or up at a point. The point goes with the
// button, so the press lands there even where the system still has the
// pointer somewhere on its way.
void Button(POINT at, DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(at.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(at.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

// Presses a hotkey of the program and waits until the tray window has carried
// out the command it sends.
bool PressHotkey(const Program& p, const std::vector<WORD>& keys, UINT command) {
    Spy spy(p.TrayWindow());
    if (!spy.Installed())
        return false;
    PressKeys(keys);
    return spy.WaitFor(command) && spy.WaitIdle();
}

} // namespace

TEST(ColorPage, ReadingsAndSwatchFollowTheMovingPointerWithinTwoTicks) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenColorPage(p);
    ASSERT_NE(page, nullptr);
    // The distant square's position text is longer than the others'.
    Square orange(p.Sheet(), 0, kOrange.colour), navy(p.Sheet(), 1, kNavy.colour),
        distant(p.Sheet(), 13, kMint.colour);
    // No blinking caret in the pictures below: the focus goes to a button.
    HWND help = ::GetDlgItem(page, IDC_COLOR_HELP);
    ::PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(help), TRUE);
    ASSERT_TRUE(WaitFor([&] { return ThreadOf(page).hwndFocus == help; }));

    for (const Square* s : {&distant, &orange, &navy, &orange}) {
        const Known& k = s == &distant ? kMint : s == &navy ? kNavy : kOrange;
        const POINT at = s->Centre();
        DWORD arrived = 0;
        ASSERT_TRUE(PointAt(at, &arrived));
        const DWORD since = ::GetTickCount() - arrived;
        EXPECT_TRUE(Reads(page, k, since < kTwoTicks ? kTwoTicks - since : 0)) << k.rgb;
        EXPECT_EQ(Text(page, IDC_COLOR_POSITION),
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
    ASSERT_TRUE(orange.Paint(kMint.colour));
    EXPECT_TRUE(KeepsReading(page, kOrange, kMint));
    ASSERT_TRUE(PointAt({orange.Centre().x + 1, orange.Centre().y}));
    EXPECT_TRUE(Reads(page, kMint));
}

TEST(ColorPage, DragAndPickFreezesTheColourUnderTheRelease) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenColorPage(p);
    ASSERT_NE(page, nullptr);
    Square orange(p.Sheet(), 0, kOrange.colour), navy(p.Sheet(), 1, kNavy.colour);

    POINT box = {282, 140}; // the middle of the Drag & Pick box, in the page's pixels
    ::ClientToScreen(page, &box);
    ASSERT_TRUE(PointAt(box));
    Button(box, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(WaitFor([&] { return ThreadOf(page).hwndCapture == page; }))
        << "the drag holds the mouse";
    ASSERT_TRUE(PointAt(orange.Centre()));
    EXPECT_TRUE(Reads(page, kOrange)) << "the readings follow";
    Button(orange.Centre(), MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([&] { return ThreadOf(page).hwndCapture == nullptr; }));
    ASSERT_TRUE(PointAt(navy.Centre()));
    EXPECT_TRUE(KeepsReading(page, kOrange, kNavy)) << "the colour under the release stays";

    // A drag cut short by the window closing ends there, frozen; it does not
    // wait for a click on the page after the next opening.
    ASSERT_TRUE(PointAt(box));
    Button(box, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(WaitFor([&] { return ThreadOf(page).hwndCapture == page; }));
    ASSERT_TRUE(CloseSheet(p, IDCANCEL));
    Button(box, MOUSEEVENTF_LEFTUP);
    ASSERT_NE(page = OpenColorPage(p), nullptr);
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    const RECT rc = WindowRect(page);
    const POINT onPage = {rc.left + 20, rc.bottom - 20};
    ASSERT_TRUE(PointAt(onPage));
    Button(onPage, MOUSEEVENTF_LEFTDOWN);
    Button(onPage, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PointAt(navy.Centre()));
    EXPECT_TRUE(Reads(page, kNavy)) << "still following";
}

TEST(ColorPage, FreezeHotkeyWorksWithTheWindowOpenAndClosed) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenColorPage(p);
    ASSERT_NE(page, nullptr);
    Square orange(p.Sheet(), 0, kOrange.colour), navy(p.Sheet(), 1, kNavy.colour),
        mint(p.Sheet(), 2, kMint.colour);
    ASSERT_TRUE(PointAt(orange.Centre()));
    ASSERT_TRUE(Reads(page, kOrange));

    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    ASSERT_TRUE(PointAt(navy.Centre()));
    EXPECT_TRUE(KeepsReading(page, kOrange, kNavy)) << "frozen";
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    EXPECT_TRUE(Reads(page, kNavy)) << "following again";

    // Frozen while the window is closed: it reopens on the same reading.
    ASSERT_TRUE(CloseSheet(p, IDCANCEL));
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    ASSERT_TRUE(PointAt(mint.Centre()));
    page = OpenColorPage(p);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Reads(page, kNavy)) << "the swatch and the texts keep their colour";
    EXPECT_TRUE(KeepsReading(page, kNavy, kMint)) << "still frozen";
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    EXPECT_TRUE(Reads(page, kMint));
}

TEST(ColorPage, TheHotkeyIsStoredOnOkAndFreezesFromThen) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenColorPage(p);
    ASSERT_NE(page, nullptr);
    HWND box = ::GetDlgItem(page, IDC_COLOR_HOTKEY);
    const RECT rc = WindowRect(box);
    const POINT inBox = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ASSERT_TRUE(PointAt(inBox));
    Button(inBox, MOUSEEVENTF_LEFTDOWN);
    Button(inBox, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFor([&] { return ThreadOf(box).hwndFocus == box; }));
    // A key alone is not a hotkey: the box makes it Ctrl plus the key.
    PressKeys({'K'});
    EXPECT_TRUE(WaitFor([&] {
        return LOWORD(::SendMessageA(box, HKM_GETHOTKEY, 0, 0)) == MAKEWORD('K', HOTKEYF_CONTROL);
    })) << std::hex
        << ::SendMessageA(box, HKM_GETHOTKEY, 0, 0);

    ASSERT_TRUE(CloseSheet(p, IDOK));
    const std::string ini = p.Folder() + "\\Zentrova.ini";
    EXPECT_EQ(::GetPrivateProfileIntA("", "AutoClickwKey", -1, ini.c_str()), UINT('K'));
    EXPECT_EQ(::GetPrivateProfileIntA("", "AutoClickwMod", -1, ini.c_str()), UINT(HOTKEYF_CONTROL));
    EXPECT_TRUE(PressHotkey(p, {VK_CONTROL, 'K'}, ID_PICKER_TOGGLE)) << "the library has the key";
}

TEST(ColorPage, TheHtmlColoursMenuCopiesItAsCssHex) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenColorPage(p);
    ASSERT_NE(page, nullptr);
    Square orange(p.Sheet(), 0, kOrange.colour);
    ASSERT_TRUE(PointAt(orange.Centre()));
    ASSERT_TRUE(Reads(page, kOrange));
    ASSERT_TRUE(PressHotkey(p, {VK_MENU, 'X'}, ID_PICKER_TOGGLE));
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }

    const RECT rc = WindowRect(::GetDlgItem(page, IDC_COLOR_HTML));
    const POINT onEdit = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ASSERT_TRUE(PointAt(onEdit));
    Button(onEdit, MOUSEEVENTF_RIGHTDOWN);
    Button(onEdit, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([] {
        HWND menu = ::FindWindowA("#32768", nullptr);
        return menu && ::IsWindowVisible(menu);
    }));
    PressKeys({'A'}); // Copy as #RRGGBB
    std::string copied;
    EXPECT_TRUE(WaitFor([&] {
        if (!::OpenClipboard(nullptr))
            return false;
        HANDLE h = ::GetClipboardData(CF_TEXT);
        if (const char* text = h ? static_cast<const char*>(::GlobalLock(h)) : nullptr) {
            copied = text;
            ::GlobalUnlock(h);
        }
        ::CloseClipboard();
        return copied == "#FF8000";
    })) << "the clipboard holds '"
        << copied << "'";
    EXPECT_TRUE(Shows(page, kOrange)) << "the page's own texts are unchanged";
}

TEST(ColorPage, EditColorShowsTheEditedColourOnOkAndLeavesItOnCancel) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenColorPage(p);
    ASSERT_NE(page, nullptr);
    for (int button : {IDCANCEL, IDOK}) {
        ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_COLOR_EDIT, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_COLOR_EDIT)));
        HWND editor = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (editor = FindProcessWindow(p.Pid(), "Edit Color")); }));
        // The readings froze when the editor opened: what they show is what it edits.
        const std::string rgb = Text(page, IDC_COLOR_RGB), html = Text(page, IDC_COLOR_HTML);
        const struct {
            int id;
            const char* value;
        } typed[] = {{IDC_CE_RED, "18"}, {IDC_CE_GREEN, "52"}, {IDC_CE_BLUE, "86"}};
        for (const auto& t : typed)
            ::SendMessageA(::GetDlgItem(editor, t.id), WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(t.value));
        ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(editor, button)));
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(editor); }));
        if (button == IDOK) {
            EXPECT_TRUE(Reads(page, kNavy)) << Text(page, IDC_COLOR_RGB);
        } else {
            EXPECT_EQ(Text(page, IDC_COLOR_RGB), rgb) << "Cancel changed the colour";
            EXPECT_EQ(Text(page, IDC_COLOR_HTML), html);
        }
    }
    // Still frozen: the pointer moving away reads nothing new.
    EXPECT_TRUE(KeepsReading(page, kNavy, kOrange));
}
