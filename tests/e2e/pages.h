// What the end-to-end tests share beyond the harness: the tray icon as it shows, the options
// window and its pages, the program's settings file and message boxes, focus and the pointer.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {

// Icon colours: the swatch of the normal icon, the busy icon's red dot.
constexpr COLORREF kIconSwatch = RGB(0xf3, 0xc2, 0x1a), kBusyDot = RGB(0xe0, 0x20, 0x20);
inline bool IconShown() {
    return CountColour(TrayArea(), kIconSwatch, 30) > 4;
}
inline bool BusyIconShown() {
    return CountColour(TrayArea(), kBusyDot, 30) > 4;
}

// The popup menu on screen, or nullptr.
inline HWND ShownMenu() {
    HWND menu = ::FindWindowA("#32768", nullptr);
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

inline std::string Ini(const Program& p) {
    return p.Folder() + "\\Zentrova.ini";
}
// A stored setting of the unnamed section, -1 when missing.
inline int Stored(const Program& p, const char* key) {
    return static_cast<int>(::GetPrivateProfileIntA("", key, -1, Ini(p).c_str()));
}

// A scheme library of one scheme whose sample colour is kSchemeSample: the count, the name, then
// button rgb, dialog rgb, sample rgb, button mode, granularity, colouring, and the dialog's.
constexpr COLORREF kSchemeSample = RGB(10, 200, 30);
inline void WriteScheme(const Program& p) {
    WriteFileText(p.Folder() + "\\scheme.dat",
                  "1\nGreen\n20\n90\n160\n20\n90\n160\n10\n200\n30\n4\n5\n40\n1\n6\n60\n");
}

// Opens the options window and waits until it shows.
inline bool OpenOptions(const Program& p) {
    p.Command(ID_OPTIONS);
    return WaitFor([&] { return p.Sheet() != nullptr && ::IsWindowVisible(p.Sheet()); });
}

// Whether the selected tab of the open options window comes to be filled with the colour.
inline bool SelectedTabWears(const Program& p, COLORREF colour) {
    RECT tab = SheetTabRect(p.Sheet(), SheetActiveTab(p.Sheet()));
    ::InflateRect(&tab, -6, -4);
    return WaitFor([&] { return CountColour(tab, colour, 2) > 50; });
}

// Shows page `index` of the open options window; the page once it shows with `control` on it,
// else nullptr.
inline HWND ShowPage(const Program& p, int index, int control) {
    HWND sheet = p.Sheet(), page = nullptr;
    ::SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    return WaitFor([&] {
        page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page && ::GetDlgItem(page, control) && ::IsWindowVisible(page);
    })
               ? page
               : nullptr;
}
constexpr int kMagnifyPage = 1;
inline HWND OpenMagnifyPage(const Program& p) {
    return OpenOptions(p) ? ShowPage(p, kMagnifyPage, IDC_MAG_HOTKEY) : nullptr;
}

// Presses OK or Cancel of the options window as a click does; with `closes`, waits until the
// window has gone.
inline bool PressSheetButton(const Program& p, int id, bool closes = true) {
    HWND sheet = p.Sheet();
    ::PostMessageA(sheet, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(sheet, id)));
    return !closes || WaitFor([&] { return p.Sheet() == nullptr; });
}

// Waits for the program's message box, reads its text and closes it; false if none came in time.
inline bool ReadAndCloseMessageBox(const Program& p, std::string& text, DWORD timeoutMs = 10000) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindProcessWindow(p.Pid(), "!Zentrova")) != nullptr; },
                 timeoutMs))
        return false;
    text = WindowText(::GetDlgItem(box, 0xFFFF));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !::IsWindow(box); });
}

// Waits until a window of another process has its thread's focus.
inline bool WaitForFocus(HWND h) {
    return WaitFor([&] {
        GUITHREADINFO gui = {};
        gui.cbSize = sizeof gui;
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(h, nullptr), &gui) &&
               gui.hwndFocus == h;
    });
}

inline void ClickCentre(HWND h) {
    RECT rc;
    ::GetWindowRect(h, &rc);
    Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

inline bool CursorAt(int x, int y) {
    POINT pt;
    return ::GetCursorPos(&pt) && pt.x == x && pt.y == y;
}
// Moves the pointer and waits until it is there.
inline bool MovePointer(int x, int y) {
    MoveMouse(x, y);
    return WaitFor([&] { return CursorAt(x, y); });
}

} // namespace e2e
