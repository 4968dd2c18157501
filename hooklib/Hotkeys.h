// The library's global hotkeys: registered on a message-only window of its own,
// each one answered by posting a WM_COMMAND to the attached tray window.
#pragma once

#include <windows.h>

namespace quillet {

enum HotkeySlot { kHotkeyCapture, kHotkeyPicker, kHotkeyMagnify, kHotkeyRecord, kHotkeyPlayback };
constexpr int kHotkeySlots = 5;

class CHotkeys {
public:
    CHotkeys();

    // Key and the hotkey control's modifier flags for one slot. If the hotkeys
    // are live, the slot's old combination is released before the new one is
    // registered; a key of 0 leaves the slot without a hotkey.
    void Set(HotkeySlot slot, unsigned short key, unsigned short hotkeyFlags);

    // Commands go to this window; NULL detaches, and then the combinations are
    // released so other programs may have them.
    void Attach(HWND target);
    HWND Target() const { return m_target; }

    // Creates the library's window on the calling thread (once) and makes the
    // hotkeys live while a window is attached.
    void Start();

private:
    struct Binding {
        unsigned vk;   // virtual-key code, 0: none
        unsigned mods; // the registration's modifier flags
        bool registered;
    };

    bool Live() const { return m_started && m_target != nullptr && m_window != nullptr; }
    void Register(int slot);
    void Release(int slot);
    void ReleaseAll();
    void RegisterAll();
    void OnHotkey(WPARAM id) const;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    Binding m_bindings[kHotkeySlots];
    HWND m_window = nullptr;
    HWND m_target = nullptr;
    bool m_started = false;
};

} // namespace quillet
