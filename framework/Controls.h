// Thin wrappers of the common controls the pages use. Attached to a dialog's
// control by id (DDX_Control); they do not own the control window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CButton : public CWnd {};

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(int lower, int upper) { SendMessage(UDM_SETRANGE32, lower, upper); }
};

class CHotKeyCtrl : public CWnd {
public:
    void SetHotKey(WORD vk, WORD modifiers) { SendMessage(HKM_SETHOTKEY, MAKEWORD(vk, modifiers)); }
    void GetHotKey(WORD& vk, WORD& modifiers) const {
        LRESULT r = SendMessage(HKM_GETHOTKEY);
        vk = LOBYTE(LOWORD(r));
        modifiers = HIBYTE(LOWORD(r));
    }
    // Combinations in `invalid` (HKCOMB_*) get `replacement` modifiers added.
    void SetRules(WORD invalid, WORD replacement) {
        SendMessage(HKM_SETRULES, invalid, MAKELPARAM(replacement, 0));
    }
};
