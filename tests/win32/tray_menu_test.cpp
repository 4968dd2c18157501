// The tray menu's own measuring and painting, driven as the menu window drives
// it, into a memory DC whose pixels are read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "app/TrayMenu.h"
#include "framework/App.h"
#include "framework/Wnd.h"
#include "tests/common/canvas.h"

namespace {

constexpr COLORREF kTurquoise = RGB(188, 254, 245), kUntouched = RGB(1, 2, 3);
constexpr int kW = 140, kH = 150;

// A kW x kH canvas, kUntouched, that writes crisp text.
struct MenuCanvas : Canvas {
    MenuCanvas() : Canvas(kW, kH, kUntouched) { ::SelectObject(dc, CrispFont()); }
};

struct Menu {
    explicit Menu(std::vector<TrayMenuItem> list, bool strip = true) {
        menu.Attach(::CreatePopupMenu());
        menu.SetBackgroundColor(kTurquoise);
        menu.SetSideBarWidth(20);
        if (strip) { // every pixel differs: blue = x, green = y
            Canvas pic(20, 107, 0);
            for (int i = 0; i < 20 * 107; ++i)
                pic.px[i] = 0x400000u | static_cast<DWORD>((i / 20) << 8 | (i % 20));
            menu.SetSideBarBitmap(pic.bmp.Detach());
        }
        for (const TrayMenuItem& item : list)
            items.push_back(menu.InsertItem(100, item, static_cast<UINT>(items.size())));
    }
    MEASUREITEMSTRUCT Measure(int pos, UINT width = 0) {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 100, width, 0, ULONG_PTR(items[pos])};
        menu.MeasureItem(&mis);
        return mis;
    }
    void Draw(const Canvas& cv, int pos, RECT rc, UINT action, UINT state = 0) {
        DRAWITEMSTRUCT dis = {
            ODT_MENU, 0, 100, action, state, nullptr, cv.dc, rc, ULONG_PTR(items[pos])};
        menu.DrawItem(&dis);
        ::GdiFlush(); // before the pixels are read
    }
    CTrayMenu menu;
    std::vector<const TrayMenuItem*> items; // kept by the menu
};

} // namespace

// Each item holds its caption as the main window's font writes it, with a row above and below
// for the highlight's frame, and is never lower than 20 pixels; the separator is a thin line of
// the width it is given; the strip reaches the menu's foot.
TEST(TrayMenu, EveryItemHoldsItsTextInTheMainWindowsFont) {
    // The main window, on a class with its own DC: the test chooses the font the menu measures
    // with by selecting it into that DC, which keeps it.
    WNDCLASSA wc = {CS_OWNDC, ::DefWindowProcA, 0,       0,       nullptr,
                    nullptr,  nullptr,          nullptr, nullptr, "ZenTrayMenuTestMain"};
    ::RegisterClassA(&wc);
    CWnd main;
    main.m_hWnd = ::CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                                  nullptr, nullptr);
    const HDC dc = ::GetDC(main);
    CWnd* previous = std::exchange(AfxGetApp()->m_pMainWnd, &main);
    for (int request : {8, 15, 19, 32}) {
        CFont font;
        font.CreateFont(request, 0, FW_NORMAL, DEFAULT_CHARSET, "Tahoma");
        CSelectObject sel(dc, font);
        Menu m({{" &Help "}, {"", 1}, {" &Magnify"}});
        const MEASUREITEMSTRUCT sep = m.Measure(1, 77);
        EXPECT_EQ(sep.itemHeight, UINT(CTrayMenu::kSeparatorHeight));
        EXPECT_EQ(sep.itemWidth, 77u);
        UINT menuHeight = sep.itemHeight;
        for (int pos : {0, 2}) {
            const std::string& text = m.items[pos]->text;
            SIZE size = {};
            ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
            const MEASUREITEMSTRUCT mis = m.Measure(pos);
            SCOPED_TRACE(::testing::Message() << text << " " << size.cx << "x" << size.cy);
            EXPECT_GT(mis.itemWidth, UINT(size.cx));
            EXPECT_GE(mis.itemHeight, UINT(size.cy + 2));
            EXPECT_GE(mis.itemHeight, 20u);
            menuHeight += mis.itemHeight;
        }
        EXPECT_GE(m.menu.SideBarHeight(), int(menuHeight));
    }
    AfxGetApp()->m_pMainWnd = previous;
    ::DestroyWindow(main.m_hWnd);
}

TEST(TrayMenu, PaintsTurquoiseItemsAndARedSunkenHighlight) {
    Menu m({{" &Options"}, {" &Exit"}, {" &Magnify"}});
    const int h = static_cast<int>(m.Measure(0).itemHeight), stripH = m.menu.SideBarHeight();
    const RECT item = {0, 2 * h, 120, 3 * h}, text = {22, item.top + 1, 119, item.bottom - 1};
    MenuCanvas cv;
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

    // Highlighted: a red caption in a sunken frame on the text rectangle widened one pixel to
    // the left, grey along the top and left, light along the bottom and right.
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const int l = 21, r = 119, t = item.top, b = item.bottom - 1;
    for (UINT action : {ODA_SELECT, ODA_DRAWENTIRE}) {
        m.Draw(cv, 0, item, action, ODS_SELECTED);
        EXPECT_GT(cv.Count(text, RGB(255, 0, 0)), 10) << "red caption";
        EXPECT_EQ(cv.Count(text, ::GetSysColor(COLOR_BTNTEXT)), 0) << "no dark caption under it";
        EXPECT_EQ(cv.Count({l, t, r, t + 1}, grey) + cv.Count({l, t, l + 1, b}, grey),
                  (r - l) + (b - t));
        EXPECT_EQ(cv.Count({l, b, r + 1, b + 1}, light) + cv.Count({r, t, r + 1, b}, light),
                  (r - l + 1) + (b - t));
        EXPECT_EQ(cv.At(l - 1, t), kTurquoise);
    }
    m.Draw(cv, 0, item, ODA_SELECT);
    EXPECT_EQ(cv.Pixels(), plain) << "moving off restores the plain item";
}

TEST(TrayMenu, SeparatorIsAGreyLineTwoPixelsDownBesideTheStrip) {
    for (bool strip : {true, false}) {
        const int lineStart = strip ? 23 : 3;
        Menu m({{"", 1}}, strip);
        MenuCanvas cv;
        m.Draw(cv, 0, {3, 40, 120, 45}, ODA_DRAWENTIRE, ODS_SELECTED);
        for (int y = 40; y < 45; ++y)
            EXPECT_EQ(
                cv.Count({lineStart, y, 120, y + 1}, y == 42 ? RGB(192, 192, 192) : kTurquoise),
                120 - lineStart)
                << "row " << y << " from " << lineStart;
        EXPECT_EQ(cv.Count({0, 0, kW, kH}, kUntouched), kW * kH - 5 * (120 - lineStart))
            << "nothing else: no strip, no highlight";
    }
}
