// The Color page.
#include "color/AutoClickPage.h"

#include <algorithm>
#include <cstring>

#include "color/ColorEditDialog.h"
#include "core/ColorModel.h"
#include "core/PickerReading.h"
#include "framework/DataExchange.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "hooklib/Quillet.h"
#include "res/resource.h"
#include "skin/EtchedFrames.h"

namespace {

constexpr UINT_PTR kSampleTimer = 1;
constexpr UINT kSampleMs = 100;
constexpr RECT kPickBox = {250, 130, 314, 150};
constexpr char kPickLabel[] = "Drag & Pick";
// This page's lower caption stands a little further right than the others'.
constexpr int kOptionCaptionX = 25;

HCURSOR Eyedropper() {
    return ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_EYEDROPPER));
}

void SetArrowCursor() {
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

bool InBox(const RECT& box, POINT pt) {
    return pt.x >= box.left && pt.x < box.right && pt.y >= box.top && pt.y < box.bottom;
}

// Puts text on the clipboard; false when the clipboard cannot be had.
bool CopyText(HWND owner, const std::string& text) {
    if (!::OpenClipboard(owner))
        return false;
    bool done = false;
    if (HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* p = ::GlobalLock(mem)) {
            std::memcpy(p, text.c_str(), text.size() + 1);
            ::GlobalUnlock(mem);
            ::EmptyClipboard();
            done = ::SetClipboardData(CF_TEXT, mem) != nullptr;
        }
        // The clipboard owns the memory only once it has taken it.
        if (!done)
            ::GlobalFree(mem);
    }
    ::CloseClipboard();
    return done;
}

} // namespace

// The HTML colour's edit.

BEGIN_MESSAGE_MAP(CHtmlColorEdit, CWnd)
ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
END_MESSAGE_MAP()

LRESULT CHtmlColorEdit::OnContextMenu(WPARAM, LPARAM lp) {
    enum : UINT { kCopyCss = 1, kCopy, kSelectAll };
    POINT at = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (lp == -1) { // from the keyboard: under the edit
        RECT rc;
        ::GetWindowRect(m_hWnd, &rc);
        at = {rc.left, rc.bottom};
    }
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    CMenu menu;
    menu.Attach(::CreatePopupMenu());
    ::AppendMenuA(menu, MF_STRING, kCopyCss, "Copy &as #RRGGBB");
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING | (start == end ? MF_GRAYED : 0), kCopy, "&Copy");
    ::AppendMenuA(menu, MF_STRING, kSelectAll, "Select A&ll");
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                         at.y, 0, m_hWnd, nullptr));
    switch (chosen) {
    case kCopyCss:
        // The colour the page shows, whatever has been typed over its text.
        if (!CopyText(m_hWnd, FormatCssHexText(m_state.crPicked)))
            ::MessageBeep(MB_ICONEXCLAMATION);
        break;
    case kCopy:
        SendMessage(WM_COPY);
        break;
    case kSelectAll:
        SendMessage(EM_SETSEL, 0, -1);
        break;
    default:
        break;
    }
    return 0;
}

// The page.

BEGIN_MESSAGE_MAP(CAutoClick, CHotkeyPage)
ON_WM_TIMER()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_BN_CLICKED(IDC_COLOR_EDIT, OnEditColor)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CAutoClick::CAutoClick(PickerState& state)
    : CHotkeyPage(IDD_COLOR_PAGE, IDC_COLOR_HOTKEY, settings::kPickerKey,
                  settings::kPickerModifiers),
      m_state(state), m_htmlEdit(state) {
    SetHelpTopic("colorpicker.htm", IDC_COLOR_HELP);
    TakeStoredSettings();
}

void CAutoClick::HandToLibrary() const {
    QLSetAutoClickParams(m_wKey, m_wMod);
}

void CAutoClick::DoDataExchange(CDataExchange* pDX) {
    CHotkeyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COLOR_RGB, m_strRgb);
    DDX_Control(pDX, IDC_COLOR_HELP, m_btnHelp);
    DDX_Control(pDX, IDC_COLOR_EDIT, m_btnEdit);
    DDX_Text(pDX, IDC_COLOR_HTML, m_strHtml);
    DDX_Text(pDX, IDC_COLOR_POSITION, m_strPosition);
    DDX_Control(pDX, IDC_COLOR_HTML, m_htmlEdit);
}

BOOL CAutoClick::OnInitDialog() {
    CHotkeyPage::OnInitDialog();
    // The sampling lives and dies with this window: a closed options window
    // leaves no timer behind.
    ::SetTimer(m_hWnd, kSampleTimer, kSampleMs, nullptr);
    WearSkin(m_btnHelp);
    WearSkin(m_btnEdit);
    // Stretched with the frames, and large enough for its label in the face at hand.
    const EtchedScale scale = EtchedScaleOf(m_hWnd);
    m_rcPick = scale.Rect(kPickBox);
    CClientDC dc(m_hWnd);
    CFont font;
    CreateCaptionFont(font, scale.dpi);
    CSelectObject selFont(dc, font);
    SIZE label = {0, 0};
    if (::GetTextExtentPoint32A(dc, kPickLabel, sizeof kPickLabel - 1, &label)) {
        m_rcPick.right = std::max<LONG>(m_rcPick.right, m_rcPick.left + 2 + label.cx + 3);
        m_rcPick.bottom = std::max<LONG>(m_rcPick.bottom, m_rcPick.top + 2 + label.cy + 2);
    }
    return TRUE;
}

void CAutoClick::ShowPickedTexts() {
    m_strRgb = FormatRgbText(m_state.crPicked);
    m_strHtml = FormatHtmlText(m_state.crPicked);
    UpdateData(FALSE);
}

void CAutoClick::Sample(POINT p) {
    m_strPosition = FormatPositionText(p.x, p.y);
    COLORREF sample;
    {
        CClientDC screen(nullptr);
        sample = ::GetPixel(screen, p.x, p.y);
    }
    m_state.crPicked = PickedColor(sample);
    {
        CClientDC dc(m_hWnd);
        FillSolidRect(dc, GroupBoxInside(IDC_COLOR_SWATCH), m_state.crPicked);
    }
    ShowPickedTexts();
    // The position edit lets the page's picture show through it, so the old
    // digits are painted over by that picture before the new ones go on.
    // The edit's caret is hidden meanwhile: it is drawn by inverting, and
    // the picture painted over it would otherwise keep a stray line.
    if (HWND position = GetDlgItem(IDC_COLOR_POSITION)) {
        RECT rc;
        ::GetWindowRect(position, &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        const bool caretHidden = ::HideCaret(position) != FALSE;
        ::RedrawWindow(m_hWnd, &rc, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (caretHidden)
            ::ShowCaret(position);
    }
    m_state.ptLastPick = p;
}

void CAutoClick::OnTimer(UINT_PTR id) {
    if (id != kSampleTimer) {
        Default();
        return;
    }
    POINT p;
    if (!::GetCursorPos(&p))
        return;
    // Nothing is read again while the pointer stands still or the readings are frozen.
    if ((p.x != m_state.ptLastPick.x || p.y != m_state.ptLastPick.y) && m_state.bPickerTracking)
        Sample(p);
}

// Drag & Pick

void CAutoClick::OnMouseMove(UINT, POINT pt) {
    if (!m_state.bPickerDragging) {
        if (InBox(m_rcPick, pt))
            ::SetCursor(Eyedropper());
        else
            SetArrowCursor();
    }
    Default();
}

void CAutoClick::OnLButtonDown(UINT, POINT pt) {
    if (InBox(m_rcPick, pt)) {
        m_state.bPickerTracking = true;
        ::SetCapture(m_hWnd);
        m_state.bPickerDragging = true;
        ::SetCursor(Eyedropper());
    }
    Default();
}

void CAutoClick::OnLButtonUp(UINT, POINT) {
    if (m_state.bPickerDragging)
        EndDrag();
    Default();
}

void CAutoClick::EndDrag() {
    // The colour under the eyedropper at the last tick stays.
    m_state.bPickerTracking = false;
    m_state.bPickerDragging = false;
    ::ReleaseCapture();
    SetArrowCursor();
}

void CAutoClick::OnCaptureChanged(HWND hwndNew) {
    // A drag whose capture is taken away (another window came up, the
    // options window closed) ends as a release does; otherwise it would
    // outlive the window and the next click anywhere on the page would end it.
    if (m_state.bPickerDragging && hwndNew != m_hWnd)
        EndDrag();
    Default();
}

void CAutoClick::OnEditColor() {
    m_state.bPickerTracking = false;
    // Owned by the options window, which stays on top of other windows: the
    // editor comes up above it, and the options window waits for it.
    CColorEditDialog dlg(m_state.crPicked, Sheet());
    CWaitCursor wait; // until the editor shows: it makes its pictures first
    if (dlg.DoModal() == IDOK && m_hWnd) {
        m_state.crPicked = ColorWordFromRgb(dlg.m_rgbCurrent);
        ShowPickedTexts();
        Invalidate(TRUE);
    }
}

void CAutoClick::OnPaint() {
    CPaintDC dc(m_hWnd);
    const EtchedScale scale = EtchedScaleOf(m_hWnd);
    PaintEtchedFrames(dc, "Color Picker", "Picker Option", kOptionCaptionX, scale);
    FillSolidRect(dc, GroupBoxInside(IDC_COLOR_SWATCH), m_state.crPicked);

    // The Drag & Pick box, outlined in the inverse of the skin's sample colour.
    COLORREF sample = RGB(192, 192, 192);
    if (CSkinnedSheet* sheet = Sheet())
        sample = RGB(sheet->m_skin.sampleRed & 0xFF, sheet->m_skin.sampleGreen & 0xFF,
                     sheet->m_skin.sampleBlue & 0xFF);
    CPen pen(PS_SOLID, Scaled(2, scale.dpi),
             RGB(255 - GetRValue(sample), 255 - GetGValue(sample), 255 - GetBValue(sample)));
    CFont font;
    CreateCaptionFont(font, scale.dpi);
    CSaveDC save(dc);
    CSelectObject selBrush(dc, ::GetStockObject(NULL_BRUSH));
    CSelectObject selPen(dc, pen);
    CSelectObject selFont(dc, font);
    ::Rectangle(dc, m_rcPick.left, m_rcPick.top, m_rcPick.right, m_rcPick.bottom);
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutA(dc, m_rcPick.left + 2, m_rcPick.top + 2, kPickLabel, sizeof kPickLabel - 1);
}

void CAutoClick::OnDestroy() {
    ::KillTimer(m_hWnd, kSampleTimer);
    if (m_state.bPickerDragging)
        EndDrag();
    Default();
}
