// The Magnify page.
#include "magnify/MagnifyPage.h"

#include "framework/DataExchange.h"
#include "framework/Gdi.h"
#include "hooklib/Quillet.h"
#include "res/resource.h"
#include "settings/Profile.h"
#include "skin/EtchedFrames.h"

namespace {

// What may be typed is the settings' range; the arrows go through less.
constexpr int kMaxWidthArrows = 50;
constexpr int kMaxFactorArrows = 5;

} // namespace

BEGIN_MESSAGE_MAP(CMagnifyPage, CHotkeyPage)
ON_EN_CHANGE(IDC_MAG_FACTOR, OnValueChange)
ON_EN_CHANGE(IDC_MAG_REGION, OnValueChange)
ON_BN_CLICKED(IDC_MAG_MAGNIFY, OnMagnify)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMagnifyPage::CMagnifyPage()
    : CHotkeyPage(IDD_MAGNIFY_PAGE, IDC_MAG_HOTKEY, settings::kMagnifierKey,
                  settings::kMagnifierModifiers) {
    SetHelpTopic("magnify.htm", IDC_MAG_HELP);
    TakeStoredSettings();
}

void CMagnifyPage::ReadSettings() {
    CHotkeyPage::ReadSettings();
    m_nWidth = ReadSetting(settings::kZoomRegion);
    m_nFactor = ReadSetting(settings::kZoomFactor);
    m_bNoPersist = ReadSetting(settings::kNoPersist);
}

void CMagnifyPage::WriteSettings() const {
    CHotkeyPage::WriteSettings();
    WriteSetting(settings::kZoomRegion, m_nWidth);
    WriteSetting(settings::kZoomFactor, m_nFactor);
    // Not on the page, but kept as it was read.
    WriteSetting(settings::kNoPersist, m_bNoPersist);
}

void CMagnifyPage::HandToLibrary() const {
    // The region is square.
    QLSetZoomParams(m_nWidth, m_nWidth, m_wKey, m_wMod, settings::kZoomGap, m_nFactor,
                    m_bNoPersist == 0);
}

void CMagnifyPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_MAG_REGION_SPIN, m_regionSpin);
    DDX_Control(pDX, IDC_MAG_FACTOR_SPIN, m_factorSpin);
    CHotkeyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MAG_FACTOR, m_nFactor);
    DDV_MinMaxInt(pDX, m_nFactor, settings::kZoomFactor.min, settings::kZoomFactor.max);
    DDX_Text(pDX, IDC_MAG_REGION, m_nWidth);
    DDV_MinMaxInt(pDX, m_nWidth, settings::kZoomRegion.min, settings::kZoomRegion.max);
    DDX_Control(pDX, IDC_MAG_HELP, m_btnHelp);
    DDX_Control(pDX, IDC_MAG_MAGNIFY, m_btnMagnify);
}

BOOL CMagnifyPage::OnInitDialog() {
    // The edits start from what is stored, not from what an earlier, cancelled
    // opening of the options window left in the members.
    ReadSettings();
    CHotkeyPage::OnInitDialog();
    WearSkin(m_btnHelp);
    WearSkin(m_btnMagnify);
    return TRUE;
}

BOOL CMagnifyPage::OnSetActive() {
    m_regionSpin.SetRange(settings::kZoomRegion.min, kMaxWidthArrows);
    m_factorSpin.SetRange(settings::kZoomFactor.min, kMaxFactorArrows);
    return CHotkeyPage::OnSetActive();
}

void CMagnifyPage::OnValueChange() {
    SetModified(TRUE);
}

void CMagnifyPage::OnMagnify() {
    // A refused value has been reported; the stored settings stay in force,
    // and the magnifier still comes up with them.
    Apply();
    // The options window goes first: closing it hides the zoom window, so the
    // tray's Magnify then finds it hidden and shows it.
    EndSheet(IDOK);
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
        app->m_pMainWnd->PostMessage(WM_COMMAND, ID_MAGNIFY);
}

void CMagnifyPage::OnPaint() {
    CPaintDC dc(m_hWnd);
    PaintEtchedFrames(dc, "Magnify Glass", "Magnify Option", etched::kCaptionX,
                      EtchedScaleOf(m_hWnd));
}

void CMagnifyPage::OnDestroy() {
    // Closing the options window hides the zoom window.
    QLShowZoomWindow(0);
    Default();
}
