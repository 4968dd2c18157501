// Quillet.dll: the companion hook library that owns the global hotkeys and
// the magnifier's zoom window, and answers by posting WM_COMMAND messages to
// the tray window it is attached to.
#pragma once

#include <windows.h>

#ifdef QUILLET_BUILD
#define QUILLET_API extern "C" __declspec(dllexport)
#else
#define QUILLET_API extern "C" __declspec(dllimport)
#endif

// Commands go to this window from now on; NULL detaches (nothing is posted).
QUILLET_API void QLAttachHookDLL(HWND hwndTray);
// Registers the hotkeys on the library's own window; they are live from then on.
QUILLET_API void InitHook(HWND hwndTray);
// 0 keeps the zoom window from ever showing (and hides it if it is up).
QUILLET_API void QLEnableZoomWindow(int bEnable);
// Non-zero exactly while the zoom window is on screen.
QUILLET_API int QLIsWindowVisible();
// 1 shows, 0 hides; the state is readable at once through QLIsWindowVisible.
QUILLET_API void QLShowZoomWindow(int bShow);
// Region width and height in pixels, magnifier hotkey (virtual key and the
// hotkey control's modifier flags), gap between cursor and window in pixels,
// magnification and the persist flag (1: the zoom window stays until toggled;
// 0: it hides at the next click or key press).
QUILLET_API void QLSetZoomParams(int nWidth, int nHeight, unsigned short wKey, unsigned short wMod,
                                 int nGap, int nFactor, int bPersist);
QUILLET_API void QLSetCaptureParams(unsigned short wKey, unsigned short wMod);
QUILLET_API void QLSetAutoClickParams(unsigned short wKey, unsigned short wMod);
