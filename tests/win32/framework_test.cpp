// The window framework under a real window manager: dispatch through the
// message maps, reflection, command updates, binding, frames, data exchange
// with its messages, GDI selections and menus.
#include <gtest/gtest.h>

#include <windows.h>

#include <new>
#include <string>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "tests/common/pump.h"

namespace {

std::vector<std::string> g_log;

class CBaseProbe : public CWnd {
public:
    void OnPaint() {
        g_log.push_back("base paint");
        ::ValidateRect(m_hWnd, nullptr);
    }
    void OnClose() { g_log.push_back("base close"); }
    void OnCommandA() { g_log.push_back("base A"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
ON_WM_PAINT()
ON_WM_CLOSE()
ON_COMMAND(100, OnCommandA)
END_MESSAGE_MAP()

// Registered at static initialisation, before any message map is built; the
// other is registered by its test, after.
const UINT g_pingMessage = ::RegisterWindowMessageA("Zentrova.FrameworkTest.Ping");
UINT g_laterMessage = 0;

class CDerivedProbe : public CBaseProbe {
public:
    void OnClose() { g_log.push_back("derived close"); }
    void OnCommandB() { g_log.push_back("derived B"); }
    void OnUpdateB(CCmdUI* ui) { ui->Enable(m_enableB); }
    LRESULT OnCustom(WPARAM wp, LPARAM lp) { return static_cast<LRESULT>(wp + lp); }
    LRESULT OnPing(WPARAM wp, LPARAM lp) { return static_cast<LRESULT>(wp * 10 + lp); }
    LRESULT OnLater(WPARAM, LPARAM) { return ++m_later; }
    bool m_enableB = true;
    int m_later = 0;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
ON_WM_CLOSE()
ON_COMMAND(101, OnCommandB)
ON_UPDATE_COMMAND_UI(101, OnUpdateB)
ON_MESSAGE(WM_APP + 1, OnCustom)
ON_REGISTERED_MESSAGE(g_laterMessage, OnLater)
ON_REGISTERED_MESSAGE(g_pingMessage, OnPing)
END_MESSAGE_MAP()

// A control that draws itself from the parent's reflected WM_DRAWITEM.
class CReflectButton : public CWnd {
public:
    void DrawItem(LPDRAWITEMSTRUCT) { ++m_draws; }
    int m_draws = 0;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectButton, CWnd)
ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

// A dialog of two ranged numbers that counts command 1234.
class CRangeDialog : public CDialog {
public:
    CRangeDialog() : CDialog(900) {} // tests/win32/framework_test.rc
    int m_factor = 4, m_region = 40, m_pings = 0;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_MAG_FACTOR, m_factor);
        DDV_MinMaxInt(pDX, m_factor, 1, 10);
        DDX_Text(pDX, IDC_MAG_REGION, m_region);
        DDV_MinMaxInt(pDX, m_region, 10, 100);
    }
    void OnPing() { ++m_pings; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRangeDialog, CDialog)
ON_COMMAND(1234, OnPing)
END_MESSAGE_MAP()

// A frame whose update handlers enable one item and leave another as it is.
class CUpdateFrame : public CFrameWnd {
public:
    void OnUpdateEnableOnly(CCmdUI* ui) { ui->Enable(TRUE); }
    void OnUpdateNothing(CCmdUI*) {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CUpdateFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(200, OnUpdateEnableOnly)
ON_UPDATE_COMMAND_UI(201, OnUpdateNothing)
END_MESSAGE_MAP()

// Answers the message boxes of this thread while it lives, keeping their count and the last
// one's text and caption.
struct MessageBoxCatcher {
    static inline std::string text, caption;
    static inline int count;
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, Proc, nullptr, ::GetCurrentThreadId());
    MessageBoxCatcher() { count = 0; }
    ~MessageBoxCatcher() { ::UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        const HWND box = reinterpret_cast<HWND>(wp);
        char buf[256] = ""; // a message box's text is its static 0xFFFF
        if (code == HCBT_ACTIVATE && ::GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf)) {
            text = buf;
            ::GetWindowTextA(box, buf, sizeof buf);
            caption = buf;
            ++count;
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        return ::CallNextHookEx(nullptr, code, wp, lp);
    }
};

// A top-level window of the given class for a probe.
bool Create(CWnd& w, const char* cls = "ZenProbe") {
    return w.CreateEx(0, cls, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr);
}

} // namespace

// Dispatch through the maps: the most derived handler wins, bases still answer, a disabled
// command is not carried out, registered messages are found by their variables when the message
// comes, and parents reflect WM_DRAWITEM to the control's object.
TEST(MessageMap, MostDerivedHandlerWinsBasesAnswerAndParentsReflect) {
    CDerivedProbe w;
    ASSERT_TRUE(Create(w));
    g_log.clear();
    w.SendMessage(WM_CLOSE);
    w.SendMessage(WM_COMMAND, 100);
    w.SendMessage(WM_COMMAND, 101);
    w.m_enableB = false;
    w.SendMessage(WM_COMMAND, 101);
    ::ShowWindow(w, SW_SHOWNA);
    ::InvalidateRect(w, nullptr, TRUE);
    ::UpdateWindow(w);
    EXPECT_EQ(g_log,
              (std::vector<std::string>{"derived close", "base A", "derived B", "base paint"}));
    EXPECT_EQ(w.SendMessage(WM_APP + 1, 2, 3), 5);
    EXPECT_EQ(w.SendMessage(g_pingMessage, 4, 2), 42);
    w.SendMessage(WM_NULL);
    EXPECT_EQ(w.m_later, 0) << "a variable still 0 matches no message";
    g_laterMessage = ::RegisterWindowMessageA("Zentrova.FrameworkTest.Later");
    EXPECT_EQ(w.SendMessage(g_laterMessage), 1);
    EXPECT_EQ(w.SendMessage(g_pingMessage, 1, 3), 13);
    // Unhandled messages get the default window procedure.
    w.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));
    EXPECT_EQ(w.GetWindowText(), "renamed");

    HWND btn = ::CreateWindowA("BUTTON", "x", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 50, 20, w,
                               reinterpret_cast<HMENU>(7), nullptr, nullptr);
    CReflectButton button;
    ASSERT_TRUE(button.SubclassWindow(btn));
    ::InvalidateRect(btn, nullptr, TRUE);
    ::UpdateWindow(btn);
    EXPECT_GE(button.m_draws, 1);
    w.DestroyWindow();
    EXPECT_EQ(w.m_hWnd, nullptr) << "the object forgets its window at WM_NCDESTROY";
    EXPECT_EQ(button.m_hWnd, nullptr);
}

TEST(MessageMap, UpdateHandlersChangeOnlyWhatTheySet) {
    CUpdateFrame w;
    ASSERT_TRUE(Create(w, "ZenUpdateFrame"));
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuA(popup, MF_STRING | MF_CHECKED, 200, "checked, enabled by its handler");
    ::AppendMenuA(popup, MF_STRING | MF_GRAYED | MF_CHECKED, 201, "grayed, checked, left so");
    w.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(::GetMenuState(popup, 200, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED),
              static_cast<UINT>(MF_CHECKED))
        << "enabling keeps the check mark";
    EXPECT_EQ(::GetMenuState(popup, 201, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED),
              static_cast<UINT>(MF_CHECKED | MF_GRAYED))
        << "a handler that sets nothing leaves the item as it is";
    ::DestroyMenu(popup);
    w.DestroyWindow();
}

TEST(Binding, ADialogWhoseObjectEndedFirstReachesNoObjectAnyMore) {
    CBaseProbe owner;
    ASSERT_TRUE(Create(owner));
    // The dialog's object lives in storage of its own, so that a fresh object can take its
    // place: a window still pointing at the storage would reach the fresh one.
    alignas(CRangeDialog) unsigned char storage[sizeof(CRangeDialog)];
    auto* first = new (storage) CRangeDialog;
    ASSERT_TRUE(first->Create(&owner));
    const HWND h = first->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(h), first);
    CWnd intruder;
    EXPECT_FALSE(intruder.SubclassWindow(h)) << "a bound window keeps its one object";
    ::SendMessageA(h, WM_COMMAND, 1234, 0);
    EXPECT_EQ(first->m_pings, 1);

    first->~CRangeDialog();
    ASSERT_TRUE(::IsWindow(h)) << "an owned dialog outlives its object";
    auto* fresh = new (storage) CRangeDialog; // never bound to any window
    ::SendMessageA(h, WM_COMMAND, 1234, 0);
    EXPECT_EQ(fresh->m_pings, 0) << "the dialog's messages reach no object";
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    owner.DestroyWindow();
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(fresh->m_pings, 0);
    fresh->~CRangeDialog();
}

TEST(Frame, EveryLoadedFrameHasTheTitleAndIconOfItsId) {
    const HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    for (int i = 0; i < 2; ++i) { // the second finds the frame class registered
        CFrameWnd frame;
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW)) << i;
        EXPECT_EQ(CWnd::FromHandlePermanent(frame), &frame);
        EXPECT_EQ(frame.GetWindowText(), "&Hide Magnify");
        EXPECT_EQ(reinterpret_cast<HICON>(::GetClassLongPtrA(frame, GCLP_HICON)), icon);
    }
    CWnd w;
    EXPECT_FALSE(w.CreateEx(0, "BUTTON", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr))
        << "a class that is not ours would bind no object";
    EXPECT_EQ(w.m_hWnd, nullptr);
}

// Integers are read strictly (blanks around allowed, a sign too; trailing text, no digits or
// overflow refused) and within their ranges. A refusal shows the prompt once and selects the
// control's text; an acceptance leaves the focus where it was.
TEST(DataExchange, RefusedValuesShowThePromptAndSelectTheControl) {
    CRangeDialog dlg;
    ASSERT_TRUE(dlg.Create());
    ::SetForegroundWindow(dlg);
    HWND factor = dlg.GetDlgItem(IDC_MAG_FACTOR), region = dlg.GetDlgItem(IDC_MAG_REGION);
    const char *number = "Please enter an integer.",
               *range = "Please enter an integer between 1 and 10.";
    const struct {
        const char* factorText;
        const char* regionText;
        const char* message; // nullptr: accepted
        HWND focus;
    } cases[] = {
        {"11", "40", range, factor},
        {"10", "101", "Please enter an integer between 10 and 100.", region},
        {"5", "12x", number, region},
        {"", "40", number, factor},
        {"4 2", "40", number, factor},
        {"2147483648", "40", number, factor},
        {"2147483647", "40", range, factor},
        {"-3", "40", range, factor},
        {" 7 ", "+10", nullptr, nullptr},
        {"10", "100", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.factorText << "/" << c.regionText);
        ::SetWindowTextA(factor, c.factorText);
        ::SetWindowTextA(region, c.regionText);
        dlg.m_factor = dlg.m_region = -1;
        ::SetFocus(dlg.GetDlgItem(1001));
        MessageBoxCatcher box;
        const BOOL ok = dlg.UpdateData(TRUE);
        EXPECT_EQ(ok, !c.message);
        EXPECT_EQ(box.count, c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(box.text, c.message);
            EXPECT_EQ(box.caption, "!Zentrova");
            EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == c.focus; }));
            DWORD start = 0, end = 0;
            ::SendMessageA(c.focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLengthA(c.focus)));
        } else {
            EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == dlg.GetDlgItem(1001); }));
            EXPECT_EQ(dlg.m_factor, atoi(c.factorText));
            EXPECT_EQ(dlg.m_region, atoi(c.regionText));
        }
    }
    // Filling the controls writes the members as text.
    dlg.m_region = -55;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(static_cast<int>(::GetDlgItemInt(dlg, IDC_MAG_REGION, nullptr, TRUE)), -55);
    dlg.DestroyWindow();
}

TEST(Gdi, SelectionsAreUndoneAndObjectsDeletedOnce) {
    CMemDC dc;
    HGDIOBJ oldPen = ::GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ oldBrush = ::GetCurrentObject(dc, OBJ_BRUSH);
    HPEN penHandle = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        penHandle = pen;
        CSelectObject selPen(dc, pen);
        CSelectObject selBrush(dc, brush);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), static_cast<HGDIOBJ>(pen));
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), static_cast<HGDIOBJ>(brush));
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), oldPen);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), oldBrush);
    EXPECT_EQ(::GetObjectType(penHandle), 0u) << "the pen was deleted";
    // A moved-from owner deletes nothing; the new owner deletes once.
    CBrush a(RGB(1, 1, 1));
    HBRUSH h = a;
    CBrush b(std::move(a));
    EXPECT_EQ(a.GetSafeHandle(), nullptr);
    EXPECT_EQ(b.GetSafeHandle(), h);
    // Stock objects are never owned: selecting one restores fine too.
    { CSelectObject s(dc, ::GetStockObject(NULL_BRUSH)); }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), oldBrush);
}

TEST(Menu, OwnedMenusAreDestroyedAndBorrowedOnesLeftAlone) {
    HMENU first = ::CreatePopupMenu(), second = ::CreatePopupMenu();
    {
        CMenu owner;
        owner.Attach(first);
        owner.Attach(second);
        EXPECT_FALSE(::IsMenu(first)) << "attaching over a held menu destroys it";
        EXPECT_TRUE(::IsMenu(second));
    }
    EXPECT_FALSE(::IsMenu(second)) << "the owner's end destroys its menu";

    // The tray menu resource: a bar with one popup.
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_TRAY_MENU));
    ASSERT_EQ(bar.GetMenuItemCount(), 1);
    const HMENU popup = ::GetSubMenu(bar, 0);
    ASSERT_NE(popup, nullptr);

    CMenu taken;
    taken.Attach(bar.TakeSubMenu(0));
    EXPECT_EQ(taken.m_hMenu, popup);
    EXPECT_EQ(bar.GetMenuItemCount(), 0) << "the popup left the bar";
    EXPECT_EQ(bar.TakeSubMenu(0), nullptr);
    bar.DestroyMenu();
    EXPECT_TRUE(::IsMenu(popup)) << "the bar's end leaves the popup it gave away";
    taken.DestroyMenu();
    EXPECT_FALSE(::IsMenu(popup));
}
