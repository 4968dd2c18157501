// The tray window and the program's commands.
#include "app/TrayWnd.h"

#include <vector>

#include "app/MainSheet.h"
#include "app/TrayMenu.h"
#include "app/ToolboxApp.h"
#include "color/AutoClickPage.h"
#include "capture/CaptureOverlay.h"
#include "framework/Gdi.h"
#include "framework/HtmlHelp.h"
#include "framework/Menu.h"
#include "hooklib/Quillet.h"
#include "res/resource.h"
#include "settings/Profile.h"

namespace {

constexpr UINT kTrayIconId = 101;
constexpr UINT kTrayCallback = WM_USER;
// Posted by the input hooks when a recording has ended without the toggle.
constexpr UINT kRecordingEnded = WM_APP + 1;
constexpr char kRecordingTip[] = "Recording: F2 stops";
constexpr UINT_PTR kPlaybackTimer = 1;
// Some systems grant a journal playback hook but never call it: if it has
// not been asked for an event by then, playback goes the synthesized way.
constexpr UINT_PTR kPlaybackProbeTimer = 2;
constexpr UINT kPlaybackProbeMs = 250;
// A left click on the icon opens the menu once the double-click time has
// passed without a second click; this one-shot timer exists only in between.
constexpr UINT_PTR kSingleClickTimer = 3;
// The wait between the Capture command and the overlay, while the screen repaints.
constexpr UINT_PTR kCaptureTimer = 4;
constexpr UINT kCaptureDelayMs = 200;
// The recorder's hooks are called without user data; the program has one
// tray window, which they reach through this pointer.
CTrayWnd* s_recorderOwner = nullptr;

// The visible window of this thread nearest the top that takes input, the tray window
// aside; nullptr if there is none.
HWND FrontWindowOfOurs(HWND tray) {
    for (HWND h = ::GetTopWindow(nullptr); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (h != tray && ::GetWindowThreadProcessId(h, nullptr) == ::GetCurrentThreadId() &&
            ::IsWindowVisible(h) && ::IsWindowEnabled(h))
            return h;
    return nullptr;
}

BOOL CALLBACK CloseIfOver(HWND h, LPARAM sheet) {
    for (HWND owner = ::GetWindow(h, GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER)) {
        if (owner == reinterpret_cast<HWND>(sheet)) {
            ::ShowWindow(h, SW_HIDE);
            ::PostMessageA(h, WM_CLOSE, 0, 0);
            break;
        }
    }
    return TRUE;
}

// Closes a dialog of this thread that has no owner (the skin dialog, which a page runs while
// the options sheet's loop waits for it), and what stands over it.
BOOL CALLBACK CloseOwnerlessDialog(HWND h, LPARAM sheet) {
    char cls[16] = "";
    if (h == reinterpret_cast<HWND>(sheet) || ::GetWindow(h, GW_OWNER) || !::IsWindowVisible(h) ||
        !::GetClassNameA(h, cls, sizeof cls) || lstrcmpA(cls, "#32770") != 0)
        return TRUE;
    HWND popup = ::GetLastActivePopup(h);
    if (popup && popup != h)
        ::PostMessageA(popup, WM_CLOSE, 0, 0);
    ::PostMessageA(h, WM_CLOSE, 0, 0);
    return TRUE;
}

// The shell sends this to every top-level window when the taskbar has been
// (re)created, for example after Explorer restarted: icons must be added again.
const UINT s_taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");

} // namespace

BEGIN_MESSAGE_MAP(CTrayWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_MESSAGE(WM_ENDSESSION, OnEndSession)
ON_REGISTERED_MESSAGE(s_taskbarCreated, OnTaskbarCreated)
ON_MESSAGE(kTrayCallback, OnTrayNotify)
ON_MESSAGE(kRecordingEnded, OnRecordingEnded)
ON_MESSAGE(WM_RENDERFORMAT, OnRenderFormat)
ON_MESSAGE(WM_RENDERALLFORMATS, OnRenderAllFormats)
ON_MESSAGE(WM_DESTROYCLIPBOARD, OnDestroyClipboard)
ON_COMMAND(ID_OPTIONS, OnOptions)
ON_COMMAND(ID_EXIT, OnExit)
ON_COMMAND(ID_MAGNIFY, OnMagnify)
ON_COMMAND(ID_ZOOM_HIDDEN, OnZoomHidden)
ON_UPDATE_COMMAND_UI(ID_MAGNIFY, OnUpdateMagnify)
ON_COMMAND(ID_CAPTURE, OnCapture)
ON_COMMAND(ID_PICKER_TOGGLE, OnPickerToggle)
ON_COMMAND(ID_RECORD_TOGGLE, OnRecordToggle)
ON_COMMAND(ID_PLAYBACK, OnPlayback)
ON_COMMAND(ID_HELP_INSTALL, OnHelpInstall)
ON_WM_TIMER()
END_MESSAGE_MAP()

// The options sheet object lives as long as the tray window object; its pages hand their
// settings to the library now.
CTrayWnd::CTrayWnd() : m_sheet(this, m_picker), m_overlay(*this) {
    m_nid = NOTIFYICONDATAA{};
}

CTrayWnd::~CTrayWnd() {
    LeaveShell();
    if (s_recorderOwner == this)
        s_recorderOwner = nullptr;
}

void CTrayWnd::CloseWindowsOverSheet() const {
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseIfOver,
                        reinterpret_cast<LPARAM>(m_sheet.m_hWnd));
}

int CTrayWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    SendMessage(WM_SETICON, ICON_BIG,
                reinterpret_cast<LPARAM>(::LoadIconA(inst, MAKEINTRESOURCEA(IDI_TRAY_NORMAL))));
    QLAttachHookDLL(m_hWnd);
    m_libraryAttached = true;
    int wKey = ReadSetting(settings::kMagnifierKey);
    QLEnableZoomWindow(wKey != 0);
    InitHook(m_hWnd);

    // The first layout of the notification record (88 bytes on 32-bit Windows).
    static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "first record layout");
    m_nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_nid.hWnd = m_hWnd;
    m_nid.uID = kTrayIconId;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = kTrayCallback;
    m_restingIcon = wKey != 0 ? IDI_TRAY_NORMAL : IDI_TRAY_BUSY;
    m_nid.hIcon = ::LoadIconA(inst, MAKEINTRESOURCEA(m_restingIcon));
    lstrcpynA(m_nid.szTip, CWinApp::LoadString(IDS_APP_TITLE).c_str(), 64);
    m_iconAdded = ::Shell_NotifyIconA(NIM_ADD, &m_nid) != FALSE;

    m_sheet.LoadCurrentSkin();
    return 0;
}

void CTrayWnd::SetTrayIcon(UINT iconId) {
    m_restingIcon = iconId;
    // While a recording runs the icon and its tip say so, whatever else happens.
    const bool recording = m_hRecordHook != nullptr;
    m_nid.hIcon = ::LoadIconA(::GetModuleHandleA(nullptr),
                              MAKEINTRESOURCEA(recording ? IDI_TRAY_BUSY : iconId));
    lstrcpynA(m_nid.szTip, recording ? kRecordingTip : CWinApp::LoadString(IDS_APP_TITLE).c_str(),
              sizeof m_nid.szTip);
    m_nid.uFlags = NIF_ICON | NIF_TIP;
    ::Shell_NotifyIconA(NIM_MODIFY, &m_nid);
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
}

LRESULT CTrayWnd::OnTrayNotify(WPARAM wp, LPARAM lp) {
    if (wp != kTrayIconId)
        return 0;
    switch (static_cast<UINT>(lp)) {
    case WM_LBUTTONUP:
        // The button-up that ends a double click opens nothing more.
        if (m_afterDoubleClick) {
            m_afterDoubleClick = false;
            if (::GetTickCount() - m_doubleClickTick < ::GetDoubleClickTime())
                return 1;
        }
        ::SetTimer(m_hWnd, kSingleClickTimer, ::GetDoubleClickTime(), nullptr);
        return 1;
    case WM_LBUTTONDBLCLK:
        ::KillTimer(m_hWnd, kSingleClickTimer);
        m_doubleClickTick = ::GetTickCount();
        m_afterDoubleClick = true;
        SendMessage(WM_COMMAND, ID_OPTIONS);
        return 1;
    case WM_RBUTTONUP:
        ShowTrayMenu();
        return 1;
    default:
        return 0;
    }
}

void CTrayWnd::ShowTrayMenu() {
    CMenu bar;
    if (!bar.LoadMenu(IDR_TRAY_MENU))
        return;
    CTrayMenu menu; // owns the popup, its item records and the strip's bitmap
    menu.Attach(bar.TakeSubMenu(0));
    CBitmap sideBar;
    sideBar.LoadBitmap(IDB_MENU_SIDEBAR);
    menu.SetSideBarBitmap(sideBar.Detach());
    // At the scale of the monitor it opens on, where the pointer is.
    const UINT dpi = DpiOfMonitor(PointerMonitor());
    menu.SetDpi(dpi);
    menu.SetSideBarWidth(Scaled(20, dpi));
    menu.SetBackgroundColor(RGB(188, 254, 245));
    struct Item {
        UINT id;
        const char* text;
    };
    // Each goes in at the top, so the menu reads bottom-up from this list.
    static const Item items[] = {{ID_OPTIONS, " &Options"},
                                 {ID_EXIT, " &Exit"},
                                 {ID_CAPTURE, " &Capture"},
                                 {ID_MAGNIFY, " &Magnify"},
                                 {ID_HELP_INSTALL, " &Help "}};
    for (const Item& it : items)
        menu.InsertItem(it.id, {it.text, false}, 0);
    menu.RemoveMenu(ID_MENU_PLACEHOLDER, MF_BYCOMMAND);
    // The line between Capture and Exit is an item too: choosing it toggles
    // the colour picker's tracking.
    menu.InsertItem(ID_PICKER_TOGGLE, {"", true}, 3);

    POINT pt;
    ::GetCursorPos(&pt);
    ::SetForegroundWindow(m_hWnd);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, pt.x, pt.y, this);
}

bool CTrayWnd::FindTaskbarRect(RECT& rc) {
    HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar)
        return false;
    ::GetWindowRect(taskbar, &rc);
    for (HWND child = ::GetWindow(taskbar, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = "";
        ::GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpA(cls, "TrayNotifyWnd") == 0) {
            ::GetWindowRect(child, &rc);
        } else if (lstrcmpA(cls, "TrayClockWClass") == 0) {
            RECT clock;
            ::GetWindowRect(child, &clock);
            rc.right = clock.left;
            break;
        }
    }
    return true;
}

void CTrayWnd::OnOptions() {
    if (QLIsWindowVisible())
        OnMagnify();
    if (SheetOpen()) {
        // The options window has gone for a dialog it led to (the skin dialog, perhaps with
        // the colour editor over it): that dialog is what the user is in, and comes forward.
        if (!::IsWindowVisible(m_sheet.m_hWnd)) {
            if (HWND front = FrontWindowOfOurs(m_hWnd))
                ::SetForegroundWindow(front);
            return;
        }
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_sheet.m_hWnd);
        m_sheet.SendMessage(WM_NCPAINT, 0);
        return;
    }
    if (m_exitRequested)
        return;
    SetTrayIcon(IDI_TRAY_BUSY);
    RECT taskbar;
    // The animations go to and from where the window was last, while a monitor shows that place.
    bool haveTaskbar = FindTaskbarRect(taskbar) &&
                       ::MonitorFromRect(&m_sheet.m_rcLast, MONITOR_DEFAULTTONULL) != nullptr;
    if (haveTaskbar)
        ::DrawAnimatedRects(m_hWnd, IDANI_CAPTION, &taskbar, &m_sheet.m_rcLast);
    m_sheet.DoModal();
    // A way out taken while the sheet ran ended the sheet; now that its loop
    // has unwound, the program ends.
    if (m_exitRequested) {
        DestroyWindow();
        return;
    }
    if (haveTaskbar)
        ::DrawAnimatedRects(m_hWnd, IDANI_CAPTION, &m_sheet.m_rcLast, &taskbar);
    int wKey = ReadSetting(settings::kMagnifierKey);
    if (!m_capturePending) // the icon stays busy until the overlay is up
        SetTrayIcon(wKey != 0 ? IDI_TRAY_NORMAL : IDI_TRAY_BUSY);
    QLEnableZoomWindow(wKey != 0);
}

void CTrayWnd::OnExit() {
    RequestExit();
}

void CTrayWnd::OnClose() {
    // Closing the main window ends the program the same clean way as Exit.
    RequestExit();
}

LRESULT CTrayWnd::OnEndSession(WPARAM ending, LPARAM) {
    if (!ending)
        return 0;
    RequestExit();
    // The system may end the process as soon as this returns, before the
    // options sheet's loop unwinds: leave the shell and the hooks now.
    LeaveShell();
    return 0;
}

void CTrayWnd::RequestExit() {
    m_exitRequested = true;
    if (!SheetOpen()) {
        DestroyWindow();
        return;
    }
    // The sheet runs modally inside OnOptions, further up this thread's
    // stack: end it (and the windows standing over it, and a dialog one of
    // its pages runs on its own) and let OnOptions finish the exit once its
    // loop has returned. Nothing is re-posted, so a sheet that cannot end
    // yet costs nothing while it waits.
    HWND sheet = m_sheet.m_hWnd;
    CloseWindowsOverSheet();
    m_sheet.EndDialog(IDCANCEL);
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseOwnerlessDialog,
                        reinterpret_cast<LPARAM>(sheet));
}

// This window owns the clipboard after a capture: its DIB is made on request.
LRESULT CTrayWnd::OnRenderFormat(WPARAM format, LPARAM) {
    m_overlay.RenderFormat(static_cast<UINT>(format));
    return 0;
}

LRESULT CTrayWnd::OnRenderAllFormats(WPARAM, LPARAM) {
    m_overlay.RenderAllFormats();
    return 0;
}

LRESULT CTrayWnd::OnDestroyClipboard(WPARAM, LPARAM) {
    m_overlay.ForgetClipboardCapture();
    return 0;
}

void CTrayWnd::OnDestroy() {
    LeaveShell();
    CFrameWnd::OnDestroy();
}

void CTrayWnd::LeaveShell() {
    if (m_iconAdded)
        ::Shell_NotifyIconA(NIM_DELETE, &m_nid);
    m_iconAdded = false;
    if (m_libraryAttached)
        QLAttachHookDLL(nullptr);
    m_libraryAttached = false;
    StopRecording();
    if (m_hPlaybackHook)
        ::UnhookWindowsHookEx(m_hPlaybackHook);
    m_hPlaybackHook = nullptr;
    if (m_hWnd) {
        ::KillTimer(m_hWnd, kPlaybackTimer);
        ::KillTimer(m_hWnd, kPlaybackProbeTimer);
        ::KillTimer(m_hWnd, kSingleClickTimer);
        ::KillTimer(m_hWnd, kCaptureTimer);
    }
    m_playbackByTimer = false;
    m_capturePending = false;
}

LRESULT CTrayWnd::OnTaskbarCreated(WPARAM, LPARAM) {
    // A new taskbar knows no icons: add ours again, as it stands now.
    if (m_hWnd && !m_exitRequested)
        m_iconAdded = ::Shell_NotifyIconA(NIM_ADD, &m_nid) != FALSE;
    return 0;
}

void CTrayWnd::OnMagnify() {
    QLShowZoomWindow(QLIsWindowVisible() ? 0 : 1);
    SetTrayIcon(QLIsWindowVisible() ? IDI_TRAY_BUSY : IDI_TRAY_NORMAL);
    ::SetActiveWindow(m_hWnd);
    ::SetFocus(m_hWnd);
}

void CTrayWnd::OnZoomHidden() {
    // The icon follows the zoom window whichever way it hides.
    if (!QLIsWindowVisible() && !SheetOpen())
        SetTrayIcon(IDI_TRAY_NORMAL);
}

void CTrayWnd::OnUpdateMagnify(CCmdUI* pCmdUI) {
    pCmdUI->Enable(!SheetOpen());
}

void CTrayWnd::OnCapture() {
    if (m_capturePending)
        return;
    // The screen under the options window, and under anything over it, repaints for a moment
    // before it is frozen: nothing of them is captured. The time the busy icon takes to show
    // counts in the moment.
    if (SheetOpen()) {
        CloseWindowsOverSheet();
        m_sheet.ShowWindow(SW_HIDE);
    }
    m_capturePending = true;
    ::SetTimer(m_hWnd, kCaptureTimer, kCaptureDelayMs, nullptr);
    SetTrayIcon(IDI_TRAY_BUSY);
    if (SheetOpen())
        m_sheet.EndDialog(IDOK);
    // The overlay's picture is made during the wait, so that after it the screen is only copied.
    m_overlay.Prepare();
}

void CTrayWnd::OnPickerToggle() {
    m_picker.bPickerTracking = !m_picker.bPickerTracking;
}

void CTrayWnd::OnHelpInstall() {
    ShowHelpTopic(m_hWnd, "install.htm");
}

// Input recorder

void CTrayWnd::OnRecordToggle() {
    // Odd counts stop, even counts start: the first toggle after start-up
    // only removes a hook that is not there; recording starts with the second.
    int& toggles = ToolboxApp()->m_nRecordToggles;
    ++toggles;
    if (toggles % 2 == 0) {
        StartRecording();
    } else if (m_hRecordHook) {
        StopRecording();
        m_recording.DropStopHotkey();
    }
    SetTrayIcon(m_restingIcon);
}

void CTrayWnd::EndRecordingByItself() {
    StopRecording();
    // As if the toggle had stopped it: the next toggle starts a new recording.
    if (int& toggles = ToolboxApp()->m_nRecordToggles; toggles % 2 == 0)
        ++toggles;
    // Called from the input hooks, which must return at once: the icon follows afterwards.
    PostMessage(kRecordingEnded);
}

LRESULT CTrayWnd::OnRecordingEnded(WPARAM, LPARAM) {
    SetTrayIcon(m_restingIcon);
    return 0;
}

void CTrayWnd::StartRecording() {
    if (m_hRecordHook)
        return;
    s_recorderOwner = this;
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    // Low-level hooks see every program's input wherever they are granted;
    // a journal record hook is refused by current Windows and, where it is
    // granted, may only hear this program's own input. So the journal hook
    // records only where low-level hooks are refused.
    m_hRecordHook = ::SetWindowsHookExA(WH_KEYBOARD_LL, LowLevelKeyboardProc, inst, 0);
    m_hRecordMouseHook = ::SetWindowsHookExA(WH_MOUSE_LL, LowLevelMouseProc, inst, 0);
    if (m_hRecordHook && m_hRecordMouseHook)
        return;
    StopRecording();
    m_hRecordHook = ::SetWindowsHookExA(WH_JOURNALRECORD, JournalRecordProc, inst, 0);
}

void CTrayWnd::StopRecording() {
    if (m_hRecordHook)
        ::UnhookWindowsHookEx(m_hRecordHook);
    if (m_hRecordMouseHook)
        ::UnhookWindowsHookEx(m_hRecordMouseHook);
    m_hRecordHook = nullptr;
    m_hRecordMouseHook = nullptr;
}

void CTrayWnd::RecordEvent(const RecordedEvent& e) {
    ::MessageBeep(0);
    if (IsRecordStopKey(e)) {
        EndRecordingByItself();
        return;
    }
    try {
        m_recording.Append(e, ::GetTickCount());
    } catch (const std::bad_alloc&) {
        // Out of memory: recording stops, what was recorded stays.
        EndRecordingByItself();
    }
}

LRESULT CALLBACK CTrayWnd::JournalRecordProc(int code, WPARAM wp, LPARAM lp) {
    CTrayWnd* self = s_recorderOwner;
    if (code == HC_ACTION && self) {
        const auto* em = reinterpret_cast<const EVENTMSG*>(lp);
        self->RecordEvent({em->message, em->paramL, em->paramH, em->time});
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK CTrayWnd::LowLevelKeyboardProc(int code, WPARAM wp, LPARAM lp) {
    CTrayWnd* self = s_recorderOwner;
    if (code == HC_ACTION && self) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        // The journal's key layout: virtual key in the low byte and scan code
        // in the high byte of the first word, flags in the second.
        unsigned paramL = (k->vkCode & 0xFF) | ((k->scanCode & 0xFF) << 8);
        unsigned paramH = (k->flags & LLKHF_EXTENDED) ? 0x8000u : 0u;
        self->RecordEvent({static_cast<unsigned>(wp), paramL, paramH, k->time});
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK CTrayWnd::LowLevelMouseProc(int code, WPARAM wp, LPARAM lp) {
    CTrayWnd* self = s_recorderOwner;
    if (code == HC_ACTION && self) {
        const auto* m = reinterpret_cast<const MSLLHOOKSTRUCT*>(lp);
        self->RecordEvent({static_cast<unsigned>(wp), static_cast<unsigned>(m->pt.x),
                           static_cast<unsigned>(m->pt.y), m->time});
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

void CTrayWnd::OnPlayback() {
    if (m_hPlaybackHook || m_playbackByTimer)
        return;
    s_recorderOwner = this;
    m_playbackStarted = false;
    m_hPlaybackHook = ::SetWindowsHookExA(WH_JOURNALPLAYBACK, JournalPlaybackProc,
                                          ::GetModuleHandleA(nullptr), 0);
    if (m_hPlaybackHook) {
        ::SetTimer(m_hWnd, kPlaybackProbeTimer, kPlaybackProbeMs, nullptr);
        return;
    }
    PlayBySynthesizedInput();
}

void CTrayWnd::PlayBySynthesizedInput() {
    // Replay with synthesized input on a timer, which runs only while there
    // is something left to play.
    if (!m_recording.BeginPlayback(::GetTickCount()))
        return;
    m_playbackByTimer = true;
    PlayNextEvent();
}

LRESULT CALLBACK CTrayWnd::JournalPlaybackProc(int code, WPARAM wp, LPARAM lp) {
    CTrayWnd* self = s_recorderOwner;
    if (!self || code < 0)
        return ::CallNextHookEx(nullptr, code, wp, lp);
    InputRecording& rec = self->m_recording;
    auto unhook = [self] {
        ::UnhookWindowsHookEx(self->m_hPlaybackHook);
        self->m_hPlaybackHook = nullptr;
    };
    if (!self->m_playbackStarted) {
        self->m_playbackStarted = true;
        if (!rec.BeginPlayback(::GetTickCount())) {
            unhook();
            return 0;
        }
    }
    if (code == HC_SKIP) {
        if (!rec.Advance()) {
            unhook();
            self->ReleaseKeysLeftDown();
        }
        return 0;
    }
    if (code == HC_GETNEXT && rec.Playing()) {
        uint32_t wait = 0;
        RecordedEvent e = rec.CurrentEvent(::GetTickCount(), wait);
        auto* em = reinterpret_cast<EVENTMSG*>(lp);
        em->message = e.message;
        em->paramL = e.paramL;
        em->paramH = e.paramH;
        em->time = e.time;
        em->hwnd = nullptr;
        return static_cast<LRESULT>(wait);
    }
    return 0;
}

void CTrayWnd::PlayNextEvent() {
    while (m_recording.Playing()) {
        uint32_t wait = 0;
        RecordedEvent e = m_recording.CurrentEvent(::GetTickCount(), wait);
        if (wait > 0) {
            ::SetTimer(m_hWnd, kPlaybackTimer, wait, nullptr);
            return;
        }
        INPUT in = {};
        if (e.message >= WM_KEYFIRST && e.message <= WM_KEYLAST) {
            in.type = INPUT_KEYBOARD;
            in.ki.wVk = static_cast<WORD>(e.paramL & 0xFF);
            in.ki.wScan = static_cast<WORD>((e.paramL >> 8) & 0xFF);
            in.ki.dwFlags =
                (e.message == WM_KEYUP || e.message == WM_SYSKEYUP) ? KEYEVENTF_KEYUP : 0;
            if (e.paramH & 0x8000)
                in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        } else {
            // The recorded point on the whole desktop, any monitor's.
            in.type = INPUT_MOUSE;
            const RECT desk = VirtualDesktop();
            const int cx = desk.right - desk.left - 1, cy = desk.bottom - desk.top - 1;
            in.mi.dx = MulDiv(static_cast<int>(e.paramL) - desk.left, 65535, cx > 0 ? cx : 1);
            in.mi.dy = MulDiv(static_cast<int>(e.paramH) - desk.top, 65535, cy > 0 ? cy : 1);
            in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
            static const struct {
                unsigned message;
                DWORD flag;
            } buttons[] = {
                {WM_LBUTTONDOWN, MOUSEEVENTF_LEFTDOWN},   {WM_LBUTTONUP, MOUSEEVENTF_LEFTUP},
                {WM_RBUTTONDOWN, MOUSEEVENTF_RIGHTDOWN},  {WM_RBUTTONUP, MOUSEEVENTF_RIGHTUP},
                {WM_MBUTTONDOWN, MOUSEEVENTF_MIDDLEDOWN}, {WM_MBUTTONUP, MOUSEEVENTF_MIDDLEUP}};
            for (const auto& b : buttons)
                if (e.message == b.message)
                    in.mi.dwFlags |= b.flag;
        }
        ::SendInput(1, &in, sizeof in);
        if (!m_recording.Advance())
            break;
    }
    ::KillTimer(m_hWnd, kPlaybackTimer);
    m_playbackByTimer = false;
    ReleaseKeysLeftDown();
}

void CTrayWnd::ReleaseKeysLeftDown() {
    // Playback leaves the keyboard as the user had it: a key it pressed and
    // did not release (a recording cut short by its stop hotkey) goes up.
    std::vector<INPUT> ups;
    for (unsigned vk : m_recording.KeysLeftDown()) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(vk);
        in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        ups.push_back(in);
    }
    if (!ups.empty())
        ::SendInput(static_cast<UINT>(ups.size()), ups.data(), sizeof(INPUT));
}

void CTrayWnd::OnTimer(UINT_PTR id) {
    if (id == kCaptureTimer) {
        ::KillTimer(m_hWnd, kCaptureTimer);
        m_capturePending = false;
        m_overlay.Show(m_sheet.m_skin);
        SetTrayIcon(IDI_TRAY_NORMAL);
        return;
    }
    if (id == kSingleClickTimer) {
        ::KillTimer(m_hWnd, kSingleClickTimer);
        ShowTrayMenu();
        return;
    }
    if (id == kPlaybackProbeTimer) {
        ::KillTimer(m_hWnd, kPlaybackProbeTimer);
        if (m_hPlaybackHook && !m_playbackStarted) {
            ::UnhookWindowsHookEx(m_hPlaybackHook);
            m_hPlaybackHook = nullptr;
            PlayBySynthesizedInput();
        }
        return;
    }
    if (id != kPlaybackTimer) {
        Default();
        return;
    }
    ::KillTimer(m_hWnd, kPlaybackTimer);
    PlayNextEvent();
}
