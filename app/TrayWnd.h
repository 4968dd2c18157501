// CTrayWnd: the hidden main window. It owns the notification icon, shows the
// tray menu and carries out every global command of the program.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "app/MainSheet.h"
#include "capture/CaptureOverlay.h"
#include "color/AutoClickPage.h"
#include "core/InputRecorder.h"
#include "framework/Wnd.h"

class CTrayWnd : public CFrameWnd {
public:
    CTrayWnd();
    ~CTrayWnd() override;

    // Shows icon 104 (normal) or 105 (busy) in the notification area.
    void SetTrayIcon(UINT iconId);

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    LRESULT OnEndSession(WPARAM ending, LPARAM);
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    LRESULT OnTrayNotify(WPARAM wp, LPARAM lp);
    LRESULT OnRenderFormat(WPARAM format, LPARAM);
    LRESULT OnRenderAllFormats(WPARAM, LPARAM);
    LRESULT OnDestroyClipboard(WPARAM, LPARAM);
    void OnOptions();
    void OnExit();
    void OnMagnify();
    void OnZoomHidden();
    void OnUpdateMagnify(CCmdUI* pCmdUI);
    void OnCapture();
    void OnPickerToggle();
    void OnRecordToggle();
    void OnPlayback();
    void OnHelpInstall();
    void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

    // Every way out of the program: ends the options sheet first when it is
    // open, then destroys this window, which ends the message loop.
    void RequestExit();
    // Removes the icon and detaches the hook library; safe to call twice.
    void LeaveShell();

    bool SheetOpen() const { return m_sheet.IsOpen(); }
    // Hides and closes every window that stands over the open options window: a message box,
    // Tip of the Day, a message box over that. Each runs a modal loop nested in the sheet's;
    // closed, they let the sheet's loop unwind.
    void CloseWindowsOverSheet() const;
    void ShowTrayMenu();
    // The taskbar's notification area (or the whole taskbar), the start and
    // end of the options window's animation; false without a taskbar.
    static bool FindTaskbarRect(RECT& rc);

    // Input recorder: the hooks feed the list; playback runs either through a
    // journal playback hook or, where the system refuses journal hooks, by
    // synthesized input on a timer.
    void StartRecording();
    void StopRecording();
    // A recording that ends by F2 or for want of memory keeps the toggle in step.
    void EndRecordingByItself();
    LRESULT OnRecordingEnded(WPARAM, LPARAM);
    void RecordEvent(const RecordedEvent& e);
    void PlayNextEvent();
    void PlayBySynthesizedInput();
    void ReleaseKeysLeftDown();
    static LRESULT CALLBACK JournalRecordProc(int code, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK JournalPlaybackProc(int code, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wp, LPARAM lp);

    // What outlives the options window and the overlay, for the program's life.
    PickerState m_picker;
    CMainSheet m_sheet;
    CCaptureOverlay m_overlay;

    NOTIFYICONDATAA m_nid;
    UINT m_restingIcon = 0; // the icon when no recording runs
    InputRecording m_recording;
    HHOOK m_hRecordHook = nullptr;
    HHOOK m_hRecordMouseHook = nullptr;
    HHOOK m_hPlaybackHook = nullptr;
    bool m_playbackByTimer = false;
    bool m_playbackStarted = false;
    bool m_iconAdded = false;
    bool m_libraryAttached = false;
    bool m_exitRequested = false;
    bool m_capturePending = false; // the Capture command waits for the screen to repaint
    // When the last double click on the icon arrived (its closing button-up
    // is not a click of its own).
    DWORD m_doubleClickTick = 0;
    bool m_afterDoubleClick = false;
};
