// The zoom window as the user sees it on a real screen.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/pages.h"

using namespace e2e;

TEST(Zoom, TheLargestSettingsFitOnTheScreenBesideThePointer) {
    Program p;
    WriteIniSetting(Ini(p), "", "nWidth", 100);
    WriteIniSetting(Ini(p), "", "nFactor", 10); // 1000 pixels square: more than the screen holds
    ASSERT_TRUE(p.StartAndWaitForTray());
    const RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const POINT spots[] = {
        {screen.right / 2, screen.bottom / 2}, {40, 40}, {screen.right - 30, screen.bottom - 60}};
    for (const POINT& at : spots) {
        ASSERT_TRUE(MovePointer(at.x, at.y));
        p.Command(ID_MAGNIFY); // show
        HWND zoom = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (zoom = p.ZoomWindow()) != nullptr; }));
        RECT rc, square = {at.x - 50, at.y - 50, at.x + 50, at.y + 50}, overlap;
        ASSERT_TRUE(WaitFor([&] {
            ::GetWindowRect(zoom, &rc);
            return rc.right > rc.left;
        }));
        EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= screen.right &&
                    rc.bottom <= screen.bottom)
            << at.x << "," << at.y << ": " << rc.left << "," << rc.top << "-" << rc.right << ","
            << rc.bottom;
        EXPECT_FALSE(::IntersectRect(&overlap, &rc, &square)) << "it covers what it magnifies";
        EXPECT_GE(rc.right - rc.left, 300) << "the largest size that fits, not the smallest";
        p.Command(ID_MAGNIFY); // hide
        ASSERT_TRUE(WaitFor([&] { return p.ZoomWindow() == nullptr; }));
    }
}
