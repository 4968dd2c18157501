// The input recorder end to end: the hotkeys that start and stop it, a recording stopped by the
// toggle or by F2, its playback with the recorded timing, and the keyboard left as the user had
// it.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "tests/e2e/pages.h"

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
    ASSERT_TRUE(spy.Installed());
    // Away from where the recorded move goes: a pointer already there makes no move to record.
    ASSERT_TRUE(MovePointer(100, 100));
    // Ctrl+Alt+R twice in one batch, as fast typing sends it: the first after start-up only
    // stops, the second records, from inside its own chord.
    std::vector<WORD> twice = {VK_CONTROL, VK_MENU, 'R'};
    std::vector<INPUT> batch;
    for (int i = 0; i < 2; ++i)
        for (bool up : {false, true})
            for (int k = 0; k < 3; ++k) {
                INPUT in = {};
                in.type = INPUT_KEYBOARD;
                in.ki.wVk = twice[up ? 2 - k : k];
                in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(in.ki.wVk, MAPVK_VK_TO_VSC));
                in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
                batch.push_back(in);
            }
    ::SendInput(static_cast<UINT>(batch.size()), batch.data(), sizeof(INPUT));
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
    POINT at = {};
    ASSERT_TRUE(WaitFor([&] { return ::GetCursorPos(&at) && at.x == 600 && at.y == 450; }))
        << "the move was not played: the pointer is at " << at.x << "," << at.y;
    EXPECT_TRUE(WaitFor([] { return !Held(VK_CONTROL) && !Held(VK_MENU); }))
        << "Ctrl " << Held(VK_CONTROL) << ", Alt " << Held(VK_MENU) << " left down";
    // And the other hotkeys still work.
    PressKeys({VK_MENU, 'Z'});
    EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; })) << "Alt+Z no longer works";
}

// A burst of typing into a window of the test, stopped by F2, which is not recorded; played back
// once.
TEST(Recorder, RecordsABurstOfTypingUntilF2AndPlaysItOnce) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    Spy spy(p.TrayWindow());
    ASSERT_TRUE(spy.Installed());
    HWND edit = ::CreateWindowExA(WS_EX_TOPMOST, "EDIT", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 300,
                                  300, 300, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    auto focusEdit = [&] {
        ::SetForegroundWindow(edit);
        ::SetFocus(edit);
        return WaitFor([&] { return ::GetFocus() == edit; }, 3000);
    };
    for (int i = 0; i < 2; ++i) { // the first toggle after start-up only stops
        PressKeys({VK_CONTROL, VK_MENU, 'R'});
        ASSERT_TRUE(spy.WaitFor(ID_RECORD_TOGGLE));
    }
    ASSERT_TRUE(spy.WaitIdle());
    ASSERT_TRUE(focusEdit());
    TypeText("zen");
    ASSERT_TRUE(WaitFor([&] { return WindowText(edit) == "zen"; }));
    PressKeys({VK_F2});
    ASSERT_TRUE(spy.WaitIdle());
    for (const char* played : {"zen", ""}) { // playback consumes the list
        ::SetWindowTextA(edit, "");
        ASSERT_TRUE(focusEdit());
        PressKeys({VK_CONTROL, VK_MENU, 'P'});
        ASSERT_TRUE(spy.WaitFor(ID_PLAYBACK));
        EXPECT_TRUE(WaitFor([&] { return WindowText(edit) == played; }))
            << "played back: '" << WindowText(edit) << "'";
        ASSERT_TRUE(spy.WaitIdle());
        EXPECT_EQ(WindowText(edit), played);
    }
    ::DestroyWindow(edit);
}

// Whatever ends a recording, F2 or the toggle, leaves the toggle in step: the next Ctrl+Alt+R
// starts a new recording, and nothing typed after the last stop is played back. The tray icon
// shows busy while a recording runs.
TEST(Recorder, AfterF2TheNextToggleStartsANewRecording) {
    Program p;
    ASSERT_TRUE(p.StartAndWaitForTray());
    ASSERT_TRUE(WaitFor(IconShown));
    Spy spy(p.TrayWindow());
    ASSERT_TRUE(spy.Installed());
    HWND edit = ::CreateWindowExA(WS_EX_TOPMOST, "EDIT", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 300,
                                  300, 300, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    const auto typeIntoEdit = [&](const char* text, const char* shows) {
        ::SetForegroundWindow(edit);
        ::SetFocus(edit);
        if (!WaitFor([&] { return ::GetFocus() == edit; }, 3000))
            return false;
        TypeText(text);
        return WaitFor([&] { return WindowText(edit) == shows; });
    };
    const auto toggle = [&](int times, bool recording) {
        for (int i = 0; i < times; ++i) {
            PressKeys({VK_CONTROL, VK_MENU, 'R'});
            if (!spy.WaitFor(ID_RECORD_TOGGLE))
                return false;
        }
        return spy.WaitIdle() && WaitFor([&] { return BusyIconShown() == recording; });
    };
    ASSERT_TRUE(toggle(2, true)) << "the first two toggles start a recording";
    ASSERT_TRUE(typeIntoEdit("ab", "ab"));
    PressKeys({VK_F2});
    ASSERT_TRUE(WaitFor([] { return !BusyIconShown(); })) << "F2 ended the recording";
    ASSERT_TRUE(toggle(1, true)) << "the toggle after F2 starts a recording";
    ASSERT_TRUE(typeIntoEdit("cd", "abcd"));
    ASSERT_TRUE(toggle(1, false));
    ::SetWindowTextA(edit, "");
    ASSERT_TRUE(typeIntoEdit("e", "e"));
    PressKeys({VK_F2});
    PressKeys({VK_CONTROL, VK_MENU, 'P'});
    ASSERT_TRUE(spy.WaitFor(ID_PLAYBACK));
    EXPECT_TRUE(WaitFor([&] { return WindowText(edit) == "eabcd"; }))
        << "played back: '" << WindowText(edit) << "'";
    ::DestroyWindow(edit);
}
