// What the end-to-end tests share beyond the harness: the tray icon as it shows, the options
// window and its pages, the program's settings file and message boxes, focus and the pointer.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/spy.h"

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

// The folder of the test program, where the test tools are built.
inline std::string TestFolder() {
    char buf[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string s = buf;
    return s.substr(0, s.rfind('\\'));
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
constexpr int kColorPage = 0, kMagnifyPage = 1, kCapturePage = 2, kAboutPage = 3;
// The same, opening the options window first when it is closed.
inline HWND OpenPage(const Program& p, int index, int control) {
    return p.Sheet() || OpenOptions(p) ? ShowPage(p, index, control) : nullptr;
}
inline HWND OpenMagnifyPage(const Program& p) {
    return OpenPage(p, kMagnifyPage, IDC_MAG_HOTKEY);
}

// Known, position-dependent pixels, so that any shift or stray pixel in a capture shows.
inline DWORD Pattern(int x, int y) {
    return static_cast<DWORD>((x * 7 & 255) << 16 | (y * 5 & 255) << 8 | ((x + y) * 3 & 255));
}
// The capture overlay and the result dialog of a capture, when they are there.
inline HWND Overlay(const Program& p) {
    return FindProcessWindowByClass(p.Pid(), "paste");
}
inline HWND Result(const Program& p) {
    return FindProcessWindow(p.Pid(), "Congratulation!");
}
// Starts a capture; the overlay once it shows, else nullptr.
inline HWND OpenOverlay(const Program& p) {
    p.Command(ID_CAPTURE);
    HWND overlay = nullptr;
    return WaitFor([&] { return (overlay = Overlay(p)) && ::IsWindowVisible(overlay); }) ? overlay
                                                                                         : nullptr;
}
// Selects `sel` on the open overlay with the messages a drag from its bottom right to its top
// left gives it, free of the timing of synthesized input; the release comes where no move has
// been, as when the last moves are folded into it. The result dialog once it shows.
inline HWND SelectOnOverlay(const Program& p, const RECT& sel) {
    HWND overlay = Overlay(p), result = nullptr;
    ::PostMessageA(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(sel.right, sel.bottom));
    ::PostMessageA(overlay, WM_MOUSEMOVE, MK_LBUTTON,
                   MAKELPARAM((sel.left + sel.right) / 2, (sel.top + sel.bottom) / 2));
    ::PostMessageA(overlay, WM_LBUTTONUP, 0, MAKELPARAM(sel.left, sel.top));
    WaitFor([&] { return (result = Result(p)) && ::IsWindowVisible(result); });
    return result;
}
// Presses a button of a dialog as a click does, whatever covers it on the screen.
inline void PressButton(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
// Presses a button that ends a dialog; true once the dialog has gone.
inline bool CloseWith(HWND dialog, int id) {
    PressButton(dialog, id);
    return WaitFor([&] { return !::IsWindow(dialog); });
}
// Closes the result dialog with "&Copy to clipboard"; true once it has gone.
inline bool CloseResult(HWND result) {
    return CloseWith(result, IDC_CAPTURE_COPY);
}
// Opens Tip of the Day from the About page of the options window (opening that first when it
// is closed); the dialog once it shows, else nullptr.
inline HWND OpenTipOfDay(const Program& p) {
    HWND page = OpenPage(p, kAboutPage, IDC_ABOUT_TIP);
    if (!page)
        return nullptr;
    PressButton(page, IDC_ABOUT_TIP);
    HWND tip = nullptr;
    return WaitFor([&] {
        tip = FindProcessWindow(p.Pid(), "Tip of the Day");
        return tip && ::IsWindowVisible(tip);
    })
               ? tip
               : nullptr;
}

// Opens the skin dialog from the About page (opening the options window first when it is
// closed); the dialog once it is the program's visible dialog, else nullptr.
inline HWND OpenSkinDialog(const Program& p) {
    HWND page = OpenPage(p, kAboutPage, IDC_ABOUT_SKIN), dialog = nullptr;
    if (!page)
        return nullptr;
    PressButton(page, IDC_ABOUT_SKIN);
    return WaitFor([&] {
        dialog = FindProcessWindowByClass(p.Pid(), "#32770");
        return dialog && ::GetDlgItem(dialog, IDC_SKIN_LIST);
    })
               ? dialog
               : nullptr;
}

// Presses OK or Cancel of the options window; with `closes`, waits until the window has gone.
inline bool PressSheetButton(const Program& p, int id, bool closes = true) {
    PressButton(p.Sheet(), id);
    return !closes || WaitFor([&] { return p.Sheet() == nullptr; });
}

// Answers the file dialog that `owner` brings up: the file type of that index (from 1; 0 keeps
// the first), then the path, then Save or Open; Cancel for an empty path. True once the dialog
// has gone.
inline bool AnswerFileDialog(HWND owner, const std::string& path, int type = 0) {
    HWND dlg = nullptr;
    if (!WaitFor([&] {
            for (HWND h = ::GetTopWindow(nullptr); h && !dlg; h = ::GetWindow(h, GW_HWNDNEXT))
                if (::GetWindow(h, GW_OWNER) == owner && ::IsWindowVisible(h))
                    dlg = h;
            return dlg != nullptr;
        }))
        return false;
    if (HWND types = type ? ::GetDlgItem(dlg, 0x470 /* cmb1 */) : nullptr) {
        ::SendMessageA(types, CB_SETCURSEL, type, 0);
        for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) // as a choice from the list sends
            ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(0x470, code),
                           reinterpret_cast<LPARAM>(types));
    }
    for (int id : {0x47c /* cmb13 */, 0x480 /* edt1 */})
        if (HWND box = ::GetDlgItem(dlg, id))
            ::SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(dlg, WM_COMMAND, path.empty() ? IDCANCEL : IDOK, 0);
    return WaitFor([&] { return !::IsWindow(dlg); });
}

// A control's text, asked of the control itself: it lives in the other process.
inline std::string ControlText(HWND control) {
    char buf[1024] = "";
    ::SendMessageA(control, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}
inline std::string ItemText(HWND dialog, int id) {
    return ControlText(::GetDlgItem(dialog, id));
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

// The focus and the mouse capture of the thread of a window.
inline GUITHREADINFO ThreadOf(HWND window) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui);
    return gui;
}
// Waits until a window of another process has its thread's focus.
inline bool WaitForFocus(HWND h) {
    return WaitFor([&] { return ThreadOf(h).hwndFocus == h; });
}

inline RECT WindowRect(HWND h) {
    RECT rc = {0, 0, 0, 0};
    ::GetWindowRect(h, &rc);
    return rc;
}
inline POINT Centre(HWND h) {
    const RECT rc = WindowRect(h);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

inline BOOL CALLBACK AddMonitor(HMONITOR m, HDC, RECT*, LPARAM list) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(m, &info);
    auto& v = *reinterpret_cast<std::vector<MONITORINFO>*>(list);
    v.insert(info.dwFlags & MONITORINFOF_PRIMARY ? v.begin() : v.end(), info);
    return TRUE;
}
// The monitors, the primary first.
inline std::vector<MONITORINFO> Monitors() {
    std::vector<MONITORINFO> all;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&all));
    return all;
}
// Whether this run is on the desktop of two monitors that scripts/test-screens makes; the tests
// of several monitors skip themselves on any other.
inline bool TwoMonitorRun() {
    return ::GetEnvironmentVariableA("ZEN_SCREENS", nullptr, 0) > 0;
}
// Shows the zoom window and waits until it has caught up with the pointer: at least `atLeast` of
// its pixels show the mark's colour. `rc` gets its rectangle, the last one seen on a time-out.
inline bool ShowZoomOver(const Program& p, COLORREF mark, int atLeast, RECT& rc) {
    p.Command(ID_MAGNIFY);
    return WaitFor([&] {
        HWND zoom = p.ZoomWindow();
        return zoom && ::GetWindowRect(zoom, &rc) && CountColour(rc, mark, 0) >= atLeast;
    });
}
// Whether a rectangle lies wholly inside another.
inline bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

inline bool CursorAt(int x, int y) {
    POINT pt;
    return ::GetCursorPos(&pt) && pt.x == x && pt.y == y;
}
// Moves the pointer and waits until it is there.
inline bool MovePointer(int x, int y) {
    MouseAt(x, y);
    return WaitFor([&] { return CursorAt(x, y); });
}
// Moves the pointer and waits until it stays there a moment. Under Wine the program may still
// hand in pointer events from the way the pointer went, putting it back where it was; then it is
// moved again. `arrived` gets the time since when it has been there.
inline bool PointAt(POINT to, DWORD* arrived = nullptr) {
    DWORD since = 0;
    return WaitFor([&] {
        if (!CursorAt(to.x, to.y)) {
            MouseAt(to.x, to.y);
            since = 0;
            return false;
        }
        since = since ? since : ::GetTickCount();
        if (arrived)
            *arrived = since;
        return ::GetTickCount() - since >= 200;
    });
}
inline bool ClickAt(POINT at, bool right = false) {
    if (!PointAt(at))
        return false;
    MouseAt(at.x, at.y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    MouseAt(at.x, at.y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    return true;
}
inline bool ClickCentre(HWND h, bool right = false) {
    return ClickAt(Centre(h), right);
}

inline WORD HotkeyOf(HWND box) {
    return LOWORD(::SendMessageA(box, HKM_GETHOTKEY, 0, 0));
}
// Clears a hotkey box, clicks into it and types the keys; true once the box holds `want`.
inline bool TypeHotkey(HWND box, const std::vector<WORD>& keys, WORD want) {
    ::SendMessageA(box, HKM_SETHOTKEY, 0, 0);
    // The box gives the program's hotkeys up when it takes the focus: its thread has done so
    // once it answers again.
    DWORD_PTR ignored = 0;
    if (!ClickCentre(box) || !WaitForFocus(box) ||
        !::SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored))
        return false;
    PressKeys(keys);
    return WaitFor([&] { return HotkeyOf(box) == want; });
}

// Presses a hotkey of the program and waits until the tray window has carried out the command
// it sends.
inline bool PressHotkey(const Program& p, const std::vector<WORD>& keys, UINT command) {
    Spy spy(p.TrayWindow());
    if (!spy.Installed())
        return false;
    PressKeys(keys);
    return spy.WaitFor(command) && spy.WaitIdle();
}

inline std::string ClipboardText() {
    std::string text;
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(data)))
            text = p;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}
// Empties the clipboard; its sequence number from then on.
inline DWORD ClearClipboard() {
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    return ::GetClipboardSequenceNumber();
}
// Waits until the clipboard, changed since the sequence number `since`, holds `text`. It is
// opened only once the program has changed it: opened earlier, the test could hold it just when
// the program tries to open it, and the program's copy would fail.
inline bool ClipboardBecomes(const std::string& text, DWORD since) {
    return WaitFor(
        [&] { return ::GetClipboardSequenceNumber() != since && ClipboardText() == text; });
}

} // namespace e2e
