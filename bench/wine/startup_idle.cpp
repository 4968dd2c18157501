// What the program costs under Wine: time from start to its tray icon, and
// CPU time while it idles in the tray, each against the smallest program that
// makes one window and one tray icon (baseline_tray.exe), measured in the
// same run; then what a capture costs (capture_costs.cpp, 4 x N rounds) and
// what the skin dialog costs (skin_costs.cpp, 20 x N preview repaints per mode;
// --skin-only measures only that); then the zoom window's CPU while shown.
// --large-only measures only the capture, on a large desktop named by
// --desktop (N + 2 rounds for each size of selection the desktop holds, then
// --captures more, 50 unless told, for what they leave behind).
// `make bench` runs it under scripts/with-wine and it prints the ratios, then
// once more with --large-only on a 3840 x 2160 screen and on two monitors; the
// tests run only its short start-up check:
//   zen_wine_bench [--startup-only | --capture-only | --skin-only | --zoom-only |
//                  --large-only [--desktop NAME] [--captures C]] [--rounds N]
//                  [--idle-seconds S] [--max-start-ratio X]
// Exit status: 0 measured (and within --max-start-ratio when given); 1 a
// measurement could not be taken or the start-up ratio was too high; 2 usage.
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"
#include "bench/wine/measure.h"
#include "tests/e2e/harness.h"

using namespace bench;
using namespace e2e;

namespace {

const COLORREF kIconSwatch = RGB(0xf3, 0xc2, 0x1a);

bool IconShown() {
    return CountColour(TrayArea(), kIconSwatch, 30) > 4;
}

// The yardstick program, from the tests folder of the same build.
class Baseline {
public:
    bool Start() { return Launch(OwnDir() + "\\baseline_tray.exe", "", m_pi); }
    HANDLE Process() const { return m_pi.hProcess; }
    ~Baseline() {
        if (!m_pi.hProcess)
            return;
        if (HWND h = FindProcessWindow(m_pi.dwProcessId, "Baseline Tray"))
            ::PostMessageA(h, WM_COMMAND, ID_EXIT, 0);
        if (::WaitForSingleObject(m_pi.hProcess, 8000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_pi.hProcess, 1);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

double CpuSeconds(HANDLE process) {
    return Figures(process).cpuSeconds;
}

// Start to tray icon, alternating the yardstick and Zentrova; false if a
// measurement could not be taken.
bool MeasureStartup(int rounds, double& ratio) {
    if (!Need(WaitFor([] { return !IconShown(); }), "an empty notification area"))
        return false;
    std::vector<double> zen, base;
    for (int round = 0; round < rounds; ++round) {
        {
            Baseline b;
            double t0 = Now();
            if (!Need(b.Start(), "baseline_tray.exe to start") ||
                !Need(WaitFor(IconShown, 20000), "the tray icon of baseline_tray.exe"))
                return false;
            base.push_back(Now() - t0);
        }
        if (!Need(WaitFor([] { return !IconShown(); }), "baseline_tray.exe's icon to go"))
            return false;
        {
            Program p; // copies the program folder before the clock starts
            double t0 = Now();
            if (!Need(p.Start(), "Zentrova.exe to start") ||
                !Need(WaitFor(IconShown, 20000), "the tray icon of Zentrova.exe"))
                return false;
            zen.push_back(Now() - t0);
        }
        if (!Need(WaitFor([] { return !IconShown(); }), "Zentrova's icon to go"))
            return false;
    }
    ratio = Median(zen) / Median(base);
    std::printf("start to tray icon (median of %d): Zentrova %.0f ms, empty tray program %.0f ms, "
                "ratio %.2f\n",
                rounds, Median(zen) * 1000, Median(base) * 1000, ratio);
    return true;
}

// CPU time of both programs idling side by side in the tray.
bool MeasureIdle(int seconds) {
    Program p;
    if (!Need(p.StartAndWaitForTray(), "Zentrova's tray window \"&Hide Magnify\""))
        return false;
    Baseline b;
    if (!Need(b.Start(), "baseline_tray.exe to start") ||
        !Need(WaitFor([&] {
                  return FindProcessWindow(::GetProcessId(b.Process()), "Baseline Tray") != nullptr;
              }),
              "baseline_tray.exe's window \"Baseline Tray\"") ||
        !Need(WaitFor(IconShown), "a tray icon"))
        return false;
    // Let both settle after start-up before measuring.
    WaitFor([] { return false; }, 1000);
    double zen0 = CpuSeconds(p.Process()), base0 = CpuSeconds(b.Process());
    DWORD start = ::GetTickCount();
    DWORD span = static_cast<DWORD>(seconds) * 1000;
    WaitFor([&] { return ::GetTickCount() - start >= span; }, span + 1000);
    double zen1 = CpuSeconds(p.Process()), base1 = CpuSeconds(b.Process());
    if (!Need(p.Running(), "Zentrova to keep running while idle"))
        return false;
    if (zen0 < 0 || base0 < 0 || zen1 < 0 || base1 < 0) {
        std::fprintf(stderr, "zen_wine_bench: cannot read the processes' CPU times\n");
        return false;
    }
    double zen = zen1 - zen0, base = base1 - base0;
    std::printf("CPU over %d s idle: Zentrova %.3f s, empty tray program %.3f s, difference "
                "%+.3f s\n",
                seconds, zen, base, zen - base);
    const ProcessFigures zm = Figures(p.Process()), bm = Figures(b.Process());
    std::printf("memory at idle: private %.1f MB against %.1f MB, ratio %.2f (goal 1.3 or less); "
                "resident %.1f MB against %.1f MB, ratio %.2f\n",
                zm.privateBytes / 1048576.0, bm.privateBytes / 1048576.0,
                bm.privateBytes ? static_cast<double>(zm.privateBytes) / bm.privateBytes : 0.0,
                zm.workingSet / 1048576.0, bm.workingSet / 1048576.0,
                bm.workingSet ? static_cast<double>(zm.workingSet) / bm.workingSet : 0.0);
    return true;
}

// CPU time of Zentrova while its zoom window is shown and follows the pointer
// on its 15 ms timer (about 60 frames a second), as a share of one core. The
// pointer moves on every so often, as a user's would.
bool MeasureZoom(int seconds) {
    Program p;
    if (!Need(p.StartAndWaitForTray(), "Zentrova's tray window \"&Hide Magnify\""))
        return false;
    ::SetCursorPos(300, 300);
    p.Command(ID_MAGNIFY);
    if (!Need(WaitFor([&] { return p.ZoomWindow() != nullptr; }), "the zoom window"))
        return false;
    WaitFor([] { return false; }, 1000); // settled
    const double cpu0 = CpuSeconds(p.Process()), t0 = Now();
    const DWORD start = ::GetTickCount(), span = static_cast<DWORD>(seconds) * 1000;
    for (int step = 0; ::GetTickCount() - start < span; ++step) {
        ::SetCursorPos(300 + (step % 8) * 40, 300 + (step % 5) * 30);
        WaitFor([] { return false; }, 250);
    }
    const double cpu1 = CpuSeconds(p.Process()), t1 = Now();
    const bool shown = p.ZoomWindow() != nullptr;
    p.Command(ID_MAGNIFY);
    if (!Need(shown, "the zoom window to stay shown") || cpu0 < 0 || cpu1 < 0)
        return false;
    std::printf("zoom window shown for %d s, following the pointer: Zentrova %.3f s of CPU, "
                "%.1f %% of one core (goal 5 %% or less)\n",
                seconds, cpu1 - cpu0, 100.0 * (cpu1 - cpu0) / (t1 - t0));
    return true;
}

int Usage() {
    std::fprintf(stderr, "usage: zen_wine_bench [--startup-only | --capture-only | --skin-only | "
                         "--zoom-only | --large-only [--desktop NAME] [--captures C]] "
                         "[--rounds N] [--idle-seconds S] [--max-start-ratio X]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    bool startupOnly = false, captureOnly = false, skinOnly = false, zoomOnly = false,
         largeOnly = false;
    int rounds = 3, idleSeconds = 60, captures = 50;
    std::string desktop = "large desktop";
    double maxRatio = 0;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        bool hasValue = i + 1 < argc;
        if (!std::strcmp(a, "--startup-only"))
            startupOnly = true;
        else if (!std::strcmp(a, "--capture-only"))
            captureOnly = true;
        else if (!std::strcmp(a, "--skin-only"))
            skinOnly = true;
        else if (!std::strcmp(a, "--zoom-only"))
            zoomOnly = true;
        else if (!std::strcmp(a, "--large-only"))
            largeOnly = true;
        else if (!std::strcmp(a, "--desktop") && hasValue)
            desktop = argv[++i];
        else if (!std::strcmp(a, "--captures") && hasValue)
            captures = std::atoi(argv[++i]);
        else if (!std::strcmp(a, "--rounds") && hasValue)
            rounds = std::atoi(argv[++i]);
        else if (!std::strcmp(a, "--idle-seconds") && hasValue)
            idleSeconds = std::atoi(argv[++i]);
        else if (!std::strcmp(a, "--max-start-ratio") && hasValue)
            maxRatio = std::atof(argv[++i]);
        else
            return Usage();
    }
    if (rounds < 1 || idleSeconds < 1 || captures < 0)
        return Usage();
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (largeOnly)
        return MeasureLargeDesktop(desktop, rounds + 2, captures) ? 0 : 1;
    if (skinOnly)
        return MeasureSkin(rounds * 20) ? 0 : 1;
    if (zoomOnly)
        return MeasureZoom(20) ? 0 : 1;

    if (captureOnly)
        return MeasureCapture(rounds * 4) ? 0 : 1;
    double ratio = 0;
    if (!MeasureStartup(rounds, ratio))
        return 1;
    if (maxRatio > 0 && ratio >= maxRatio) {
        std::printf("start-up takes %.2f times as long as an empty tray program's (limit %.1f)\n",
                    ratio, maxRatio);
        return 1;
    }
    if (!startupOnly && (!MeasureCapture(rounds * 4) || !MeasureSkin(rounds * 20) ||
                         !MeasureZoom(20) || !MeasureIdle(idleSeconds)))
        return 1;
    return 0;
}
