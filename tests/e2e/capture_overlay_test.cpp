// Screen capture end to end: the overlay over known pixels, the clipboard, the result dialog and
// its files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// Text on the clipboard, to see whether a capture replaced it.
void PutClipboardText(const char* text) {
    ASSERT_TRUE(WaitFor([] { return ::OpenClipboard(nullptr) != 0; }));
    ::EmptyClipboard();
    const size_t n = std::strlen(text) + 1;
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, n);
    std::memcpy(::GlobalLock(mem), text, n);
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_TEXT, mem);
    ::CloseClipboard();
}
bool ClipboardHasText() {
    return ::IsClipboardFormatAvailable(CF_TEXT) && !::IsClipboardFormatAvailable(CF_BITMAP);
}

// The clipboard's picture as 0x00RRGGBB rows from the top, read from its bitmap or from its DIB
// (24 or 32 bits, bottom-up); false without one.
bool ClipboardPixels(int& w, int& h, std::vector<DWORD>& px, bool dib = false) {
    if (!WaitFor([] { return ::OpenClipboard(nullptr) != 0; }))
        return false;
    bool ok = false;
    if (HBITMAP bmp = dib ? nullptr : static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
        BITMAP bm = {};
        if (::GetObjectA(bmp, sizeof bm, &bm) == sizeof bm) {
            w = bm.bmWidth;
            h = bm.bmHeight;
            px.assign(static_cast<size_t>(w) * h, 0);
            BITMAPINFO bi = {};
            bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            HDC screen = ::GetDC(nullptr);
            ok = ::GetDIBits(screen, bmp, 0, h, px.data(), &bi, DIB_RGB_COLORS) == h;
            ::ReleaseDC(nullptr, screen);
        }
    } else if (HGLOBAL mem = dib ? ::GetClipboardData(CF_DIB) : nullptr) {
        const auto* info = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(mem));
        const int bpp = info ? info->biBitCount : 0;
        if (info && (bpp == 24 || bpp == 32) && info->biHeight > 0) {
            w = info->biWidth;
            h = info->biHeight;
            const auto* bits = reinterpret_cast<const BYTE*>(info) + info->biSize;
            const size_t stride = (static_cast<size_t>(w) * bpp / 8 + 3) & ~size_t{3};
            px.assign(static_cast<size_t>(w) * h, 0);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const BYTE* b = bits + (h - 1 - y) * stride + x * (bpp / 8);
                    px[static_cast<size_t>(y) * w + x] = b[2] << 16 | b[1] << 8 | b[0];
                }
            ok = true;
        }
        ::GlobalUnlock(mem);
    }
    ::CloseClipboard();
    for (DWORD& p : px)
        p &= 0xFFFFFF;
    return ok;
}

// Presses "&Save as file" and saves under the typed name, as the type of that index (0: BMP).
void SaveAs(HWND result, const std::string& name, int type = 0) {
    ::PostMessageA(result, WM_COMMAND, MAKEWPARAM(IDC_CAPTURE_SAVE, BN_CLICKED), 0);
    ASSERT_TRUE(AnswerFileDialog(result, name, type));
}

class Capture : public ::testing::Test {
protected:
    void SetUp() override {
        WriteScheme(m_p);
        ASSERT_TRUE(m_p.StartAndWaitForTray());
    }
    void TearDown() override { m_p.Stop(); }

    // Whether the pixel at p shows inverted against the frozen picture (taken beforehand).
    bool BandCornerAt(POINT p) const {
        const RECT one = {p.x, p.y, p.x + 1, p.y + 1};
        return ScreenPixels(one)[0] == (~m_before & 0xFFFFFF);
    }
    // Drags with the left button from one point to the other, as the user does.
    void Drag(POINT from, POINT to, const char* screenshot = nullptr) {
        ASSERT_TRUE(MovePointer(from.x, from.y));
        MouseAt(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(MovePointer((from.x + to.x) / 2, (from.y + to.y) / 2));
        ASSERT_TRUE(MovePointer(to.x, to.y));
        // The band shows, inverting the screen, before the button goes up. Under Wine the
        // band's last move now and then does not reach the screen (the pointer is where it
        // should be, over the overlay, and nothing holds the mouse) until the pointer moves
        // again: it is nudged and brought back while the test waits.
        bool shown = false;
        for (int attempt = 0; attempt < 5 && !shown; ++attempt) {
            if (attempt > 0) {
                ASSERT_TRUE(MovePointer(to.x + 1, to.y + 1) && MovePointer(to.x, to.y));
            }
            shown = WaitFor([&] { return BandCornerAt(to); }, 2000);
        }
        ASSERT_TRUE(shown);
        if (screenshot)
            SaveScreenshot(screenshot);
        MouseAt(to.x, to.y, MOUSEEVENTF_LEFTUP);
    }
    // Captures the rectangle; the result dialog, once it shows.
    HWND CaptureRect(const RECT& rc) const {
        return OpenOverlay(m_p) ? SelectOnOverlay(m_p, rc) : nullptr;
    }

    Program m_p;
    DWORD m_before = 0; // the screen pixel under the band's far corner before the drag
};

TEST_F(Capture, EachWayInPutsTheScreenPixelsOnTheClipboardWithoutTheBandOrTheOptionsWindow) {
    enum Way { kHotkey, kTrayMenu, kCaptureButton };
    const struct {
        Way way;
        const char* name;
        const char* screenshot;
    } ways[] = {{kHotkey, "Alt+C", "capture_overlay"},
                {kTrayMenu, "the tray menu's Capture, options window open", nullptr},
                {kCaptureButton, "the Capture page's \"&Capture!\"", nullptr}};
    const RECT area = {60, 60, 380, 260};
    const RECT sel = {area.left + 20, area.top + 10, area.left + 20 + 77, area.top + 10 + 45};
    for (const auto& w : ways) {
        SCOPED_TRACE(w.name);
        // Not topmost, so that the options window can stand over it.
        ScreenPatch pattern(area, Pattern, w.way == kHotkey);
        ASSERT_TRUE(pattern.Show());
        const std::vector<DWORD> expected = ScreenPixels(sel);
        m_before = expected[0];
        PutClipboardText("before");
        ASSERT_TRUE(MovePointer(600, 500)); // away from the selection, where the menu opens
        if (w.way != kHotkey) {
            ASSERT_TRUE(OpenOptions(m_p));
            // The options window covers the selection's lower right part.
            HWND sheet = m_p.Sheet();
            ::SetWindowPos(sheet, HWND_TOP, sel.left + 30, sel.top + 15, 0, 0,
                           SWP_NOSIZE | SWP_NOACTIVATE);
            ASSERT_TRUE(WaitFor([&] { return ScreenPixels(sel) != expected; }));
        }
        if (w.way == kHotkey) {
            PressKeys({VK_MENU, 'C'});
        } else if (w.way == kTrayMenu) {
            ::PostMessageA(m_p.TrayWindow(), WM_USER, 101, WM_RBUTTONUP);
            ASSERT_TRUE(WaitFor([] { return ShownMenu() != nullptr; }));
            PressKeys({'C'});
        } else {
            HWND page = ShowPage(m_p, 2, IDC_CAP_PATH);
            ASSERT_TRUE(page);
            ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(ID_CAPTURE, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(page, ID_CAPTURE)));
        }
        ASSERT_TRUE(WaitFor([&] { return Overlay(m_p) && ::IsWindowVisible(Overlay(m_p)); }));
        EXPECT_TRUE(WaitFor([&] { return !m_p.Sheet(); })) << "the options window closes";
        // The overlay shows the screen as it was: hiding the window underneath changes nothing.
        pattern.Hide();
        Drag({sel.right, sel.bottom}, {sel.left, sel.top}, w.screenshot);
        HWND result = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (result = Result(m_p)) != nullptr; }));
        EXPECT_FALSE(Overlay(m_p));

        // On the clipboard while the dialog is still open.
        int cw = 0, ch = 0;
        std::vector<DWORD> px;
        ASSERT_TRUE(ClipboardPixels(cw, ch, px));
        EXPECT_EQ(cw, 77);
        EXPECT_EQ(ch, 45);
        EXPECT_TRUE(px == expected) << "the capture differs from the screen";
        // Under scripts/test-x-clipboard, a client outside Wine reads the clipboard now and
        // compares it with the saved file.
        const char* xdir = std::getenv("ZEN_X_CLIPBOARD");
        if (xdir && w.way == kHotkey) {
            SaveAs(result, std::string(xdir) + "\\saved");
            WriteFileText(std::string(xdir) + "\\ready", "");
            EXPECT_TRUE(WaitFor([&] { return FileExists(std::string(xdir) + "\\done"); }, 60000));
        } else {
            ASSERT_TRUE(CloseResult(result));
        }
    }
}

// Escape (even in the middle of a drag), the right button and a click without a drag give the
// capture up: no result, the clipboard as it was. A drag of one pixel is a capture of one.
TEST_F(Capture, EscapeTheRightButtonAndAClickCancelWithoutTouchingTheClipboard) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way == 0 ? "Escape" : way == 1 ? "right button" : "click");
        PutClipboardText("kept");
        ASSERT_TRUE(OpenOverlay(m_p));
        ASSERT_TRUE(MovePointer(200, 200));
        if (way == 0) {
            MouseAt(200, 200, MOUSEEVENTF_LEFTDOWN);
            ASSERT_TRUE(MovePointer(150, 150));
            PressKeys({VK_ESCAPE});
            ASSERT_TRUE(WaitFor([&] { return !Overlay(m_p); }));
            MouseAt(150, 150, MOUSEEVENTF_LEFTUP);
        } else {
            const DWORD button = way == 1 ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
            MouseAt(200, 200, button);
            MouseAt(200, 200, button << 1); // the same button's release
        }
        ASSERT_TRUE(WaitFor([&] { return !Overlay(m_p); }));
        EXPECT_FALSE(WaitFor([&] { return Result(m_p) != nullptr; }, 800));
        EXPECT_TRUE(ClipboardHasText());
    }
    HWND result = CaptureRect({100, 100, 101, 101});
    ASSERT_TRUE(result);
    int w = 0, h = 0;
    std::vector<DWORD> px;
    ASSERT_TRUE(ClipboardPixels(w, h, px));
    EXPECT_EQ(w * h, 1);
    ASSERT_TRUE(CloseResult(result));
}

// A capture of the whole screen: the result window fits the work area, with its title and both
// buttons on it, showing the capture scaled down; the saved file keeps every pixel.
TEST_F(Capture, AWholeScreenCaptureFitsTheWorkAreaAndIsSavedWhole) {
    RECT work = {};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const int cx = ::GetSystemMetrics(SM_CXSCREEN) - 1, cy = ::GetSystemMetrics(SM_CYSCREEN) - 1;
    HWND result = CaptureRect({0, 0, cx, cy});
    ASSERT_TRUE(result);
    WaitFor([] { return false; }, 300); // let it paint
    SaveScreenshot("capture_result_whole_screen");
    RECT overlap;
    for (HWND part :
         {result, ::GetDlgItem(result, IDC_CAPTURE_COPY), ::GetDlgItem(result, IDC_CAPTURE_SAVE)}) {
        const RECT rc = WindowRect(part);
        EXPECT_TRUE(::IntersectRect(&overlap, &rc, &work) && ::EqualRect(&overlap, &rc))
            << ::GetDlgCtrlID(part) << ": " << rc.left << "," << rc.top << "-" << rc.right << ","
            << rc.bottom;
    }
    const std::string file = m_p.Folder() + "\\whole.bmp";
    SaveAs(result, file);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(result); }));
    const std::string bytes = ReadFileText(file);
    ASSERT_GE(bytes.size(), 54u);
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    EXPECT_EQ(b[18] | b[19] << 8, cx);
    EXPECT_EQ(b[22] | b[23] << 8, cy);
    EXPECT_EQ(bytes.size(), 54u + static_cast<size_t>((cx * 3 + 3) & ~3) * cy);
}

TEST_F(Capture, ResultDialogSizeAndPictureOffsetFollowTheCapture) {
    const RECT area = {20, 20, 340, 240};
    struct Case {
        int w, h, width, height, ox, oy;
    };
    const Case cases[] = {
        {10, 10, 302, 240, 141, 87}, {293, 183, 302, 240, 0, 0}, {294, 184, 303, 241, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.w);
        ScreenPatch pattern(area, Pattern);
        ASSERT_TRUE(pattern.Show());
        const RECT sel = {area.left + 5, area.top + 5, area.left + 5 + c.w, area.top + 5 + c.h};
        const std::vector<DWORD> captured = ScreenPixels(sel);
        ASSERT_TRUE(OpenOverlay(m_p));
        pattern.Hide();
        HWND result = SelectOnOverlay(m_p, sel);
        ASSERT_TRUE(result);
        RECT outer;
        ::GetWindowRect(result, &outer);
        EXPECT_EQ(outer.right - outer.left, c.width);
        EXPECT_EQ(outer.bottom - outer.top, c.height);
        // Capture pixel (x, y) shows at client (ox + 1 + x, oy + 2 + y); the sunken edge covers
        // the first column and the first and last rows.
        POINT origin = {c.ox + 1, c.oy + 2};
        ::ClientToScreen(result, &origin);
        // The window's frame may cover the far side of a capture as wide as the window: the
        // last probe stays inside the client area.
        RECT client;
        ::GetClientRect(result, &client);
        const POINT last = {std::min<LONG>(c.w - 1, client.right - (c.ox + 1) - 1),
                            std::min<LONG>(c.h - 2, client.bottom - (c.oy + 2) - 1)};
        const POINT probes[] = {{1, 1}, {c.w / 2, c.h / 2}, last};
        for (const POINT& q : probes) {
            const DWORD want = captured[static_cast<size_t>(q.y) * c.w + q.x];
            EXPECT_TRUE(WaitFor(
                [&] {
                    const RECT one = {origin.x + q.x, origin.y + q.y, origin.x + q.x + 1,
                                      origin.y + q.y + 1};
                    return ScreenPixels(one)[0] == want;
                },
                3000))
                << q.x << "," << q.y;
        }
        ASSERT_TRUE(CloseResult(result));
    }
}

// "&Save as file" writes the capture, kept apart from the clipboard, as a BMP or a PNG file of
// its size; a file that cannot be written is reported and the old one kept.
TEST_F(Capture, SaveAsFileWritesTheCaptureOrReportsWhyNot) {
    const RECT area = {60, 60, 380, 260};
    ScreenPatch pattern(area, Pattern);
    ASSERT_TRUE(pattern.Show());
    const int w = 31, h = 17; // odd width: rows carry padding
    const RECT sel = {area.left + 9, area.top + 4, area.left + 9 + w, area.top + 4 + h};
    const std::vector<DWORD> expected = ScreenPixels(sel);
    const struct {
        const char* name;
        int type; // 0 BMP, 1 PNG
        bool blocked;
    } saves[] = {{"", 0, false}, {"shot", 0, false}, {"shot", 1, false}, {"kept", 0, true}};
    for (const auto& save : saves) {
        SCOPED_TRACE(std::string(save.name) + (save.type ? ".png" : ".bmp"));
        HWND result = CaptureRect(sel);
        ASSERT_TRUE(result);
        SaveScreenshot("capture_result");
        // Another program takes the clipboard: the capture's bitmap there is gone.
        PutClipboardText("somebody else's");
        // Cancel in the file dialog, and a failed write, leave the window for another try.
        if (!*save.name) {
            SaveAs(result, "");
            EXPECT_FALSE(WaitFor([&] { return !::IsWindow(result); }, 1000))
                << "Cancel closed the result window";
            ASSERT_TRUE(CloseResult(result));
            continue;
        }
        const std::string base = m_p.Folder() + "\\" + save.name;
        const std::string file = base + (save.type ? ".png" : ".bmp");
        if (save.blocked) { // an earlier capture, and a folder where the new one goes first
            WriteFileText(file, "an earlier capture");
            ASSERT_TRUE(::CreateDirectoryA((file + ".tmp").c_str(), nullptr));
        }
        SaveAs(result, base, save.type);
        if (save.blocked) {
            std::string text;
            ASSERT_TRUE(ReadAndCloseMessageBox(m_p, text));
            EXPECT_EQ(text, "Create file error!");
            EXPECT_EQ(ReadFileText(file), "an earlier capture");
            ::RemoveDirectoryA((file + ".tmp").c_str());
            EXPECT_FALSE(WaitFor([&] { return !::IsWindow(result); }, 1000))
                << "the failed save closed the result window";
            ASSERT_TRUE(CloseResult(result));
            continue;
        }
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(result); }));
        EXPECT_FALSE(FileExists(file + ".tmp"));
        const std::string bytes = ReadFileText(file);
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
        if (save.type == 1) {
            ASSERT_GT(bytes.size(), 33u);
            EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
            EXPECT_EQ(bytes.substr(12, 4), "IHDR");
            EXPECT_EQ(b[16] << 24 | b[17] << 16 | b[18] << 8 | b[19], w);
            EXPECT_EQ(b[20] << 24 | b[21] << 16 | b[22] << 8 | b[23], h);
            continue;
        }
        const int stride = (w * 3 + 3) & ~3;
        ASSERT_EQ(bytes.size(), static_cast<size_t>(54 + stride * h));
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(b[28], 24); // bit count
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned char* p = b + 54 + (h - 1 - y) * stride + 3 * x;
                wrong += (static_cast<DWORD>(p[2]) << 16 | p[1] << 8 | p[0]) != expected[y * w + x];
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(Capture, TheDibFormatIsMadeOnRequestAndOutlivesTheProgram) {
    HWND result = CaptureRect({100, 100, 160, 140});
    ASSERT_TRUE(result && CloseResult(result));
    int bw = 0, bh = 0, dw = 0, dh = 0;
    std::vector<DWORD> bitmap, dib;
    ASSERT_TRUE(ClipboardPixels(bw, bh, bitmap));
    ASSERT_TRUE(ClipboardPixels(dw, dh, dib, true));
    EXPECT_EQ(dw, 60);
    EXPECT_EQ(dh, 40);
    EXPECT_TRUE(dib == bitmap);
    // A capture taken, the program left, then pasted: the picture is still there.
    result = CaptureRect({200, 150, 230, 170});
    ASSERT_TRUE(result && CloseResult(result));
    ASSERT_TRUE(ClipboardPixels(bw, bh, bitmap));
    m_p.Stop();
    ASSERT_TRUE(ClipboardPixels(dw, dh, dib, true));
    EXPECT_EQ(dw, 30);
    EXPECT_TRUE(dib == bitmap);
}

// On a desktop of two monitors side by side (scripts/test-screens): the overlay covers both, a
// capture on the second monitor or across the border between them is exact, and the result
// window opens centred in the work area of the monitor that holds most of the capture.
class Screens : public Capture {
protected:
    void SetUp() override {
        if (!TwoMonitorRun())
            GTEST_SKIP() << "one monitor; scripts/test-screens runs this on two";
        m_monitors = Monitors();
        ASSERT_EQ(m_monitors.size(), 2u);
        Capture::SetUp();
    }
    std::vector<MONITORINFO> m_monitors;
};

TEST_F(Screens, CapturesOnTheSecondMonitorAndAcrossTheBorderAreExactAndShownThere) {
    const RECT first = m_monitors[0].rcMonitor, second = m_monitors[1].rcMonitor;
    ASSERT_EQ(second.left, first.right) << "side by side, the second to the right";
    const struct {
        const char* name;
        RECT sel;
        int monitor; // which holds most of it
    } cases[] = {
        {"on the second monitor",
         {second.left + 300, second.top + 200, second.left + 421, second.top + 291},
         1},
        {"across the border", {second.left - 40, 300, second.left + 90, 377}, 1},
        {"across the border, mostly on the first",
         {second.left - 150, 100, second.left + 9, 160},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RECT area = c.sel;
        ::InflateRect(&area, 30, 30);
        ScreenPatch pattern(area, Pattern);
        ASSERT_TRUE(pattern.Show());
        const std::vector<DWORD> expected = ScreenPixels(c.sel);
        m_before = expected[0];
        ASSERT_TRUE(MovePointer(c.sel.right + 10, c.sel.bottom + 10));
        ASSERT_TRUE(OpenOverlay(m_p));
        const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
        const RECT desktop = {x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                              y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
        const RECT covered = WindowRect(Overlay(m_p));
        EXPECT_TRUE(::EqualRect(&covered, &desktop)) << "the overlay covers every monitor";
        pattern.Hide();
        Drag({c.sel.right, c.sel.bottom}, {c.sel.left, c.sel.top},
             c.monitor == 1 && c.sel.left < second.left ? "capture_two_monitors" : nullptr);
        HWND result = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (result = Result(m_p)) && ::IsWindowVisible(result); }));
        int cw = 0, ch = 0;
        std::vector<DWORD> px;
        ASSERT_TRUE(ClipboardPixels(cw, ch, px));
        EXPECT_EQ(cw, c.sel.right - c.sel.left);
        EXPECT_EQ(ch, c.sel.bottom - c.sel.top);
        EXPECT_TRUE(px == expected) << "the capture differs from the screen";

        const RECT work = m_monitors[c.monitor].rcWork, shown = WindowRect(result);
        EXPECT_TRUE(Inside(shown, work));
        EXPECT_LE(std::abs((shown.left + shown.right) - (work.left + work.right)), 1);
        EXPECT_LE(std::abs((shown.top + shown.bottom) - (work.top + work.bottom)), 1);
        if (c.monitor == 1 && c.sel.left < second.left)
            SaveScreenshot("capture_result_second_monitor");
        ASSERT_TRUE(CloseResult(result));
    }
}

} // namespace
