// CLibraryHotKeyCtrl: a hotkey box that can take one of the program's own
// global hotkeys. While it has the focus the hook library's hotkeys are
// suspended, so Alt+Z typed into the magnifier's box reaches the box instead
// of toggling the zoom window; they are back as soon as it loses the focus.
#pragma once

#include "framework/Controls.h"

class CLibraryHotKeyCtrl : public CHotKeyCtrl {
public:
    // Shows a stored hotkey (the low byte of each value) under the rule of
    // every hotkey box of the program: a key alone or with Shift alone
    // becomes Ctrl plus the key.
    void Show(WORD key, WORD modifiers) {
        SetHotKey(LOBYTE(key), LOBYTE(modifiers));
        SetRules(HKCOMB_NONE | HKCOMB_S, HOTKEYF_CONTROL);
    }

protected:
    void OnSetFocus(HWND previous);
    void OnKillFocus(HWND next);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()
};

// Takes the library's hotkeys away (true) or hands it the stored ones again
// (false). The stored settings are what the library holds whenever no hotkey
// box has the focus: pages hand them over when they store them.
void SuspendLibraryHotkeys(bool suspend);
