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

OPENFILENAMEA FileDialogFields(HWND owner, const char* filter, char* file, DWORD fileSize,
                               DWORD flags) {
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = fileSize;
    ofn.Flags = OFN_NOCHANGEDIR | flags;
    return ofn;
}

BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn) {
    static const FileDialogFn fn = Resolve("GetSaveFileNameA");
    return fn ? fn(ofn) : FALSE;
}

BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn) {
    static const FileDialogFn fn = Resolve("GetOpenFileNameA");
    return fn ? fn(ofn) : FALSE;
}
