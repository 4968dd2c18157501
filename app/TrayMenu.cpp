// The tray menu's items, measured and painted by the menu itself.
#include "app/TrayMenu.h"

#include <algorithm>
#include <utility>

#include "framework/App.h"
#include "framework/Wnd.h"

namespace {

// The turquoise runs from this far right of the item's left edge; the strip
// covers the rest.
constexpr int kFillOffset = 20;
// The caption stands this far right of the strip.
constexpr int kTextGap = 2;
constexpr int kWidthMargin = 12;
// Items are at least this tall; taller text gets this much air.
constexpr int kMinItemHeight = 20;
constexpr int kSmallTextHeight = 16;
constexpr int kTextPadding = 4;
// The separator line lies this far below the item's top.
constexpr int kSeparatorLineOffset = 2;

} // namespace

const TrayMenuItem* CTrayMenu::InsertItem(UINT id, TrayMenuItem item, UINT position) {
    // Kept where it stays put while more items come: the menu hands its address around.
    m_items.push_back(std::make_unique<TrayMenuItem>(std::move(item)));
    const TrayMenuItem* kept = m_items.back().get();
    // The caption is given as the item's text too, so that the menu itself
    // finds the underlined letter when the user types it.
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STRING;
    mii.fType = MFT_OWNERDRAW;
    mii.wID = id;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(kept);
    mii.dwTypeData = const_cast<char*>(kept->text.c_str());
    mii.cch = static_cast<UINT>(kept->text.size());
    if (!::InsertMenuItemA(m_hMenu, position, TRUE, &mii)) {
        m_items.pop_back();
        return nullptr;
    }
    ++m_nItemCount;
    return kept;
}

void CTrayMenu::MeasureItem(LPMEASUREITEMSTRUCT mis) {
    const auto* item = reinterpret_cast<const TrayMenuItem*>(mis->itemData);
    if (!item)
        return;
    if (item->separator) {
        mis->itemHeight = static_cast<UINT>(Px(kSeparatorHeight));
        return;
    }
    // Measured with the main window's plain font, as the menu is drawn.
    CWinApp* app = AfxGetApp();
    HWND main = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    CClientDC dc(main);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, item->text.c_str(), static_cast<int>(item->text.size()), &size);
    // The items are drawn in the menu's font: as wide as that writes the text, too, where it is
    // the wider (it grows with the display scale).
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        CFont menuFont;
        if (menuFont.CreateFontIndirect(metrics.lfMenuFont)) {
            CSelectObject select(dc, menuFont);
            SIZE drawn = {0, 0};
            ::GetTextExtentPoint32A(dc, item->text.c_str(), static_cast<int>(item->text.size()),
                                    &drawn);
            size.cx = std::max(size.cx, drawn.cx);
        }
    }
    int height = size.cy < Px(kSmallTextHeight) ? Px(kMinItemHeight) : size.cy + Px(kTextPadding);
    mis->itemWidth = static_cast<UINT>(size.cx + Px(kWidthMargin));
    mis->itemHeight = static_cast<UINT>(height);
    m_nSideBarHeight = m_nItemCount * height;
}

void CTrayMenu::DrawCaption(HDC dc, const RECT& textRect, const std::string& text) const {
    RECT at = textRect;
    at.left += 1;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &at,
                DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}

void CTrayMenu::DrawSeparator(HDC dc, const RECT& item) const {
    RECT rc = item;
    if (m_sideBar.GetSafeHandle())
        rc.left += m_nSideBarWidth;
    FillSolidRect(dc, rc, m_crBackground);
    CPen pen(PS_SOLID, 1, kSeparatorColour);
    CSelectObject selPen(dc, pen);
    int y = rc.top + Px(kSeparatorLineOffset);
    ::MoveToEx(dc, rc.left, y, nullptr);
    ::LineTo(dc, rc.right, y);
}

void CTrayMenu::DrawItem(LPDRAWITEMSTRUCT dis) {
    const auto* item = reinterpret_cast<const TrayMenuItem*>(dis->itemData);
    if (!item)
        return;
    HDC dc = dis->hDC;
    CSaveDC save(dc);
    const RECT& rc = dis->rcItem;
    if (item->separator) {
        DrawSeparator(dc, rc);
        return;
    }

    RECT fill = rc;
    fill.left += Px(kFillOffset);
    FillSolidRect(dc, fill, m_crBackground);
    RECT textRect = rc;
    textRect.left = rc.left + m_nSideBarWidth + Px(kTextGap);
    FillSolidRect(dc, textRect, m_crBackground);

    // Disabled items look like enabled ones: the menu refuses their command.
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::SetBkColor(dc, m_crBackground);
    DrawCaption(dc, textRect, item->text);

    if ((dis->itemAction & ODA_DRAWENTIRE) && m_sideBar.GetSafeHandle()) {
        // The strip belongs to the whole menu, so it is laid from the top.
        CMemDC mem(dc);
        CSelectObject selBitmap(mem, m_sideBar);
        BITMAP bm = {};
        if (m_dpi == 96 || !::GetObjectA(m_sideBar, sizeof bm, &bm)) {
            ::BitBlt(dc, rc.left, 0, m_nSideBarWidth, m_nSideBarHeight, mem, 0, 0, SRCCOPY);
        } else {
            // The picture at the menu's scale.
            const int mode = ::SetStretchBltMode(dc, HALFTONE);
            ::StretchBlt(dc, rc.left, 0, Px(bm.bmWidth), Px(bm.bmHeight), mem, 0, 0, bm.bmWidth,
                         bm.bmHeight, SRCCOPY);
            ::SetStretchBltMode(dc, mode);
        }
    }

    RECT frame = textRect;
    frame.left -= 1;
    if (dis->itemState & ODS_SELECTED) {
        if (dis->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
            ::SetTextColor(dc, kHighlightText);
            ::SetBkColor(dc, m_crBackground);
            DrawCaption(dc, textRect, item->text);
        }
        Draw3dRect(dc, frame, ::GetSysColor(COLOR_GRAYTEXT), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    if (dis->itemAction & ODA_SELECT) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        FillSolidRect(dc, textRect, m_crBackground);
        DrawCaption(dc, textRect, item->text);
        Draw3dRect(dc, frame, m_crBackground, m_crBackground);
    }
}
