// Command spy.
#include "tests/e2e/spy.h"

#include <algorithm>

#include "tests/e2e/harness.h"

namespace e2e {

namespace {
constexpr UINT kReportMsg = WM_APP + 17;
using SpyFn = BOOL (*)(HWND, HWND, UINT);

// The library's one entry: starts reporting the target's commands, or stops with nullptr.
SpyFn SpyOnCommands(HMODULE dll) {
    return dll ? reinterpret_cast<SpyFn>(
                     reinterpret_cast<void*>(::GetProcAddress(dll, "SpyOnCommands")))
               : nullptr;
}
} // namespace

Spy::Spy(HWND target) : m_target(target) {
    WNDCLASSA wc = {0,       ReportProc, 0,       0,       ::GetModuleHandleA(nullptr),
                    nullptr, nullptr,    nullptr, nullptr, "ZenSpyReport"};
    ::RegisterClassA(&wc);
    m_report = ::CreateWindowA("ZenSpyReport", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, this);
    ::SetWindowLongPtrA(m_report, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Beside the test, or beside the tests for the programs that are not tests.
    m_dll = ::LoadLibraryA("zen_msgspy.dll");
    if (!m_dll)
        m_dll = ::LoadLibraryA((BinDir() + "\\..\\tests\\zen_msgspy.dll").c_str());
    const SpyFn fn = SpyOnCommands(m_dll);
    m_installed = fn && fn(target, m_report, kReportMsg);
}

Spy::~Spy() {
    if (const SpyFn fn = SpyOnCommands(m_dll))
        fn(nullptr, nullptr, 0);
    if (m_dll)
        ::FreeLibrary(m_dll);
    ::DestroyWindow(m_report);
}

LRESULT CALLBACK Spy::ReportProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<Spy*>(::GetWindowLongPtrA(h, GWLP_USERDATA));
    if (!self || m < kReportMsg || m > kReportMsg + 4)
        return ::DefWindowProcA(h, m, w, l);
    switch (m - kReportMsg) {
    case 0: // a command taken
        self->m_received.push_back(LOWORD(w));
        break;
    case 1: { // the objects counted
        const DWORD packed = static_cast<DWORD>(w);
        self->m_objects.gdi = packed >> 16 & 0x7FFF;
        self->m_objects.gdiScanned = (packed & 0x80000000u) != 0;
        self->m_objects.user = packed & 0xFFFF;
        self->m_objects.privateKb = static_cast<DWORD>(l);
        ++self->m_counted;
        break;
    }
    case 2: // of them, DCs and regions
        self->m_objects.dcsAndRegions = static_cast<DWORD>(w);
        ++self->m_counted;
        break;
    case 3: // a text measured
        self->m_line = {LOWORD(w), HIWORD(w)};
        self->m_wrapped = {LOWORD(l), HIWORD(l)};
        self->m_measured = true;
        break;
    case 4: // the DPI changed
        self->m_dpiChanged = true;
        break;
    }
    return 0;
}

bool Spy::MeasureText(HWND control, SIZE& line, SIZE& wrapped, DWORD timeoutMs) {
    static const UINT request = ::RegisterWindowMessageA("ZenSpyMeasureText");
    m_measured = false;
    if (!m_installed || !::PostMessageA(m_target, request, reinterpret_cast<WPARAM>(control), 0) ||
        !e2e::WaitFor([&] { return m_measured; }, timeoutMs))
        return false;
    line = m_line;
    wrapped = m_wrapped;
    return true;
}

bool Spy::ChangeDpi(HWND window, UINT dpi, DWORD timeoutMs) {
    static const UINT request = ::RegisterWindowMessageA("ZenSpyChangeDpi");
    m_dpiChanged = false;
    return m_installed &&
           ::PostMessageA(m_target, request, reinterpret_cast<WPARAM>(window), dpi) &&
           e2e::WaitFor([&] { return m_dpiChanged; }, timeoutMs);
}

bool Spy::WaitFor(UINT commandId, DWORD timeoutMs) {
    return e2e::WaitFor(
        [&] {
            auto it = std::find(m_received.begin(), m_received.end(), commandId);
            if (it == m_received.end())
                return false;
            m_received.erase(it);
            return true;
        },
        timeoutMs);
}

bool Spy::CountObjects(Objects& out, DWORD timeoutMs) {
    static const UINT request = ::RegisterWindowMessageA("ZenSpyCountObjects");
    m_counted = 0;
    if (!m_installed || !::PostMessageA(m_target, request, 0, 0) ||
        !e2e::WaitFor([&] { return m_counted == 2; }, timeoutMs))
        return false;
    out = m_objects;
    return true;
}

bool Spy::WaitIdle(DWORD timeoutMs) const {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(m_target, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

} // namespace e2e
