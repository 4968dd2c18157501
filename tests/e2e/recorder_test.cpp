// The input recorder leaves the keyboard as the user had it.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "tests/e2e/pages.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace {

bool Held(int vk) {
    return (::GetAsyncKeyState(vk) & 0x8000) != 0;
}

} // namespace

TEST(Recorder, PlaybackLeavesNoKeyHeldDown) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    Spy spy(p.TrayWindow());
    // Ctrl+Alt+R twice in one batch, as fast typing sends it: the first only
    // stops, the second records, from inside its own chord.
    std::vector<INPUT> twice;
    for (int i = 0; i < 2; ++i)
        for (bool up : {false, true})
            for (WORD vk : up ? std::vector<WORD>{'R', VK_MENU, VK_CONTROL}
                              : std::vector<WORD>{VK_CONTROL, VK_MENU, 'R'}) {
                INPUT in = {};
                in.type = INPUT_KEYBOARD;
                in.ki.wVk = vk;
                in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
                in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
                twice.push_back(in);
            }
    ::SendInput(static_cast<UINT>(twice.size()), twice.data(), sizeof(INPUT));
    ASSERT_TRUE(spy.WaitFor(ID_RECORD_TOGGLE));
    ASSERT_TRUE(spy.WaitFor(ID_RECORD_TOGGLE));
    ASSERT_TRUE(spy.WaitIdle());
    ASSERT_TRUE(MovePointer(600, 450));
    PressKeys({VK_CONTROL, VK_MENU, 'R'}); // stop
    ASSERT_TRUE(spy.WaitFor(ID_RECORD_TOGGLE));
    ASSERT_TRUE(spy.WaitIdle());

    ASSERT_TRUE(MovePointer(100, 100));
    PressKeys({VK_CONTROL, VK_MENU, 'P'});
    ASSERT_TRUE(spy.WaitFor(ID_PLAYBACK));
    ASSERT_TRUE(WaitFor([] { return CursorAt(600, 450); })) << "the move was not played";
    EXPECT_TRUE(WaitFor([] { return !Held(VK_CONTROL) && !Held(VK_MENU); }))
        << "Ctrl " << Held(VK_CONTROL) << ", Alt " << Held(VK_MENU) << " left down";
    // And the hotkeys still work.
    PressKeys({VK_MENU, 'Z'});
    EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "Alt+Z no longer works";
}
