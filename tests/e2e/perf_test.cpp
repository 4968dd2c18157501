// What the program costs: time from start to its tray icon, and CPU time
// while it idles in the tray, each against the smallest program that makes
// one window and one tray icon (baseline_tray.exe), measured in the same run.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

const COLORREF kIconSwatch = RGB(0xf3, 0xc2, 0x1a);

bool IconShown() {
    return CountColour(TrayArea(), kIconSwatch, 30) > 4;
}

std::string TestsDir() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\'));
}

// The yardstick program, started from the tests folder.
class Baseline {
public:
    bool Start() { return Launch(TestsDir() + "\\baseline_tray.exe", "", m_pi); }
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

double Seconds(const FILETIME& kernel, const FILETIME& user) {
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return static_cast<double>(k.QuadPart + u.QuadPart) / 1e7;
}

double CpuSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    return Seconds(kernel, user);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

TEST(Performance, StartToTrayIconAgainstAnEmptyTrayProgram) {
    ASSERT_TRUE(WaitFor([] { return !IconShown(); }));
    std::vector<double> zen, base;
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    auto now = [&] {
        LARGE_INTEGER t;
        ::QueryPerformanceCounter(&t);
        return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
    };
    for (int round = 0; round < 3; ++round) {
        {
            Baseline b;
            double t0 = now();
            ASSERT_TRUE(b.Start());
            ASSERT_TRUE(WaitFor(IconShown, 20000));
            base.push_back(now() - t0);
        }
        ASSERT_TRUE(WaitFor([] { return !IconShown(); }));
        {
            Program p;
            double t0 = now();
            ASSERT_TRUE(p.Start());
            ASSERT_TRUE(WaitFor(IconShown, 20000));
            zen.push_back(now() - t0);
        }
        ASSERT_TRUE(WaitFor([] { return !IconShown(); }));
    }
    double ratio = Median(zen) / Median(base);
    std::printf("start to tray icon: Zentrova %.0f ms, empty tray program %.0f ms, ratio %.2f\n",
                Median(zen) * 1000, Median(base) * 1000, ratio);
    RecordProperty("start_ratio_x100", static_cast<int>(ratio * 100));
    EXPECT_LT(ratio, 3.0) << "start-up does much more than an empty tray program";
}

TEST(Performance, IdleInTheTrayCostsNoCpu) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    Baseline b;
    ASSERT_TRUE(b.Start());
    ASSERT_TRUE(WaitFor([&] {
        return FindProcessWindow(::GetProcessId(b.Process()), "Baseline Tray") != nullptr;
    }));
    // Let both settle after start-up before measuring.
    ASSERT_TRUE(WaitFor([] { return IconShown(); }));
    double zen0 = CpuSeconds(p.Process()), base0 = CpuSeconds(b.Process());
    DWORD start = ::GetTickCount();
    // The measurement window itself: 60 s of doing nothing.
    WaitFor([&] { return ::GetTickCount() - start >= 60000; }, 61000);
    double zen = CpuSeconds(p.Process()) - zen0, base = CpuSeconds(b.Process()) - base0;
    std::printf("CPU over 60 s idle: Zentrova %.3f s, empty tray program %.3f s\n", zen, base);
    RecordProperty("idle_cpu_ms", static_cast<int>(zen * 1000));
    EXPECT_LE(zen, base + 0.05) << "Zentrova uses CPU while idle";
}
