// Placeholder until the hotkeys and the zoom window land.
#include "hooklib/Quillet.h"

extern "C" {
void QLAttachHookDLL(HWND) {}
void InitHook(HWND) {}
void QLEnableZoomWindow(int) {}
int QLIsWindowVisible() { return 0; }
void QLShowZoomWindow(int) {}
void QLSetZoomParams(int, int, unsigned short, unsigned short, int, int, int) {}
void QLSetCaptureParams(unsigned short, unsigned short) {}
void QLSetAutoClickParams(unsigned short, unsigned short) {}
}
