// Waiting in tests: runs this thread's messages until a condition holds or
// the time runs out, so windows of the test keep working while it waits.
#pragma once

#include <windows.h>

#include <functional>

template <class Done> bool PumpUntil(Done done, DWORD timeoutMs = 3000) {
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

namespace pump_detail {
inline std::function<void()> g_inside;
inline void CALLBACK RunInside(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    const std::function<void()> inside = std::move(g_inside);
    g_inside = nullptr;
    if (inside)
        inside();
}
} // namespace pump_detail

// Runs a modal loop (`run`: a dialog's or a sheet's DoModal), calls `inside` from within it once
// it dispatches messages, then `end`, which ends the loop (also when a check inside gave up
// early). The result is run's, or -2 when `inside` never ran, so that checks placed inside
// cannot pass by not happening.
template <class Run, class End>
INT_PTR InsideModal(Run run, const std::function<void()>& inside, End end) {
    bool ran = false;
    pump_detail::g_inside = [&] {
        ran = true;
        inside();
        end();
    };
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, pump_detail::RunInside);
    const INT_PTR result = run();
    ::KillTimer(nullptr, timer);
    pump_detail::g_inside = nullptr;
    return ran ? result : -2;
}
