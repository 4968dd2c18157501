// Watches the commands a window of the program takes from its queue, through
// the test-only hook library zen_msgspy.dll; the program itself is unchanged.
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

class Spy {
public:
    explicit Spy(HWND target);
    ~Spy();
    Spy(const Spy&) = delete;
    Spy& operator=(const Spy&) = delete;

    // Waits for the command to arrive (consuming it); false on time-out.
    bool WaitFor(UINT commandId, DWORD timeoutMs = 10000);
    // Waits until the window's thread has finished what it was doing (a sent
    // message comes back only once the thread reads its queue again).
    bool WaitIdle(DWORD timeoutMs = 10000) const;
    bool Installed() const { return m_installed; }

private:
    static LRESULT CALLBACK ReportProc(HWND, UINT, WPARAM, LPARAM);
    HWND m_target;
    HWND m_report = nullptr;
    HMODULE m_dll = nullptr;
    bool m_installed = false;
    std::vector<UINT> m_received;
};

} // namespace e2e
