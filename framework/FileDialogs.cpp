// Common file dialogs through comdlg32.dll, loaded when first needed.
#include "framework/FileDialogs.h"

namespace {

using FileDialogFn = BOOL(WINAPI*)(OPENFILENAMEA*);

FileDialogFn Resolve(const char* name) {
    // Loaded once and kept: the dialogs are likely to be wanted again.
    static HMODULE library = ::LoadLibraryA("comdlg32.dll");
    return library ? reinterpret_cast<FileDialogFn>(
                         reinterpret_cast<void*>(::GetProcAddress(library, name)))
                   : nullptr;
}

} // namespace

BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn) {
    static const FileDialogFn fn = Resolve("GetSaveFileNameA");
    return fn ? fn(ofn) : FALSE;
}

BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn) {
    static const FileDialogFn fn = Resolve("GetOpenFileNameA");
    return fn ? fn(ofn) : FALSE;
}
