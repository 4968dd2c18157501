// The library's global hotkeys.
#include "hooklib/Hotkeys.h"

#include "hooklib/ZoomLayout.h"
#include "res/resource.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quillet {

namespace {

const wchar_t kHotkeyClass[] = L"QuilletHotkeys";

// What each slot's hotkey asks of the tray window. The magnifier hotkey goes
// through the tray's Magnify command rather than toggling the zoom window
// here, so the tray icon always follows the zoom window.
const WORD kSlotCommand[kHotkeySlots] = {ID_CAPTURE, ID_PICKER_TOGGLE, ID_MAGNIFY, ID_RECORD_TOGGLE,
                                         ID_PLAYBACK};

// Hotkey ids are the slot numbers plus one (0 would be a valid id too, but
// reads like "none" in a debugger).
int HotkeyId(int slot) {
    return slot + 1;
}

} // namespace

CHotkeys::CHotkeys() {
    for (Binding& b : m_bindings)
        b = {0, 0, false};
    // Recording and playback of input have fixed keys: Ctrl+Alt+R and Ctrl+Alt+P.
    m_bindings[kHotkeyRecord] = {'R', MOD_CONTROL | MOD_ALT, false};
    m_bindings[kHotkeyPlayback] = {'P', MOD_CONTROL | MOD_ALT, false};
}

void CHotkeys::Set(HotkeySlot slot, unsigned short key, unsigned short hotkeyFlags) {
    Release(slot);
    m_bindings[slot].vk = HotkeyVirtualKey(key);
    m_bindings[slot].mods = HotkeyFlagsToModifiers(hotkeyFlags);
    Register(slot);
}

void CHotkeys::Attach(HWND target) {
    const bool wasLive = Live();
    m_target = target;
    if (wasLive && !Live())
        ReleaseAll();
    else if (!wasLive && Live())
        RegisterAll();
}

void CHotkeys::Start() {
    if (m_window == nullptr) {
        const HINSTANCE instance = reinterpret_cast<HINSTANCE>(&__ImageBase);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = kHotkeyClass;
        RegisterClassExW(&wc); // fails harmlessly when the class exists already
        m_window = CreateWindowExW(0, kHotkeyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   instance, this);
    }
    m_started = true;
    RegisterAll();
}

void CHotkeys::Register(int slot) {
    Binding& b = m_bindings[slot];
    if (!Live() || b.registered || b.vk == 0)
        return;
    // Holding a hotkey down must not repeat its command (the zoom window
    // would flicker on and off). Windows 7 and later honour MOD_NOREPEAT; an
    // older system refuses the flag and gets the plain registration.
    b.registered = RegisterHotKey(m_window, HotkeyId(slot), b.mods | MOD_NOREPEAT, b.vk) ||
                   RegisterHotKey(m_window, HotkeyId(slot), b.mods, b.vk);
    // A combination held by another program stays with it, without complaint.
}

void CHotkeys::Release(int slot) {
    Binding& b = m_bindings[slot];
    if (b.registered)
        UnregisterHotKey(m_window, HotkeyId(slot));
    b.registered = false;
}

void CHotkeys::ReleaseAll() {
    for (int slot = 0; slot < kHotkeySlots; ++slot)
        Release(slot);
}

void CHotkeys::RegisterAll() {
    for (int slot = 0; slot < kHotkeySlots; ++slot)
        Register(slot);
}

void CHotkeys::OnHotkey(WPARAM id) const {
    if (id < 1 || id > static_cast<WPARAM>(kHotkeySlots) || m_target == nullptr)
        return;
    PostMessageW(m_target, WM_COMMAND, MAKEWPARAM(kSlotCommand[id - 1], 0), 0);
}

LRESULT CALLBACK CHotkeys::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CHotkeys*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_HOTKEY && self != nullptr) {
        self->OnHotkey(wParam);
        return 0;
    }
    if (msg == WM_NCDESTROY && self != nullptr) {
        // The system drops the window's hotkeys with it.
        for (Binding& b : self->m_bindings)
            b.registered = false;
        self->m_window = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace quillet
