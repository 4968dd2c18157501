// The Color page on a sheet in this process: its sampling timer lives only
// while the options window is open.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "color/AutoClickPage.h"
#include "framework/App.h"
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

CSkinnedSheet* s_sheet = nullptr;
void CALLBACK CloseSheet(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    s_sheet->EndDialog(IDCANCEL);
}

} // namespace

TEST(ColorPageTimer, GoesWithTheOptionsWindow) {
    if (!AfxGetApp()) {
        static CWinApp ownApp; // unless another test has made one
    }
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&icc);
    HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, CountTimers, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);

    CSkinnedSheet sheet("Options", nullptr, SkinScheme{});
    CAutoClick page;
    sheet.AddPage(&page);
    s_sheet = &sheet;
    // Half a second open, then closed by a one-shot timer of the test.
    ::SetTimer(nullptr, 0, 500, CloseSheet);
    s_timerMessages = 0;
    sheet.DoModal();
    EXPECT_GE(s_timerMessages, 1 + 3) << "the page samples every 100 ms while open";

    // Three ticks' time with the window closed: not one timer message.
    s_timerMessages = 0;
    EXPECT_FALSE(PumpUntil([] { return s_timerMessages > 0; }, 350));
    ::UnhookWindowsHookEx(hook);
}
