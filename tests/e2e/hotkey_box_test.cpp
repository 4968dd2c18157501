// The hotkey boxes of the Magnify, Color and Capture pages: what a box makes of typed keys, what
// OK stores, and the hotkey at work afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/e2e/pages.h"

using namespace e2e;

// A key typed alone gets Ctrl; a box takes the program's own hotkey (Alt+Z) while it has the
// focus. OK stores the hotkey and hands it to the hook library, which answers it from then on.
TEST(HotkeyBox, OkStoresTheTypedHotkeyAndTheLibraryAnswersIt) {
    const struct {
        int page, box;
        WORD key;
        bool alt;             // typed with Alt, else alone
        const char* settings; // the prefix of its stored key and modifiers
        UINT command;         // 0: the zoom window shows
    } boxes[] = {{kMagnifyPage, IDC_MAG_HOTKEY, 'Z', true, "", 0},
                 {kColorPage, IDC_COLOR_HOTKEY, 'K', false, "AutoClick", ID_PICKER_TOGGLE},
                 {kCapturePage, IDC_CAP_HOTKEY, 'K', false, "Capture", ID_CAPTURE}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.box);
        Program p;
        ASSERT_TRUE(p.StartAndWaitForTray());
        HWND page = OpenPage(p, b.page, b.box), box = page ? ::GetDlgItem(page, b.box) : nullptr;
        ASSERT_NE(box, nullptr);
        const BYTE mod = b.alt ? HOTKEYF_ALT : HOTKEYF_CONTROL;
        EXPECT_TRUE(TypeHotkey(box,
                               b.alt ? std::vector<WORD>{VK_MENU, b.key} : std::vector<WORD>{b.key},
                               MAKEWORD(b.key, mod)))
            << "the box shows " << std::hex << HotkeyOf(box);
        ASSERT_TRUE(PressSheetButton(p, IDOK));
        EXPECT_EQ(Stored(p, (std::string(b.settings) + "wKey").c_str()), b.key);
        EXPECT_EQ(Stored(p, (std::string(b.settings) + "wMod").c_str()), mod);
        const std::vector<WORD> chord = {WORD(b.alt ? VK_MENU : VK_CONTROL), b.key};
        if (b.command) {
            EXPECT_TRUE(PressHotkey(p, chord, b.command));
        } else {
            ASSERT_TRUE(MovePointer(500, 400));
            PressKeys(chord);
            EXPECT_TRUE(WaitFor([&] { return p.ZoomWindow() != nullptr; }));
        }
    }
}
