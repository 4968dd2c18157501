// HTML Help through hhctrl.ocx, loaded when first needed so that a missing
// viewer costs nothing at start-up and never stops the program.
#include "framework/HtmlHelp.h"

#include <cstring>

namespace {

constexpr UINT kDisplayTopic = 0x0000;
constexpr UINT kDisplayTextPopup = 0x000E;

struct HhPopup {
    int cbStruct;
    HINSTANCE hinst;
    UINT idString;
    LPCSTR pszText;
    POINT pt;
    COLORREF clrForeground;
    COLORREF clrBackground;
    RECT rcMargins;
    LPCSTR pszFont;
};

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpFn Viewer() {
    static HtmlHelpFn fn = [] {
        HMODULE m = ::LoadLibraryA("hhctrl.ocx");
        return m ? reinterpret_cast<HtmlHelpFn>(
                       reinterpret_cast<void*>(::GetProcAddress(m, "HtmlHelpA")))
                 : nullptr;
    }();
    return fn;
}

} // namespace

std::string MakeHelpPath(const char* schemePath, const char* topic) {
    std::string path = schemePath ? schemePath : "";
    size_t at = path.find("scheme.dat");
    if (at != std::string::npos)
        path = path.substr(0, at) + "zentrova.chm::/" + topic;
    return path;
}

HWND HtmlHelpDisplayTopic(HWND owner, const std::string& path) {
    HtmlHelpFn fn = Viewer();
    return fn ? fn(owner, path.c_str(), kDisplayTopic, 0) : nullptr;
}

HWND HtmlHelpTextPopup(HWND owner, const char* text, POINT at) {
    HtmlHelpFn fn = Viewer();
    if (!fn)
        return nullptr;
    HhPopup popup = {};
    popup.cbStruct = sizeof popup;
    popup.pszText = text;
    popup.pt = at;
    popup.clrForeground = static_cast<COLORREF>(-1);
    popup.clrBackground = static_cast<COLORREF>(-1);
    popup.rcMargins = {-1, -1, -1, -1};
    return fn(owner, nullptr, kDisplayTextPopup, reinterpret_cast<DWORD_PTR>(&popup));
}
