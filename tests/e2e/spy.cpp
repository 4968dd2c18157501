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
    m_dll = ::LoadLibraryA("zen_msgspy.dll");
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
    if (m == kReportMsg) {
        if (auto* self = reinterpret_cast<Spy*>(::GetWindowLongPtrA(h, GWLP_USERDATA)))
            self->m_received.push_back(LOWORD(w));
        return 0;
    }
    return ::DefWindowProcA(h, m, w, l);
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

bool Spy::WaitIdle(DWORD timeoutMs) const {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(m_target, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

} // namespace e2e
