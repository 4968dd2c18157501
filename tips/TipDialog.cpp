// Tip of the Day.
#include "tips/TipDialog.h"

#include "framework/DataExchange.h"
#include "framework/Gdi.h"
#include "res/resource.h"
#include "settings/Profile.h"

namespace {

// Posted from the dialog's initialisation, so that a trouble report stands
// over the dialog rather than before it.
constexpr UINT kReportTrouble = WM_APP + 1;

// The tips file's stamp: its creation time, or its last write where the file
// system keeps no creation time; empty when the file cannot be asked.
std::string StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return "";
    FILETIME t = data.ftCreationTime;
    if (t.dwLowDateTime == 0 && t.dwHighDateTime == 0)
        t = data.ftLastWriteTime;
    ULARGE_INTEGER ticks; // 100 ns since 1601
    ticks.LowPart = t.dwLowDateTime;
    ticks.HighPart = t.dwHighDateTime;
    constexpr unsigned long long kUnixEpoch = 116444736000000000ULL;
    if (ticks.QuadPart < kUnixEpoch)
        return "";
    return TipsTimeStamp(static_cast<std::time_t>((ticks.QuadPart - kUnixEpoch) / 10000000ULL));
}

} // namespace

BEGIN_MESSAGE_MAP(CTipDialog, CDialog)
ON_BN_CLICKED(IDC_TIP_NEXT, OnNextTip)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
ON_MESSAGE(kReportTrouble, OnReportTrouble)
END_MESSAGE_MAP()

CTipDialog::CTipDialog(CWnd* pParent, const std::string& tipsPath) : CDialog(IDD_TIP, pParent) {
    const CWinApp* app = AfxGetApp();
    m_bStartup = ReadSetting(settings::kTipSection, settings::kTipStartUp) == 0 ? 1 : 0;
    if (!m_file.Open(tipsPath)) {
        m_strTip = CWinApp::LoadString(IDS_TIP_FILE_ABSENT);
        return;
    }
    long long position = ReadSetting(settings::kTipSection, settings::kTipFilePos);
    // Another file than the one the position was stored for starts from its top.
    const std::string stamp = StampOf(tipsPath);
    if (app->GetProfileString(settings::kTipSection, settings::kTipTimeStamp, "") != stamp) {
        position = 0;
        app->WriteProfileString(settings::kTipSection, settings::kTipTimeStamp, stamp.c_str());
    }
    m_file.SetPosition(position);
    ReadNextTip();
}

CTipDialog::~CTipDialog() {
    if (!m_file.IsOpen())
        return;
    // A profile holds ints: a position past that (a tips file over 2 GB)
    // starts from the top next time.
    long long position = m_file.Position();
    WriteSetting(settings::kTipSection, settings::kTipFilePos,
                 position <= settings::kTipFilePos.max ? static_cast<int>(position) : 0);
}

void CTipDialog::ReadNextTip() {
    if (m_file.Next(m_strTip) == TipResult::Found)
        return;
    // Nothing to go on with: no tip line in the file, or a file that cannot
    // be read. The search has ended; Next Tip goes grey.
    m_strTip.clear();
    m_file.Close();
    m_trouble = true;
}

void CTipDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, IDC_TIP_STARTUP, m_bStartup);
    DDX_Text(pDX, IDC_TIP_TEXT, m_strTip);
}

BOOL CTipDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    MoveOntoMonitor(m_hWnd, PointerMonitor()); // where the user works, never across two
    EnableNextTip();
    if (m_trouble)
        PostMessage(kReportTrouble);
    return TRUE;
}

void CTipDialog::EnableNextTip() {
    ::EnableWindow(GetDlgItem(IDC_TIP_NEXT), m_file.IsOpen());
}

LRESULT CTipDialog::OnReportTrouble(WPARAM, LPARAM) {
    m_trouble = false;
    // A modal dialog shows once its first messages are done: this may come
    // before that, and the report stands over the dialog, not alone.
    ShowWindow(SW_SHOW);
    ::UpdateWindow(m_hWnd);
    AfxMessageBox(CWinApp::LoadString(IDS_TIP_FILE_ERROR).c_str(), MB_OK | MB_ICONEXCLAMATION,
                  m_hWnd);
    return 0;
}

void CTipDialog::OnNextTip() {
    // The box keeps what the user made of it while the tips go by.
    UpdateData(TRUE);
    ReadNextTip();
    UpdateData(FALSE);
    if (!m_file.IsOpen()) {
        // The focus leaves the button before it goes grey.
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDOK)), TRUE);
        EnableNextTip();
    }
    if (m_trouble)
        PostMessage(kReportTrouble);
}

void CTipDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
    // Only Close stores the box; Esc and the system menu leave it as it was.
    WriteSetting(settings::kTipSection, settings::kTipStartUp, m_bStartup ? 0 : 1);
}

void CTipDialog::OnPaint() {
    CPaintDC dc(m_hWnd);
    RECT area;
    ::GetWindowRect(GetDlgItem(IDC_TIP_AREA), &area);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    FillSolidRect(dc, area, RGB(255, 255, 255));

    // The light bulb in the top left corner of the white area, the heading
    // beside it, centred on the bulb's height.
    CBitmap bulb;
    BITMAP bm = {};
    if (!bulb.LoadBitmap(IDB_LIGHTBULB) || !::GetObjectA(bulb, sizeof bm, &bm))
        return;
    {
        CMemDC mem(dc);
        CSelectObject keep(mem, bulb);
        ::BitBlt(dc, area.left, area.top, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    }
    RECT band = {area.left + bm.bmWidth, area.top, area.right, area.top + bm.bmHeight};
    const std::string heading = CWinApp::LoadString(IDS_TIP_HEADING);
    ::DrawTextA(dc, heading.c_str(), -1, &band, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

HBRUSH CTipDialog::OnCtlColor(HDC dc, HWND ctl, UINT ctlType) {
    if (ctlType == CTLCOLOR_STATIC && ::GetDlgCtrlID(ctl) == IDC_TIP_TEXT) {
        ::SetBkColor(dc, RGB(255, 255, 255));
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
    return nullptr; // the dialog's own colours
}
