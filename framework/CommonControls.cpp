// comctl32.dll on first use.
#include "framework/CommonControls.h"

namespace {

struct Library {
    HMODULE module = nullptr;
    decltype(&::SetWindowSubclass) setSubclass = nullptr;
    decltype(&::RemoveWindowSubclass) removeSubclass = nullptr;
    decltype(&::DefSubclassProc) defSubclassProc = nullptr;
    decltype(&::PropertySheetA) propertySheet = nullptr;
};

template <typename F> void Resolve(HMODULE m, const char* name, F& fn) {
    fn = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(m, name)));
}

// Loaded once and kept for the rest of the run; the classes are registered at the same time.
const Library& Get() {
    static const Library lib = [] {
        Library l;
        l.module = ::LoadLibraryA("comctl32.dll");
        if (!l.module)
            return l;
        Resolve(l.module, "SetWindowSubclass", l.setSubclass);
        Resolve(l.module, "RemoveWindowSubclass", l.removeSubclass);
        Resolve(l.module, "DefSubclassProc", l.defSubclassProc);
        Resolve(l.module, "PropertySheetA", l.propertySheet);
        decltype(&::InitCommonControlsEx) init = nullptr;
        Resolve(l.module, "InitCommonControlsEx", init);
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                    ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS |
                                                    ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        if (init)
            init(&icc);
        return l;
    }();
    return lib;
}

} // namespace

bool EnsureCommonControls() {
    return Get().module != nullptr;
}

namespace comctl {

BOOL SetWindowSubclass(HWND h, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    const auto fn = Get().setSubclass;
    return fn ? fn(h, proc, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND h, SUBCLASSPROC proc, UINT_PTR id) {
    const auto fn = Get().removeSubclass;
    return fn ? fn(h, proc, id) : FALSE;
}

LRESULT DefSubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    const auto fn = Get().defSubclassProc;
    return fn ? fn(h, msg, wp, lp) : ::DefWindowProcA(h, msg, wp, lp);
}

INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header) {
    const auto fn = Get().propertySheet;
    return fn ? fn(header) : -1;
}

} // namespace comctl
