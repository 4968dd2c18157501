// Static per-class message maps with typed thunks: each window class reads as
// the table of messages it answers, and handler signatures are checked when
// the table is compiled (no casts between member-pointer types).
#pragma once

#include <windows.h>

class CWnd;
class CCmdUI;

// Reflected messages: a parent hands WM_DRAWITEM, WM_CTLCOLOR*, WM_COMMAND
// and WM_NOTIFY from a control back to the control's own object under these
// numbers first; when the control's map has no entry, the parent's handles it.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// A thunk runs one handler and returns the message result. A message with an
// entry is handled: a handler that wants the default processing as well
// calls CWnd::Default() itself.
using MsgThunk = LRESULT (*)(CWnd* self, WPARAM wParam, LPARAM lParam);

// Private marker for ON_UPDATE_COMMAND_UI entries; never a real message.
constexpr UINT ZEN_MSG_UPDATE_UI = 0xFFFF0001;

struct MsgMapEntry {
    UINT message; // WM_* (or WM_REFLECT_BASE + WM_*, or ZEN_MSG_UPDATE_UI)
    UINT code;    // notification code for WM_COMMAND / WM_NOTIFY, else 0
    UINT idFirst; // command or control id range for WM_COMMAND / WM_NOTIFY
    UINT idLast;
    MsgThunk thunk;
    // ON_REGISTERED_MESSAGE: the variable holding the message number, read
    // at each lookup (it may be set after the map is built); `message` is
    // then unused. A variable still 0 matches nothing.
    const UINT* pRegistered = nullptr;
};

struct MsgMap {
    const MsgMap* (*base)(); // the base class's map, or nullptr at the root
    const MsgMapEntry* entries;
};

// Typed thunks: the handler's class and signature are template parameters.
namespace zen_thunk {

template <class T, void (T::*F)()> LRESULT Void(CWnd* w, WPARAM, LPARAM) {
    (static_cast<T*>(w)->*F)();
    return 0;
}
template <class T, LRESULT (T::*F)(WPARAM, LPARAM)> LRESULT Message(CWnd* w, WPARAM wp, LPARAM lp) {
    return (static_cast<T*>(w)->*F)(wp, lp);
}
template <class T, int (T::*F)(LPCREATESTRUCT)> LRESULT Create(CWnd* w, WPARAM, LPARAM lp) {
    return (static_cast<T*>(w)->*F)(reinterpret_cast<LPCREATESTRUCT>(lp));
}
template <class T, BOOL (T::*F)(HDC)> LRESULT EraseBkgnd(CWnd* w, WPARAM wp, LPARAM) {
    return (static_cast<T*>(w)->*F)(reinterpret_cast<HDC>(wp));
}
template <class T, HBRUSH (T::*F)(HDC, HWND, UINT)> LRESULT CtlColor(CWnd* w, WPARAM wp, LPARAM lp);
template <class T, HBRUSH (T::*F)(HDC, UINT)>
LRESULT CtlColorReflect(CWnd* w, WPARAM wp, LPARAM lp);
template <class T, void (T::*F)(int, LPDRAWITEMSTRUCT)>
LRESULT DrawItem(CWnd* w, WPARAM wp, LPARAM lp) {
    (static_cast<T*>(w)->*F)(static_cast<int>(wp), reinterpret_cast<LPDRAWITEMSTRUCT>(lp));
    return TRUE;
}
template <class T, void (T::*F)(LPDRAWITEMSTRUCT)>
LRESULT DrawItemReflect(CWnd* w, WPARAM, LPARAM lp) {
    (static_cast<T*>(w)->*F)(reinterpret_cast<LPDRAWITEMSTRUCT>(lp));
    return TRUE;
}
template <class T, void (T::*F)(int, LPMEASUREITEMSTRUCT)>
LRESULT MeasureItem(CWnd* w, WPARAM wp, LPARAM lp) {
    (static_cast<T*>(w)->*F)(static_cast<int>(wp), reinterpret_cast<LPMEASUREITEMSTRUCT>(lp));
    return TRUE;
}
template <class T, void (T::*F)(UINT, POINT)> LRESULT Mouse(CWnd* w, WPARAM wp, LPARAM lp) {
    POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    (static_cast<T*>(w)->*F)(static_cast<UINT>(wp), pt);
    return 0;
}
template <class T, void (T::*F)(HWND)> LRESULT Window(CWnd* w, WPARAM wp, LPARAM lp);
template <class T, void (T::*F)(BOOL)> LRESULT Enable(CWnd* w, WPARAM wp, LPARAM) {
    (static_cast<T*>(w)->*F)(static_cast<BOOL>(wp));
    return 0;
}
template <class T, void (T::*F)(int, int)> LRESULT Move(CWnd* w, WPARAM, LPARAM lp) {
    (static_cast<T*>(w)->*F)(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
    return 0;
}
template <class T, void (T::*F)(UINT_PTR)> LRESULT Timer(CWnd* w, WPARAM wp, LPARAM) {
    (static_cast<T*>(w)->*F)(static_cast<UINT_PTR>(wp));
    return 0;
}
template <class T, BOOL (T::*F)(HELPINFO*)> LRESULT HelpInfo(CWnd* w, WPARAM, LPARAM lp) {
    return (static_cast<T*>(w)->*F)(reinterpret_cast<HELPINFO*>(lp));
}
template <class T, void (T::*F)(NMHDR*, LRESULT*)> LRESULT Notify(CWnd* w, WPARAM, LPARAM lp) {
    LRESULT result = 0;
    (static_cast<T*>(w)->*F)(reinterpret_cast<NMHDR*>(lp), &result);
    return result;
}
template <class T, void (T::*F)(CCmdUI*)> LRESULT UpdateUI(CWnd* w, WPARAM, LPARAM lp) {
    (static_cast<T*>(w)->*F)(reinterpret_cast<CCmdUI*>(lp));
    return 0;
}
template <class T, void (T::*F)(HDROP)> LRESULT DropFiles(CWnd* w, WPARAM wp, LPARAM) {
    (static_cast<T*>(w)->*F)(reinterpret_cast<HDROP>(wp));
    return 0;
}

template <class T, HBRUSH (T::*F)(HDC, HWND, UINT)>
LRESULT CtlColor(CWnd* w, WPARAM wp, LPARAM lp) {
    // The control type (CTLCOLOR_*) comes from the number of the message
    // being handled: CWnd::CurrentCtlType.
    return reinterpret_cast<LRESULT>(
        (static_cast<T*>(w)->*F)(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp),
                                 static_cast<T*>(w)->CurrentCtlType()));
}
template <class T, HBRUSH (T::*F)(HDC, UINT)> LRESULT CtlColorReflect(CWnd* w, WPARAM wp, LPARAM) {
    return reinterpret_cast<LRESULT>(
        (static_cast<T*>(w)->*F)(reinterpret_cast<HDC>(wp), static_cast<T*>(w)->CurrentCtlType()));
}
template <class T, void (T::*F)(HWND)> LRESULT Window(CWnd* w, WPARAM wp, LPARAM lp) {
    // WM_KILLFOCUS and WM_SETFOCUS carry the other window in wParam,
    // WM_CAPTURECHANGED in lParam.
    HWND other = static_cast<T*>(w)->CurrentMessageId() == WM_CAPTURECHANGED
                     ? reinterpret_cast<HWND>(lp)
                     : reinterpret_cast<HWND>(wp);
    (static_cast<T*>(w)->*F)(other);
    return 0;
}

} // namespace zen_thunk

// Declares the map of a class (inside the class body).
#define DECLARE_MESSAGE_MAP()                                                                      \
public:                                                                                            \
    static const MsgMap* GetThisMessageMap();                                                      \
                                                                                                   \
protected:                                                                                         \
    const MsgMap* GetMessageMap() const override {                                                 \
        return GetThisMessageMap();                                                                \
    }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MsgMap* theClass::GetThisMessageMap() {                                                  \
        using ThisClass = theClass;                                                                \
        using TheBase = baseClass;                                                                 \
        static const MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static_assert(sizeof(ThisClass) > 0, "complete class");                                        \
    static const MsgMap map = {&TheBase::GetThisMessageMap, entries};                              \
    return &map;                                                                                   \
    }

#define ZEN_ENTRY(msg, thunk) {msg, 0, 0, 0, thunk},

#define ON_MESSAGE(msg, fn) ZEN_ENTRY(msg, (&zen_thunk::Message<ThisClass, &ThisClass::fn>))
// A message whose number is in a UINT variable set from RegisterWindowMessage;
// the handler is LRESULT memberFxn(WPARAM, LPARAM).
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                         \
    {0, 0, 0, 0, &zen_thunk::Message<ThisClass, &ThisClass::memberFxn>, &(nMessageVariable)},
#define ON_COMMAND(id, fn)                                                                         \
    {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id),                                  \
     &zen_thunk::Void<ThisClass, &ThisClass::fn>},
#define ON_CONTROL(code, id, fn)                                                                   \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),            \
     &zen_thunk::Void<ThisClass, &ThisClass::fn>},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_NOTIFY(code, id, fn)                                                                    \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),             \
     &zen_thunk::Notify<ThisClass, &ThisClass::fn>},
#define ON_UPDATE_COMMAND_UI(id, fn)                                                               \
    {ZEN_MSG_UPDATE_UI, 0, static_cast<UINT>(id), static_cast<UINT>(id),                           \
     &zen_thunk::UpdateUI<ThisClass, &ThisClass::fn>},

#define ON_WM_CREATE() ZEN_ENTRY(WM_CREATE, (&zen_thunk::Create<ThisClass, &ThisClass::OnCreate>))
#define ON_WM_DESTROY() ZEN_ENTRY(WM_DESTROY, (&zen_thunk::Void<ThisClass, &ThisClass::OnDestroy>))
#define ON_WM_PAINT() ZEN_ENTRY(WM_PAINT, (&zen_thunk::Void<ThisClass, &ThisClass::OnPaint>))
#define ON_WM_CLOSE() ZEN_ENTRY(WM_CLOSE, (&zen_thunk::Void<ThisClass, &ThisClass::OnClose>))
#define ON_WM_CANCELMODE()                                                                         \
    ZEN_ENTRY(WM_CANCELMODE, (&zen_thunk::Void<ThisClass, &ThisClass::OnCancelMode>))
#define ON_WM_ERASEBKGND()                                                                         \
    ZEN_ENTRY(WM_ERASEBKGND, (&zen_thunk::EraseBkgnd<ThisClass, &ThisClass::OnEraseBkgnd>))
#define ON_WM_DRAWITEM()                                                                           \
    ZEN_ENTRY(WM_DRAWITEM, (&zen_thunk::DrawItem<ThisClass, &ThisClass::OnDrawItem>))
#define ON_WM_MEASUREITEM()                                                                        \
    ZEN_ENTRY(WM_MEASUREITEM, (&zen_thunk::MeasureItem<ThisClass, &ThisClass::OnMeasureItem>))
#define ON_WM_DRAWITEM_REFLECT()                                                                   \
    ZEN_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM,                                                       \
              (&zen_thunk::DrawItemReflect<ThisClass, &ThisClass::DrawItem>))
#define ON_WM_CTLCOLOR()                                                                           \
    ZEN_ENTRY(WM_CTLCOLORSTATIC, (&zen_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>))        \
    ZEN_ENTRY(WM_CTLCOLOREDIT, (&zen_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>))          \
    ZEN_ENTRY(WM_CTLCOLORBTN, (&zen_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>))           \
    ZEN_ENTRY(WM_CTLCOLORLISTBOX, (&zen_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>))       \
    ZEN_ENTRY(WM_CTLCOLORDLG, (&zen_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>))           \
    ZEN_ENTRY(WM_CTLCOLORSCROLLBAR, (&zen_thunk::CtlColor<ThisClass, &ThisClass::OnCtlColor>))
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    ZEN_ENTRY(WM_REFLECT_BASE + WM_CTLCOLORBTN,                                                    \
              (&zen_thunk::CtlColorReflect<ThisClass, &ThisClass::CtlColor>))                      \
    ZEN_ENTRY(WM_REFLECT_BASE + WM_CTLCOLORSTATIC,                                                 \
              (&zen_thunk::CtlColorReflect<ThisClass, &ThisClass::CtlColor>))
#define ON_WM_MOUSEMOVE()                                                                          \
    ZEN_ENTRY(WM_MOUSEMOVE, (&zen_thunk::Mouse<ThisClass, &ThisClass::OnMouseMove>))
#define ON_WM_LBUTTONDOWN()                                                                        \
    ZEN_ENTRY(WM_LBUTTONDOWN, (&zen_thunk::Mouse<ThisClass, &ThisClass::OnLButtonDown>))
#define ON_WM_LBUTTONUP()                                                                          \
    ZEN_ENTRY(WM_LBUTTONUP, (&zen_thunk::Mouse<ThisClass, &ThisClass::OnLButtonUp>))
#define ON_WM_LBUTTONDBLCLK()                                                                      \
    ZEN_ENTRY(WM_LBUTTONDBLCLK, (&zen_thunk::Mouse<ThisClass, &ThisClass::OnLButtonDblClk>))
#define ON_WM_RBUTTONDOWN()                                                                        \
    ZEN_ENTRY(WM_RBUTTONDOWN, (&zen_thunk::Mouse<ThisClass, &ThisClass::OnRButtonDown>))
#define ON_WM_CAPTURECHANGED()                                                                     \
    ZEN_ENTRY(WM_CAPTURECHANGED, (&zen_thunk::Window<ThisClass, &ThisClass::OnCaptureChanged>))
#define ON_WM_SETFOCUS()                                                                           \
    ZEN_ENTRY(WM_SETFOCUS, (&zen_thunk::Window<ThisClass, &ThisClass::OnSetFocus>))
#define ON_WM_KILLFOCUS()                                                                          \
    ZEN_ENTRY(WM_KILLFOCUS, (&zen_thunk::Window<ThisClass, &ThisClass::OnKillFocus>))
#define ON_WM_ENABLE() ZEN_ENTRY(WM_ENABLE, (&zen_thunk::Enable<ThisClass, &ThisClass::OnEnable>))
#define ON_WM_MOVE() ZEN_ENTRY(WM_MOVE, (&zen_thunk::Move<ThisClass, &ThisClass::OnMove>))
#define ON_WM_TIMER() ZEN_ENTRY(WM_TIMER, (&zen_thunk::Timer<ThisClass, &ThisClass::OnTimer>))
#define ON_WM_HELPINFO()                                                                           \
    ZEN_ENTRY(WM_HELP, (&zen_thunk::HelpInfo<ThisClass, &ThisClass::OnHelpInfo>))
#define ON_WM_DROPFILES()                                                                          \
    ZEN_ENTRY(WM_DROPFILES, (&zen_thunk::DropFiles<ThisClass, &ThisClass::OnDropFiles>))
