// Quillet.dll's exports: the program's handful of calls, handed to the
// hotkeys and to the zoom window. Everything runs on the program's GUI thread.
#include "hooklib/Quillet.h"

#include "hooklib/Hotkeys.h"
#include "hooklib/ZoomLayout.h"
#include "hooklib/ZoomWindow.h"

namespace {

// The library's whole state. Neither object frees anything at unload: the
// windows go with the process, and the system releases their hotkeys.
quillet::CHotkeys g_hotkeys;
quillet::CZoomWindow g_zoom;

} // namespace

QUILLET_API void QLAttachHookDLL(HWND hwndTray) {
    g_hotkeys.Attach(hwndTray);
    g_zoom.SetOwner(hwndTray);
}

QUILLET_API void InitHook(HWND hwndTray) {
    if (hwndTray != nullptr) {
        g_hotkeys.Attach(hwndTray);
        g_zoom.SetOwner(hwndTray);
    }
    g_hotkeys.Start();
}

QUILLET_API void QLEnableZoomWindow(int bEnable) {
    g_zoom.Enable(bEnable != 0);
}

QUILLET_API int QLIsWindowVisible() {
    return g_zoom.Visible() ? 1 : 0;
}

QUILLET_API void QLShowZoomWindow(int bShow) {
    g_zoom.Show(bShow != 0);
}

QUILLET_API void QLSetZoomParams(int nWidth, int nHeight, unsigned short wKey, unsigned short wMod,
                                 int nGap, int nFactor, int bPersist) {
    g_zoom.SetToggleKey(quillet::HotkeyVirtualKey(wKey), quillet::HotkeyFlagsToModifiers(wMod));
    g_zoom.SetSettings(nWidth, nHeight, nFactor, nGap, bPersist != 0);
    g_hotkeys.Set(quillet::kHotkeyMagnify, wKey, wMod);
}

QUILLET_API void QLSetCaptureParams(unsigned short wKey, unsigned short wMod) {
    g_hotkeys.Set(quillet::kHotkeyCapture, wKey, wMod);
}

QUILLET_API void QLSetAutoClickParams(unsigned short wKey, unsigned short wMod) {
    g_hotkeys.Set(quillet::kHotkeyPicker, wKey, wMod);
}
