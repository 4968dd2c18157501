// The tray menu's own measuring and painting, driven as the menu window drives
// it, into a memory DC whose pixels are read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/TrayMenu.h"
#include "framework/App.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

namespace {

constexpr COLORREF kTurquoise = RGB(188, 254, 245), kUntouched = RGB(1, 2, 3);
constexpr int kW = 140, kH = 150;

// Header of a top-down 32-bit picture.
BITMAPINFO Info32(int w, int h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    return bi;
}

// The program's main window, on a class with its own DC so that the test
// chooses the font the menu measures with.
struct MainWindow {
    MainWindow() {
        if (!AfxGetApp()) {
            static CWinApp ownApp; // unless another test has made one
        }
        app = AfxGetApp();
        WNDCLASSA wc = {};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.lpszClassName = "ZenTrayMenuTestMain";
        ::RegisterClassA(&wc);
        wnd.m_hWnd = ::CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                                     nullptr, nullptr);
        previous = app->m_pMainWnd;
        app->m_pMainWnd = &wnd;
    }
    ~MainWindow() { app->m_pMainWnd = previous; }
    // Puts a font of this cell height in the window's DC; the height it measures.
    int UseFont(int height) {
        HFONT f = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                "Tahoma");
        ::SelectObject(::GetDC(wnd), f); // the class's own DC keeps it
        font.Attach(f);
        return Extent(" &Xg").cy;
    }
    SIZE Extent(const std::string& text) {
        SIZE size = {};
        ::GetTextExtentPoint32A(::GetDC(wnd), text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
    CWinApp* app;
    CFont font; // outlives the window whose DC holds it
    CWnd wnd;
    CWnd* previous;
};

// A memory DC over a 32-bit picture, kUntouched at first.
struct Canvas {
    Canvas() {
        BITMAPINFO bi = Info32(kW, kH);
        bmp.Attach(
            ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0));
        sel = ::SelectObject(dc, bmp);
        std::fill(px, px + kW * kH, 0x010203u);
    }
    ~Canvas() { ::SelectObject(dc, sel); }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const DWORD v = px[y * kW + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(RECT rc, COLORREF c) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += At(x, y) == c;
        return n;
    }
    std::vector<DWORD> Pixels() const {
        return (::GdiFlush(), std::vector<DWORD>(px, px + kW * kH));
    }
    CMemDC dc;
    CBitmap bmp;
    DWORD* px = nullptr;
    HGDIOBJ sel;
};

// A strip picture whose every pixel differs: blue = x, green = y.
HBITMAP MakeStrip() {
    BITMAPINFO bi = Info32(20, 107);
    DWORD* px = nullptr;
    HBITMAP bmp =
        ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0);
    for (int i = 0; i < 20 * 107; ++i)
        px[i] = 0x400000u | static_cast<DWORD>((i / 20) << 8 | (i % 20));
    return bmp;
}

struct Menu {
    explicit Menu(std::vector<TrayMenuItem> items, bool strip = true) {
        menu.Attach(::CreatePopupMenu());
        menu.SetBackgroundColor(kTurquoise);
        menu.SetSideBarWidth(20);
        if (strip)
            menu.SetSideBarBitmap(MakeStrip());
        for (size_t i = 0; i < items.size(); ++i)
            menu.InsertItem(100, new TrayMenuItem(items[i]), static_cast<UINT>(i));
    }
    ULONG_PTR Data(int pos) const {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_DATA;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mii);
        return mii.dwItemData;
    }
    MEASUREITEMSTRUCT Measure(int pos, UINT width = 0) {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 100, width, 0, Data(pos)};
        menu.MeasureItem(&mis);
        return mis;
    }
    void Draw(const Canvas& cv, int pos, RECT rc, UINT action, UINT state = 0) {
        DRAWITEMSTRUCT dis = {ODT_MENU, 0, 100, action, state, nullptr, cv.dc, rc, Data(pos)};
        menu.DrawItem(&dis);
    }
    CTrayMenu menu;
};

} // namespace

TEST(TrayMenu, MeasuresTextOnTheMainWindowsFont) {
    MainWindow main;
    struct {
        int font;
        UINT itemHeight; // at least 20, else 4 more than the text
    } cases[] = {{10, 20}, {15, 20}, {16, 20}, {17, 21}, {30, 34}};
    for (const auto& c : cases) {
        ASSERT_EQ(main.UseFont(c.font), c.font);
        Menu m({{" &Help "}, {"", 1}, {" &Magnify"}, {" &Options"}});
        EXPECT_EQ(m.menu.ItemCount(), 4);
        EXPECT_EQ(m.menu.SideBarHeight(), 16) << "before measuring";
        for (int pos : {0, 2, 3}) {
            MEASUREITEMSTRUCT mis = m.Measure(pos);
            EXPECT_EQ(mis.itemHeight, c.itemHeight) << c.font;
            const auto* item = reinterpret_cast<TrayMenuItem*>(m.Data(pos));
            EXPECT_EQ(mis.itemWidth, static_cast<UINT>(main.Extent(item->text).cx + 12));
        }
        MEASUREITEMSTRUCT sep = m.Measure(1, 77);
        EXPECT_EQ(sep.itemHeight, 5u);
        EXPECT_EQ(sep.itemWidth, 77u) << "the separator keeps the width it is given";
        EXPECT_EQ(m.menu.SideBarHeight(), 4 * static_cast<int>(c.itemHeight));
    }
}

TEST(TrayMenu, PaintsTurquoiseItemsAndARedSunkenHighlight) {
    MainWindow main;
    Menu m({{" &Options"}, {" &Exit"}, {" &Magnify"}});
    const int h = static_cast<int>(m.Measure(0).itemHeight), stripH = m.menu.SideBarHeight();
    ASSERT_EQ(stripH, 3 * h);
    const RECT item = {0, 2 * h, 120, 3 * h}, text = {22, item.top + 1, 119, item.bottom - 1};
    Canvas cv;
    m.Draw(cv, 0, item, ODA_DRAWENTIRE);
    EXPECT_GT(cv.Count(text, ::GetSysColor(COLOR_BTNTEXT)), 10) << "caption in button text";
    for (int y : {item.top, item.bottom - 1})
        EXPECT_EQ(cv.Count({20, y, 120, y + 1}, kTurquoise), 100) << "row " << y;
    EXPECT_EQ(cv.At(120, item.top), kUntouched);
    // The strip, laid from the menu's top over every item, and no further.
    for (int y : {0, h, stripH - 1})
        for (int x : {0, 19})
            EXPECT_EQ(cv.At(x, y), RGB(0x40, y, x)) << x << "," << y;
    EXPECT_EQ(cv.At(5, stripH), kUntouched);
    EXPECT_EQ(cv.At(20, 0), kUntouched);
    const std::vector<DWORD> plain = cv.Pixels();

    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    for (UINT action : {ODA_SELECT, ODA_DRAWENTIRE}) {
        m.Draw(cv, 0, item, action, ODS_SELECTED);
        EXPECT_GT(cv.Count(text, RGB(255, 0, 0)), 10) << "red caption";
        EXPECT_EQ(cv.Count(text, ::GetSysColor(COLOR_BTNTEXT)), 0) << "no dark caption under it";
        // Sunken frame on the text rectangle widened one pixel to the left.
        const int l = 21, r = 119, t = item.top, b = item.bottom - 1;
        for (int x : {l, l + 1, 60, r - 1})
            EXPECT_EQ(cv.At(x, t), grey) << "top " << x;
        for (int y : {t, t + 1, b - 1})
            EXPECT_EQ(cv.At(l, y), grey) << "left " << y;
        for (int x : {l, 60, r})
            EXPECT_EQ(cv.At(x, b), light) << "bottom " << x;
        for (int y : {t + 1, b})
            EXPECT_EQ(cv.At(r, y), light) << "right " << y;
        EXPECT_EQ(cv.At(l - 1, t), kTurquoise);
    }
    m.Draw(cv, 0, item, ODA_SELECT);
    EXPECT_EQ(cv.Pixels(), plain) << "moving off restores the plain item";

    // Disabled items look like enabled ones; a selection change alone leaves the strip.
    for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED)}) {
        Canvas enabled, disabled;
        m.Draw(enabled, 0, item, ODA_DRAWENTIRE, state);
        m.Draw(disabled, 0, item, ODA_DRAWENTIRE, state | ODS_DISABLED | ODS_GRAYED);
        EXPECT_EQ(enabled.Pixels(), disabled.Pixels());
    }
    Canvas selectOnly;
    m.Draw(selectOnly, 0, item, ODA_SELECT, ODS_SELECTED);
    EXPECT_EQ(selectOnly.At(3, 3), kUntouched);
}

TEST(TrayMenu, SeparatorIsAGreyLineTwoPixelsDownBesideTheStrip) {
    struct {
        bool strip;
        int left, lineStart;
    } cases[] = {{true, 0, 20}, {true, 3, 23}, {false, 0, 0}, {false, 4, 4}};
    for (const auto& c : cases) {
        Menu m({{"", 1}}, c.strip);
        for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED)}) {
            Canvas cv;
            m.Draw(cv, 0, {c.left, 40, 120, 45}, ODA_DRAWENTIRE, state);
            for (int y = 40; y < 45; ++y)
                EXPECT_EQ(cv.Count({c.lineStart, y, 120, y + 1},
                                   y == 42 ? RGB(192, 192, 192) : kTurquoise),
                          120 - c.lineStart)
                    << "row " << y << " from " << c.lineStart;
            EXPECT_EQ(cv.Count({0, 0, kW, kH}, kUntouched), kW * kH - 5 * (120 - c.lineStart))
                << "nothing else, no strip";
        }
    }
}
