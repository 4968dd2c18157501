// Menu handles, owned or borrowed. CMenu owns its handle and destroys it;
// CMenuView wraps a menu someone else owns (a popup of a bar, the menu of a
// WM_INITMENUPOPUP) and never destroys it. Ownership of a popup moves out
// of its bar only by taking it out (TakeSubMenu).
#pragma once

#include <windows.h>

class CWnd;

// A borrowed menu: copying or dropping the view leaves the menu alone.
class CMenuView {
public:
    explicit CMenuView(HMENU hMenu = nullptr) : m_hMenu(hMenu) {}

    HMENU m_hMenu;
    operator HMENU() const { return m_hMenu; }

    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    CMenuView GetSubMenu(int pos) const { return CMenuView(::GetSubMenu(m_hMenu, pos)); }
};

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
    // A popup of this menu, borrowed: it stays this menu's.
    CMenuView GetSubMenu(int pos) const { return CMenuView(::GetSubMenu(m_hMenu, pos)); }
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
