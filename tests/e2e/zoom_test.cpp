// The zoom window as the user sees it on a real screen.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/pages.h"

using namespace e2e;

constexpr COLORREF kMark = RGB(255, 0, 255);

// On every monitor (two under scripts/test-screens), the zoom window keeps to the pointer's.
TEST(Zoom, TheLargestSettingsFitOnThePointersMonitorBesideThePointer) {
    Program p;
    WriteIniSetting(Ini(p), "", "nWidth", 100);
    WriteIniSetting(Ini(p), "", "nFactor", 10); // 1000 pixels square: more than a monitor holds
    ASSERT_TRUE(p.StartAndWaitForTray());
    for (const MONITORINFO& monitor : Monitors()) {
        const RECT m = monitor.rcMonitor;
        const POINT spots[] = {{(m.left + m.right) / 2, (m.top + m.bottom) / 2},
                               {m.left + 40, m.top + 40},
                               {m.right - 30, m.bottom - 60}};
        for (const POINT& at : spots) {
            ScreenPatch mark({at.x - 10, at.y - 10, at.x + 10, at.y + 10},
                             ScreenPatch::Solid(kMark));
            ASSERT_TRUE(mark.Show());
            ASSERT_TRUE(MovePointer(at.x, at.y));
            RECT rc = {}, square = {at.x - 50, at.y - 50, at.x + 50, at.y + 50}, overlap;
            EXPECT_TRUE(ShowZoomOver(p, kMark, 20 * 20 * 2, rc))
                << "it magnifies the pixels under the pointer";
            EXPECT_TRUE(Inside(rc, m)) << at.x << "," << at.y << ": " << rc.left << "," << rc.top
                                       << "-" << rc.right << "," << rc.bottom;
            EXPECT_FALSE(::IntersectRect(&overlap, &rc, &square)) << "it covers what it magnifies";
            EXPECT_GE(rc.right - rc.left, 300) << "the largest size that fits, not the smallest";
            p.Command(ID_MAGNIFY); // hide
            ASSERT_TRUE(WaitFor([&] { return p.ZoomWindow() == nullptr; }));
        }
    }
}
