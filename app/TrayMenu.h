// CTrayMenu: the tray icon's owner-drawn popup menu: turquoise items beside a
// picture strip, a red sunken caption for the highlighted item.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

// One item of the tray menu, handed to the menu as the item's data.
struct TrayMenuItem {
    std::string text;       // the caption, leading blank included
    bool separator = false; // the separator line
};

class CTrayMenu : public CMenu {
public:
    // The strip down the left edge (the menu owns the bitmap from now on).
    void SetSideBarBitmap(HBITMAP bitmap) { m_sideBar.Attach(bitmap); }
    void SetSideBarWidth(int width) { m_nSideBarWidth = width; }
    void SetBackgroundColor(COLORREF colour) { m_crBackground = colour; }
    // The DPI the menu is shown at: its pixel figures are for 96.
    void SetDpi(UINT dpi) { m_dpi = dpi; }

    // Inserts an owner-drawn item before `position`; the item as the menu keeps it (the data it
    // hands to measuring and drawing), or nullptr when the insertion failed.
    const TrayMenuItem* InsertItem(UINT id, TrayMenuItem item, UINT position);

    int SideBarHeight() const { return m_nSideBarHeight; }

    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    static constexpr int kSeparatorHeight = 5;
    static constexpr COLORREF kSeparatorColour = RGB(192, 192, 192);
    static constexpr COLORREF kHighlightText = RGB(255, 0, 0);

private:
    void DrawCaption(HDC dc, const RECT& textRect, const std::string& text) const;
    void DrawSeparator(HDC dc, const RECT& item) const;

    int m_nSideBarHeight = 16;
    int m_nItemCount = 0;
    COLORREF m_crBackground = RGB(255, 255, 255);
    int m_nSideBarWidth = 20;
    UINT m_dpi = 96;
    int Px(int length) const { return Scaled(length, m_dpi); }
    CBitmap m_sideBar;
    std::vector<std::unique_ptr<TrayMenuItem>> m_items;
};
