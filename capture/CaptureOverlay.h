// The full-screen overlay on which the user drags the rectangle to capture.
#pragma once

#include <windows.h>

struct SkinScheme;

// Freezes the screen under a topmost overlay (class "paste") that is not activated, and returns
// at once. A drag with the left button selects the rectangle; on release it goes to the
// clipboard as a bitmap, the overlay closes and, 100 ms later, the result dialog shows it in
// the given skin. Escape or the right button closes the overlay without a capture. Nothing
// happens while an overlay or a result dialog is open already.
void ShowCaptureOverlay(HWND owner, const SkinScheme& skin);

LRESULT CALLBACK CaptureOverlayProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp);

// The clipboard owner's side of a capture it holds: the DIB format is made when a program asks
// for it (WM_RENDERFORMAT) or before the owner goes (WM_RENDERALLFORMATS, from the owner), and
// the capture's bitmap is forgotten when the clipboard is emptied (WM_DESTROYCLIPBOARD).
void RenderCaptureFormat(UINT format);
void RenderAllCaptureFormats(HWND owner);
void ForgetClipboardCapture();
