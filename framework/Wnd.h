// CWnd: the window base class (binding of objects to windows, message-map
// dispatch, reflection to child controls) and CFrameWnd, the frame window.
#pragma once

#include <windows.h>

#include <string>

#include "framework/MessageMap.h"

class CMenu;

// Command-update state for one menu item while a popup menu opens (and for
// a command about to run). The item changes only in what the handler set:
// enabling leaves the check mark alone, and a handler that sets nothing
// leaves the item as it is.
class CCmdUI {
public:
    UINT m_nID = 0;
    void Enable(BOOL bOn = TRUE) {
        m_enabled = bOn != FALSE;
        m_enableSet = true;
    }
    bool m_enabled = true;
    bool m_enableSet = false; // Enable was called
};

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // The object bound to a window of ours (own class, dialog or subclassed
    // control), or nullptr.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Creates a window of our own class bound to this object; the class is
    // registered on first use (RegisterWndClass).
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                  int cx, int cy, HWND parent, HMENU menuOrId);
    // Binds this object to an existing control and routes its messages here;
    // FALSE for a window bound to an object already.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Forgets the window without destroying it.
    HWND Detach();
    BOOL DestroyWindow();

    // Thin forwarding helpers used throughout the program.
    std::string GetWindowText() const;
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return ::SendMessageA(m_hWnd, msg, wp, lp);
    }
    BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const {
        return ::PostMessageA(m_hWnd, msg, wp, lp);
    }

    // The message being handled, for handlers that need its raw form.
    UINT CurrentMessageId() const { return m_cur.msg; }
    UINT CurrentCtlType() const;

    // Entry from the window procedures.
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);

    static const MsgMap* GetThisMessageMap();

    // The popup menu being tracked with this window as owner (set by
    // CMenu::TrackPopupMenu); a CFrameWnd measures and draws its owner-drawn
    // items through it.
    CMenu* m_pTrackingMenu = nullptr;

protected:
    virtual const MsgMap* GetMessageMap() const { return GetThisMessageMap(); }
    // Looks the message up in the maps, most derived class first. Returns
    // true with the result when a handler ran.
    virtual bool OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // Command and notification routing; reflection to the child's object.
    virtual bool OnCommand(WPARAM wp, LPARAM lp, LRESULT& result);
    virtual bool OnNotify(WPARAM wp, LPARAM lp, LRESULT& result);
    // Default processing of the current message, through DefWindowProc: the
    // subclassed control's own procedure for a subclassed control, else
    // ::DefWindowProc (for dialogs too: the dialog manager's own processing
    // runs only for messages that no entry handles).
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // Called once the window is gone (after WM_NCDESTROY).
    virtual void PostNcDestroy() {}
    // Called when SubclassWindow has bound an existing control to this
    // object, so a control class can adjust the control's style.
    virtual void PreSubclassWindow() {}
    // Runs the ON_UPDATE_COMMAND_UI handlers for a popup that is opening.
    void UpdateMenuItems(HMENU hMenu);

    // Registers a window class of ours (window procedure StaticWndProc) with
    // this icon and cursor (the arrow when none) unless a class of that name
    // exists; FALSE if it cannot, or if the existing class is not ours.
    static BOOL RegisterWndClass(LPCSTR className, HICON icon = nullptr, HCURSOR cursor = nullptr);
    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    // The object's one binding to its window, for every kind of window:
    // a window property that FromHandlePermanent reads. Unbind clears it
    // (and the subclass) and forgets the window; the window procedures call
    // it at WM_NCDESTROY, the destructor when the object goes first.
    void Bind(HWND hWnd);
    void Unbind();

    // The message being handled; nested messages (sent while a handler runs)
    // keep their own for as long as they run.
    struct CurrentMessage {
        UINT msg = 0;
        WPARAM wp = 0;
        LPARAM lp = 0;
    };
    class CurrentMessageScope {
    public:
        CurrentMessageScope(CWnd* w, UINT msg, WPARAM wp, LPARAM lp) : m_w(w), m_saved(w->m_cur) {
            w->m_cur = {msg, wp, lp};
        }
        ~CurrentMessageScope() { m_w->m_cur = m_saved; }
        CurrentMessageScope(const CurrentMessageScope&) = delete;
        CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

    private:
        CWnd* m_w;
        CurrentMessage m_saved;
    };
    CurrentMessage m_cur;
    bool m_subclassed = false;

    friend class CDialog;
    friend class CPropertySheet;

private:
    const MsgMapEntry* FindEntry(UINT msg, UINT code, UINT id) const;
    bool ReflectToChild(HWND child, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
};

// A frame window created from a resource id: the string of that id is its
// title and the icon of that id its icon (the icon of the frame class, which
// the first LoadFrame registers).
class CFrameWnd : public CWnd {
public:
    BOOL LoadFrame(UINT nIDResource, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   HWND parent = nullptr);
    static constexpr DWORD FWS_ADDTOTITLE = 0x00008000L;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
    LRESULT OnInitMenuPopup(WPARAM wp, LPARAM lp);
    DECLARE_MESSAGE_MAP()
};

// Where windows go on a desktop of several monitors.
// The monitor the pointer is on: where the user works, and where a window they open belongs.
HMONITOR PointerMonitor();
// Centres a window in a monitor's work area (a window larger than that keeps its top left
// corner in it).
void CentreOnMonitor(HWND window, HMONITOR monitor);
// Moves a window onto a monitor: from the monitor that holds most of it, to the same place
// relative to the other's work area, then inside that work area as above. On the monitor
// already and inside its work area, the window stays where it is.
void MoveOntoMonitor(HWND window, HMONITOR monitor);
// The virtual desktop: every monitor, the primary one's top left corner at 0, 0.
RECT VirtualDesktop();

// Display scale. The program lays its windows out for the dots per inch of the monitor each is
// shown on; the figures in the code are for 96, which is 100 %.
// The DPI a window is shown at (the system's where Windows cannot tell it per window).
UINT DpiOf(HWND window);
// The DPI of a monitor, for what is shown there before it has a window (a menu).
UINT DpiOfMonitor(HMONITOR monitor);
// A length laid out for 96 DPI, at `dpi`.
inline int Scaled(int length, UINT dpi) {
    return ::MulDiv(length, static_cast<int>(dpi), 96);
}

// The wait cursor for as long as the object lives, the arrow again afterwards.
class CWaitCursor {
public:
    CWaitCursor() { ::SetCursor(::LoadCursor(nullptr, IDC_WAIT)); }
    ~CWaitCursor() { ::SetCursor(::LoadCursor(nullptr, IDC_ARROW)); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
