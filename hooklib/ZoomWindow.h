// The magnifier's zoom window: a click-through, never activated, topmost popup
// beside the cursor that shows the screen around the cursor enlarged.
#pragma once

#include <windows.h>

#include "hooklib/ZoomLayout.h"

namespace quillet {

class CZoomWindow {
public:
    // Region size, factor and gap (clamped to their limits) and the persist
    // flag; a window on screen follows them at once.
    void SetSettings(int regionWidth, int regionHeight, int factor, int gap, bool persist);
    // The magnifier hotkey, in the registration's terms, which must not count
    // as "a key press" that hides a non-persistent window: it toggles it.
    void SetToggleKey(unsigned vk, unsigned mods);

    // The window told when the zoom window hides by itself (at the next click
    // or key without persist), so that it can show it is no longer busy.
    void SetOwner(HWND owner) { m_owner = owner; }

    // Disabling hides the window and keeps it from showing until enabled again.
    void Enable(bool enable);
    void Show(bool show);
    bool Visible() const;

private:
    bool Create();
    void Hide();
    void Follow(); // moves to the cursor and paints a fresh picture
    void Paint(HDC dc) const;
    void ReleaseScreen();
    void SetInputWatch(bool on);
    void OnInput(bool isKey, bool down, unsigned vk);

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);

    ZoomSettings m_settings =
        ClampZoomSettings(settings::kZoomRegion.defaultValue, settings::kZoomRegion.defaultValue,
                          settings::kZoomFactor.defaultValue, 13);
    // The settings as shown: the magnification brought down so that the
    // window fits on the pointer's monitor.
    ZoomSettings m_shown = m_settings;
    bool m_persist = true;
    bool m_enabled = true;
    unsigned m_toggleVk = 0;
    unsigned m_toggleMods = 0;

    HWND m_hwnd = nullptr;
    HDC m_dc = nullptr; // the window's own DC (its class has CS_OWNDC)
    HWND m_owner = nullptr;
    LayoutPoint m_hotspot{0, 0}; // cursor position the picture was taken at
    LayoutRect m_placed{0, 0, 0, 0};
    bool m_timerOn = false;
    HDC m_screen = nullptr;           // the display, copied from while the window is shown
    bool m_screensKnown = false;      // the two rectangles below are current
    LayoutRect m_monitor{0, 0, 0, 0}; // the monitor the cursor is on
    LayoutRect m_virtualScreen{0, 0, 0, 0};
    HHOOK m_keyboardHook = nullptr;
    HHOOK m_mouseHook = nullptr;
    bool m_heldAtShow[256] = {}; // keys already down when shown: their repeats do not count
};

} // namespace quillet
