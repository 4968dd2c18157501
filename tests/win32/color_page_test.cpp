// The Color page on a sheet in this process: its sampling timer lives only
// while the options window is open.
#include <gtest/gtest.h>

#include <windows.h>

#include "color/AutoClickPage.h"
#include "skin/SkinnedSheet.h"
#include "tests/common/pump.h"

namespace {

// Timer messages this thread takes from its queue, whatever their window.
int s_timerMessages = 0;
LRESULT CALLBACK CountTimers(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE && reinterpret_cast<MSG*>(lp)->message == WM_TIMER)
        ++s_timerMessages;
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

} // namespace

TEST(ColorPageTimer, GoesWithTheOptionsWindow) {
    HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, CountTimers, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    CSkinnedSheet sheet("Options", nullptr, SkinScheme{});
    PickerState picker;
    CAutoClick page(picker);
    sheet.AddPage(&page);
    const auto open = [&] {
        s_timerMessages = 0;
        EXPECT_TRUE(PumpUntil([] { return s_timerMessages >= 3; })) << "the page samples";
    };
    EXPECT_EQ(
        InsideModal([&] { return sheet.DoModal(); }, open, [&] { sheet.EndDialog(IDCANCEL); }),
        IDCANCEL);
    // Three sampling periods (100 ms) with the window closed: not one timer message.
    s_timerMessages = 0;
    EXPECT_FALSE(PumpUntil([] { return s_timerMessages > 0; }, 350));
    ::UnhookWindowsHookEx(hook);
}
