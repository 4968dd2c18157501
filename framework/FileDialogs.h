// The common file dialogs, loaded on first use: the library behind them (and what it brings
// along) stays out of the tray program until the user saves or opens a file.
#pragma once

#include <windows.h>
#include <commdlg.h>

// GetSaveFileNameA / GetOpenFileNameA; FALSE also when the library cannot be loaded.
BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn);
BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn);
