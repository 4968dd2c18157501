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

    // What the watched process holds, counted from inside it.
    struct Objects {
        DWORD gdi = 0, user = 0;
        // Of gdi, when scanned: DCs and regions, which Wine's cache of window DCs holds in pairs
        // and grows to the most DCs ever in use at once.
        DWORD dcsAndRegions = 0;
        DWORD privateKb = 0;
        bool gdiScanned = false; // counted by scanning the handle table (Wine)
        DWORD Drawing() const { return gdi - dcsAndRegions; } // pens, brushes, fonts, bitmaps
    };
    // Asks the process to count (between two messages of its thread); false on time-out.
    bool CountObjects(Objects& out, DWORD timeoutMs = 10000);

    // Measures a control's text in its own font, inside the process (a font is the process's
    // own): one line's size, and the size of the text broken into lines of the control's
    // width (wider than that where a word is). False on time-out.
    bool MeasureText(HWND control, SIZE& line, SIZE& wrapped, DWORD timeoutMs = 10000);
    // Tells a window of the process that it now shows at `dpi`, as the system does when it
    // moves to a monitor of another scale. False on time-out.
    bool ChangeDpi(HWND window, UINT dpi, DWORD timeoutMs = 10000);

private:
    static LRESULT CALLBACK ReportProc(HWND, UINT, WPARAM, LPARAM);
    HWND m_target;
    HWND m_report = nullptr;
    HMODULE m_dll = nullptr;
    bool m_installed = false;
    std::vector<UINT> m_received;
    int m_counted = 0; // replies received, of two
    bool m_dpiChanged = false;
    Objects m_objects;
    bool m_measured = false;
    SIZE m_line = {}, m_wrapped = {};
};

} // namespace e2e
