// The common file dialogs, loaded on first use: the library behind them (and what it brings
// along) stays out of the tray program until the user saves or opens a file.
#pragma once

#include <windows.h>
#include <commdlg.h>

// What both file dialogs are given: the owner, the filter with its first type chosen, and
// the name buffer, which holds the proposed name on entry and the chosen one on return;
// `flags` besides OFN_NOCHANGEDIR (the working folder stays as it is).
OPENFILENAMEA FileDialogFields(HWND owner, const char* filter, char* file, DWORD fileSize,
                               DWORD flags);

// GetSaveFileNameA / GetOpenFileNameA; FALSE also when the library cannot be loaded.
BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn);
BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn);
