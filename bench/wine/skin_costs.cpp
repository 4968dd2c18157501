// What the skin dialog costs under Wine:
//  - one repaint of its live preview (the 240 x 180 picture generated from a look and drawn on a
//    window on the screen), in this process through the program's own painter, for every
//    pattern mode, against one frame at 60 Hz (16.7 ms);
//  - what opening and closing the skin dialog 50 times (About, "&Skin", Esc) leaves behind
//    against what the first opening left: private bytes and kernel handles, and GDI objects
//    where the system counts them (Wine's GetGuiResources answers 0).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "bench/wine/measure.h"
#include "core/SkinPainter.h"
#include "res/resource.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace bench {
namespace {

constexpr double kFrameMs = 1000.0 / 60;

bool MeasurePreview(int rounds) {
    HWND window = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                    300, 260, nullptr, nullptr, nullptr, nullptr);
    if (!Need(window != nullptr, "a window to draw the preview on"))
        return false;
    HDC dc = ::GetDC(window);
    CSkinBitmap preview;
    std::vector<double> all;
    double worst = 0;
    int worstMode = 0;
    for (int mode = 0; mode <= 8; ++mode) {
        SkinLook look;
        look.mode = mode;
        look.granularity = 30;
        look.coloring = 40;
        look.red = 90;
        look.green = 150;
        look.blue = 230;
        std::vector<double> times;
        for (int i = 0; i < rounds; ++i) {
            const double t0 = Now();
            GenerateSkin(preview, 240, 180, look, CurrentSkinSystemColors());
            preview.Draw(dc, 30, 60);
            ::GdiFlush();
            times.push_back((Now() - t0) * 1000);
        }
        const double median = Median(times);
        all.insert(all.end(), times.begin(), times.end());
        if (median > worst) {
            worst = median;
            worstMode = mode;
        }
    }
    ::ReleaseDC(window, dc);
    ::DestroyWindow(window);
    std::printf("skin preview repaint, 240 x 180 generated and drawn (median of %d per mode, modes "
                "0 to 8): %.2f ms, slowest mode %d %.2f ms; %.2f of a 60 Hz frame (goal 0.5 or "
                "less)\n",
                rounds, Median(all), worstMode, worst, worst / kFrameMs);
    return true;
}

// About, "&Skin", and Esc once the skin dialog shows.
bool OpenAndCloseSkinDialog(const Program& p) {
    p.Command(ID_OPTIONS);
    HWND sheet = nullptr;
    if (!Need(WaitFor([&] { return (sheet = p.Sheet()) && ::IsWindowVisible(sheet); }),
              "the options window"))
        return false;
    ::SendMessageA(sheet, PSM_SETCURSEL, 3, 0);
    HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_SKIN, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_ABOUT_SKIN)));
    HWND dialog = nullptr;
    if (!Need(WaitFor([&] {
                  dialog = FindProcessWindowByClass(p.Pid(), "#32770");
                  return dialog && ::GetDlgItem(dialog, IDC_SKIN_LIST);
              }),
              "the skin dialog"))
        return false;
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return Need(WaitFor([&] { return !::IsWindow(dialog) && p.Sheet() == nullptr; }),
                "the skin dialog and the options window to close");
}

bool MeasureOpenings() {
    Program p;
    if (!Need(p.UseShippedSkins() && p.StartAndWaitForTray(), "Zentrova's tray window") ||
        !OpenAndCloseSkinDialog(p))
        return false;
    SIZE_T private1 = 0, private50 = 0;
    DWORD handles1 = 0, handles50 = 0;
    const DWORD gdi1 = ::GetGuiResources(p.Process(), GR_GDIOBJECTS);
    if (!Need(Footprint(p.Process(), private1, handles1), "Zentrova's memory counters"))
        return false;
    for (int i = 0; i < 50; ++i)
        if (!OpenAndCloseSkinDialog(p))
            return false;
    const DWORD gdi50 = ::GetGuiResources(p.Process(), GR_GDIOBJECTS);
    if (!Need(Footprint(p.Process(), private50, handles50), "Zentrova's memory counters"))
        return false;
    std::printf("skin dialog opened and closed once, then 50 more times: private bytes %.0f KiB "
                "then %.0f KiB (%+.0f KiB), kernel handles %lu then %lu",
                private1 / 1024.0, private50 / 1024.0,
                (static_cast<double>(private50) - static_cast<double>(private1)) / 1024.0,
                static_cast<unsigned long>(handles1), static_cast<unsigned long>(handles50));
    if (gdi1 || gdi50)
        std::printf(", GDI objects %lu then %lu\n", static_cast<unsigned long>(gdi1),
                    static_cast<unsigned long>(gdi50));
    else
        std::printf(" (GetGuiResources counts no GDI objects here)\n");
    return true;
}

} // namespace

bool MeasureSkin(int rounds) {
    return MeasurePreview(rounds) && MeasureOpenings();
}

} // namespace bench
