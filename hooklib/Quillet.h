// Quillet.dll: the companion hook library that owns the global hotkeys and
// the magnifier's zoom window, and answers by posting WM_COMMAND messages to
// the tray window it is attached to.
//
// Hotkeys and the commands they post (wParam = command id, lParam = 0):
//   capture hotkey (QLSetCaptureParams, default Alt+C)    40006 Capture
//   picker hotkey (QLSetAutoClickParams, default Alt+X)   40007 toggle picker tracking
//   magnifier hotkey (QLSetZoomParams, default Alt+Z)     40003 Magnify (the tray toggles)
//   Ctrl+Alt+R, fixed                                     40009 toggle input recording
//   Ctrl+Alt+P, fixed                                     41008 play back recorded input
// They are registered with RegisterHotKey on a message-only window of the
// library (class "QuilletHotkeys"), live while the library is attached and
// InitHook has run. Holding a hotkey down sends its command once. A
// combination another program holds stays with it, silently.
//
// The zoom window (class "QuilletZoom") is a topmost popup that never takes
// the focus and lets clicks through. It sits beside the cursor, clear of the
// square it magnifies, and flips to the other side at the screen's edges.
// While on screen it follows the cursor about 60 times a second; while
// hidden it costs nothing (no timer, no hook).
//
// Everything is called on the program's one GUI thread; the library's windows
// are created on the thread that first needs them.
#pragma once

#include <windows.h>

#ifdef QUILLET_BUILD
#define QUILLET_API extern "C" __declspec(dllexport)
#else
#define QUILLET_API extern "C" __declspec(dllimport)
#endif

// Commands go to this window from now on; NULL detaches: nothing is posted
// any more, and the hotkeys are released until a window is attached again.
QUILLET_API void QLAttachHookDLL(HWND hwndTray);
// Makes the hotkeys live (attaching hwndTray too, if it is not NULL); called
// once at start-up, after QLAttachHookDLL and QLEnableZoomWindow.
QUILLET_API void InitHook(HWND hwndTray);
// 0 keeps the zoom window from ever showing (and hides it if it is up);
// 1 allows it again without showing it.
QUILLET_API void QLEnableZoomWindow(int bEnable);
// Non-zero exactly while the zoom window is on screen.
QUILLET_API int QLIsWindowVisible();
// 1 shows (only while enabled), 0 hides; the state is readable at once
// through QLIsWindowVisible.
QUILLET_API void QLShowZoomWindow(int bShow);
// Region width and height in pixels (10..100), magnifier hotkey (virtual key
// and the hotkey control's modifier flags: 1 Shift, 2 Ctrl, 4 Alt, 8
// extended; key 0: no hotkey), least distance in pixels between the cursor's
// hotspot and the window (0..100; the window also always keeps clear of the
// magnified square), magnification (1..10) and the persist flag (1: the zoom
// window stays until toggled; 0: it also goes away at the next mouse click or
// key press other than a lone modifier or the magnifier hotkey). Values
// outside the ranges are brought inside them; a visible window follows at once.
QUILLET_API void QLSetZoomParams(int nWidth, int nHeight, unsigned short wKey, unsigned short wMod,
                                 int nGap, int nFactor, int bPersist);
// Capture hotkey: key and modifier flags as above; replaces the previous one.
QUILLET_API void QLSetCaptureParams(unsigned short wKey, unsigned short wMod);
// Colour picker freeze hotkey: key and modifier flags as above.
QUILLET_API void QLSetAutoClickParams(unsigned short wKey, unsigned short wMod);
