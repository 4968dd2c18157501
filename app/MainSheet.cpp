// The options window.
#include "app/MainSheet.h"

#include <ctime>

#include "app/ToolboxApp.h"
#include "core/SkinPainter.h"
#include "framework/Gdi.h"
#include "framework/HtmlHelp.h"
#include "res/resource.h"
#include "settings/Profile.h"

namespace {
// Text colour of the tabs that are not selected.
const COLORREF kTabTextColour = RGB(97, 93, 199);
} // namespace

SkinScheme DefaultSkin() {
    SkinScheme s;
    s.dialogLook = {2, 4, 0, 18, 120, 160, 230};
    s.buttonLook = {4, 3, kButtonHoverBlend, 14, 120, 160, 230};
    s.sampleRed = s.sampleGreen = s.sampleBlue = 192;
    return s;
}

BEGIN_MESSAGE_MAP(CMainSheet, CSkinnedSheet)
ON_WM_MOVE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_DRAWITEM()
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CMainSheet::CMainSheet(CWnd* pParent, PickerState& picker)
    : CSkinnedSheet(CWinApp::LoadString(IDS_SHEET_CAPTION).c_str(), pParent, DefaultSkin()),
      m_colorPage(picker), m_aboutPage(*this) {
    AddPage(&m_colorPage);
    AddPage(&m_magnifyPage);
    AddPage(&m_capturePage);
    AddPage(&m_aboutPage);
}

void CMainSheet::LoadCurrentSkin() {
    ::LoadCurrentSkin(ToolboxApp()->m_szSchemePath, ReadSetting(settings::kRandomSkin),
                      m_randomPickMade, static_cast<unsigned>(std::time(nullptr)), ProcessRandom(),
                      m_skin);
}

BOOL CMainSheet::OnInitDialog() {
    BOOL result = CPropertySheet::OnInitDialog();
    HWND tab = GetTabControl();
    if (!tab)
        return FALSE;
    ::SetWindowLongPtrA(tab, GWL_STYLE, ::GetWindowLongPtrA(tab, GWL_STYLE) | TCS_OWNERDRAWFIXED);
    // On the monitor where the user works.
    MoveOntoMonitor(m_hWnd, PointerMonitor());
    ::GetWindowRect(m_hWnd, &m_rcLast);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetDlgItemTextA(m_hWnd, IDOK, "&Ok");
    ::SetDlgItemTextA(m_hWnd, IDCANCEL, "&Cancel");
    SetActivePage(ToolboxApp()->m_nLastPage);
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    GenerateSkin(m_background, rc.right - rc.left, rc.bottom - rc.top, m_skin.dialogLook,
                 CurrentSkinSystemColors());
    SetWindowText("  Zentrova 3.0");
    return result;
}

void CMainSheet::OnPaint() {
    // The sheet itself draws nothing; its pages paint the skin. Beginning
    // and ending the paint validates it the way the window manager expects
    // (a bare ValidateRect leaves the children unpainted under Wine).
    CPaintDC dc(m_hWnd);
}

void CMainSheet::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
    if (dis->hwndItem != GetTabControl()) {
        Default();
        return;
    }
    RECT rc = dis->rcItem;
    COLORREF sample =
        RGB(m_skin.sampleRed & 0xFF, m_skin.sampleGreen & 0xFF, m_skin.sampleBlue & 0xFF);
    COLORREF text = kTabTextColour;
    // The selected tab, with no other state than the keyboard focus: tab
    // rows report the focus on the selected tab whenever they hold it (Wine
    // always does), and the selected tab must still stand out then.
    if ((dis->itemState & ~static_cast<UINT>(ODS_FOCUS)) == ODS_SELECTED) {
        if (dis->itemID == 0)
            rc.left += 4;
        FillSolidRect(dis->hDC, rc, sample);
        ::OffsetRect(&rc, 1, 1);
        text = RGB(255 - GetRValue(sample), 255 - GetGValue(sample), 255 - GetBValue(sample));
    } else {
        ::OffsetRect(&rc, 2, 2);
    }
    char label[201] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label;
    item.cchTextMax = sizeof label - 1;
    TabCtrl_GetItem(dis->hwndItem, dis->itemID, &item);
    CSaveDC save(dis->hDC);
    ::SetTextColor(dis->hDC, text);
    ::SetBkMode(dis->hDC, TRANSPARENT);
    ::DrawTextA(dis->hDC, label, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

std::string CMainSheet::ContextHelpText(int id) {
    // The ranges are the settings' own.
    const auto range = [](const SettingDef& s) {
        return std::to_string(s.min) + " to " + std::to_string(s.max);
    };
    switch (id) {
    case IDC_MAG_HOTKEY:
    case IDC_MAG_HOTKEY_GROUP:
    case IDC_MAG_HOTKEY_CAPTION:
        return "The magnifier's hotkey: press it anywhere to show or hide the zoom window. "
               "A key alone or with Shift alone gets Ctrl added.";
    case IDC_MAG_FACTOR:
    case IDC_MAG_FACTOR_SPIN:
    case IDC_MAG_FACTOR_CAPTION:
    case IDC_MAG_FACTOR_UNIT:
        return "How many times the zoom window enlarges the region: " +
               range(settings::kZoomFactor) + ".";
    case IDC_MAG_REGION:
    case IDC_MAG_REGION_SPIN:
    case IDC_MAG_REGION_CAPTION:
    case IDC_MAG_REGION_UNIT:
        return "The side of the square region around the pointer that the zoom window shows, "
               "in pixels: " +
               range(settings::kZoomRegion) + ".";
    default:
        return "";
    }
}

BOOL CMainSheet::OnHelpInfo(HELPINFO* info) {
    if (info && info->iCtrlId >= IDC_MAG_FIRST && info->iCtrlId <= IDC_MAG_LAST) {
        if (const std::string text = ContextHelpText(info->iCtrlId); !text.empty()) {
            // The popup stands under the control the help is for.
            POINT at = info->MousePos;
            RECT rc;
            if (info->iContextType == HELPINFO_WINDOW &&
                ::GetWindowRect(static_cast<HWND>(info->hItemHandle), &rc))
                at = {rc.left, rc.bottom + 2};
            HtmlHelpTextPopup(m_hWnd, text.c_str(), at);
        }
    }
    return TRUE;
}

void CMainSheet::OnMove(int, int) {
    Default();
    ::GetWindowRect(m_hWnd, &m_rcLast);
}

void CMainSheet::OnDestroy() {
    ToolboxApp()->m_nLastPage = GetActiveIndex();
    Default();
}
