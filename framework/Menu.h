// Owned menu handles. CMenu owns its handle and destroys it; a popup moves out of its bar only
// by taking it out (TakeSubMenu), so a bar and its popup are never destroyed twice.
#pragma once

#include <windows.h>

class CWnd;

// An owned menu whose owner-drawn items are measured and drawn by the
// object's virtual operations.
class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }

    BOOL LoadMenu(UINT nIDResource);
    // Takes ownership of a handle, destroying the one held before: pass only
    // a menu nobody else destroys (CreatePopupMenu, TakeSubMenu).
    void Attach(HMENU hMenu);
    // Gives up the handle without destroying it.
    HMENU Detach();
    BOOL DestroyMenu();
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) {
        return ::RemoveMenu(m_hMenu, nPosition, nFlags);
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    // Takes the popup at `pos` out of this menu and hands it over: the
    // caller owns it from now on (attach it to a CMenu). nullptr if there is
    // no popup there.
    HMENU TakeSubMenu(int pos);
    // Shows the menu as a popup owned by `owner` and returns when it closes;
    // while it is open a CFrameWnd owner routes the menu's WM_MEASUREITEM
    // and WM_DRAWITEM here.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
};
