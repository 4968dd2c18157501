// The common controls library, loaded when the first dialog, property sheet or subclassed
// control needs it: the tray program idles without it.
#pragma once

#include <windows.h>
#include <commctrl.h>

// Loads the library and registers the control classes the program's templates use; false when
// it cannot be loaded. Called by every way a dialog or property sheet is made.
bool EnsureCommonControls();

// The library's functions the framework calls, through the loaded library.
namespace comctl {
BOOL SetWindowSubclass(HWND h, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND h, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefSubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header);
} // namespace comctl
