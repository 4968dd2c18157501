// Hotkey boxes that take the program's own hotkeys.
#include "skin/LibraryHotKeyCtrl.h"

#include "hooklib/Quillet.h"
#include "settings/Profile.h"

namespace {

bool s_suspended = false;

WORD Stored(const SettingDef& s) {
    return static_cast<WORD>(ReadSetting(s));
}

} // namespace

void SuspendLibraryHotkeys(bool suspend) {
    if (suspend == s_suspended)
        return;
    s_suspended = suspend;
    using namespace settings;
    const int region = ReadSetting(kZoomRegion);
    const int persist = ReadSetting(kNoPersist) == 0;
    WORD key = suspend ? 0 : Stored(kMagnifierKey),
         mods = suspend ? 0 : Stored(kMagnifierModifiers);
    QLSetZoomParams(region, region, key, mods, settings::kZoomGap, ReadSetting(kZoomFactor),
                    persist);
    QLSetCaptureParams(suspend ? 0 : Stored(kCaptureKey), suspend ? 0 : Stored(kCaptureModifiers));
    QLSetAutoClickParams(suspend ? 0 : Stored(kPickerKey), suspend ? 0 : Stored(kPickerModifiers));
}

BEGIN_MESSAGE_MAP(CLibraryHotKeyCtrl, CHotKeyCtrl)
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

void CLibraryHotKeyCtrl::OnSetFocus(HWND) {
    SuspendLibraryHotkeys(true);
    Default();
}

void CLibraryHotKeyCtrl::OnKillFocus(HWND) {
    SuspendLibraryHotkeys(false);
    Default();
}

void CLibraryHotKeyCtrl::PostNcDestroy() {
    // A box that goes while it has the focus gives the hotkeys back too.
    SuspendLibraryHotkeys(false);
}
