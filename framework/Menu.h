// CMenu: an owning wrapper of a menu handle whose owner-drawn items are
// measured and drawn by the object's virtual operations.
#pragma once

#include <windows.h>

class CWnd;

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }

    BOOL LoadMenu(UINT nIDResource);
    // Takes ownership of a handle (destroyed with the object).
    void Attach(HMENU hMenu) { m_hMenu = hMenu; }
    HMENU Detach();
    BOOL DestroyMenu();
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) {
        return ::RemoveMenu(m_hMenu, nPosition, nFlags);
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    // Shows the menu as a popup owned by `owner` and returns when it closes;
    // while it is open the owner routes WM_MEASUREITEM/WM_DRAWITEM here.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
};
