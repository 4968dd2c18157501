// What the Wine measurements share: a clock, medians, waits that must succeed and the folder
// of the measuring program.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// A wait that must succeed: on time-out, says what it waited for.
inline bool Need(bool ok, const char* what) {
    if (!ok)
        std::fprintf(stderr, "zen_wine_bench: timed out waiting for %s\n", what);
    return ok;
}

inline std::string OwnDir() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Seconds on the performance counter.
inline double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// One process's entry in the system's process list (capture_costs.cpp): under Wine,
// GetProcessTimes and the memory counters asked of another process's handle report the caller's
// own or nothing, while the list reads each process's real ones.
struct ProcessFigures {
    bool listed = false;
    double cpuSeconds = -1;  // user and kernel
    SIZE_T privateBytes = 0; // page-file usage: Wine's resident anonymous memory
    SIZE_T workingSet = 0;
    DWORD handles = 0; // kernel handles
};
ProcessFigures Figures(HANDLE process);

// Private bytes and kernel handles of another process; false if the process is not listed.
inline bool Footprint(HANDLE process, SIZE_T& privateBytes, DWORD& handles) {
    const ProcessFigures f = Figures(process);
    privateBytes = f.privateBytes;
    handles = f.handles;
    return f.listed;
}

// The capture figures (capture_costs.cpp); false if a measurement could not be taken.
bool MeasureCapture(int rounds);
// The capture on a large desktop (capture_costs.cpp), its rows labelled with `name`: the overlay,
// release to clipboard by the selection's size, and what `captures` more captures leave (none
// when 0).
bool MeasureLargeDesktop(const std::string& name, int rounds, int captures);
// The skin dialog's figures (skin_costs.cpp): one preview repaint, and what 50 openings leave.
bool MeasureSkin(int rounds);

} // namespace bench
