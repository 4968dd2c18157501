// The skin dialog.
#include "skineditor/SkinDialog.h"

#include <commctrl.h>

#include <cstdio>
#include <utility>

#include "color/ColorEditDialog.h"
#include "core/BmpFile.h"
#include "core/SkinPainter.h"
#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/FileDialogs.h"
#include "framework/Gdi.h"
#include "res/resource.h"
#include "settings/Profile.h"
#include "skineditor/SchemeNameDialog.h"

namespace {

constexpr char kCreateFileError[] = "Create file error!";
constexpr char kOpenFileError[] = "Open file error!";
constexpr char kDefaultSkinKept[] = "You can't delete the default skin!";
constexpr char kVscFilter[] = "Skin Files (*.vsc)\0*.vsc\0";
constexpr int kSaveSampleCount = 30, kSampleCount = 60;
// The preview area a click switches to the dialog look (client pixels, bounds excluded).
constexpr int kClickLeft = 30, kClickRight = 270, kClickTop = 50, kClickBottom = 230;

// Text an edit holds while the user is still typing a number: no value yet.
bool NoValueYet(HWND edit) {
    char text[4] = "";
    const int length = ::GetWindowTextA(edit, text, sizeof text);
    return length == 0 || (length == 1 && (text[0] == '-' || text[0] == '+'));
}

// The preview and the places a click or a sample refer to are in pixels, and the controls
// around them are placed for the System font, which makes a dialog unit 2 pixels each way at
// 96 DPI (and 2 pixels scaled at another). Where the dialog font measures otherwise, each
// control is moved to where that font would put it, and the dialog sized to match.
PixelLayout PixelLayoutOf(HWND dialog) {
    PixelLayout layout;
    RECT unit = {0, 0, 4, 8};
    ::MapDialogRect(dialog, &unit);
    layout.perFourX = unit.right; // 8 and 16 with the System font at 96 DPI
    layout.perEightY = unit.bottom;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rc;
        ::GetWindowRect(child, &rc);
        char cls[16] = "";
        ::GetClassNameA(child, cls, sizeof cls);
        // A drop-down list's height includes its list.
        if (lstrcmpiA(cls, "ComboBox") == 0)
            ::SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rc));
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
        layout.controls.emplace_back(child, rc);
    }
    ::GetClientRect(dialog, &layout.client);
    return layout;
}

// Places the controls and sizes the dialog for `dpi` from the layout the template gave. Unless
// told `always`, returns false, touching nothing, where the template's layout already is that.
bool LayOutForPixelPreview(HWND dialog, const PixelLayout& from, UINT dpi, bool always = false) {
    const int wantX = Scaled(8, dpi), wantY = Scaled(16, dpi);
    if (from.perFourX <= 0 || from.perEightY <= 0 ||
        (from.perFourX == wantX && from.perEightY == wantY && !always))
        return false;
    auto scale = [&](RECT rc) {
        rc.left = ::MulDiv(rc.left, wantX, from.perFourX);
        rc.right = ::MulDiv(rc.right, wantX, from.perFourX);
        rc.top = ::MulDiv(rc.top, wantY, from.perEightY);
        rc.bottom = ::MulDiv(rc.bottom, wantY, from.perEightY);
        return rc;
    };
    for (const auto& [child, original] : from.controls) {
        const RECT rc = scale(original);
        ::SetWindowPos(child, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client = scale(from.client);
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongA(dialog, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&client, style, FALSE, exStyle);
    ::SetWindowPos(dialog, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    return true;
}

} // namespace

// Mode 0, the plain noise, and colorings above 100 are typed only.
const CSkinDialog::Field CSkinDialog::kFields[] = {
    {IDC_SKIN_MODE, IDC_SKIN_MODE_SPIN, 0, 8, 1, 8, &CSkinDialog::m_mode},
    {IDC_SKIN_GRANULARITY, IDC_SKIN_GRANULARITY_SPIN, 0, 100, 0, 100, &CSkinDialog::m_granularity},
    {IDC_SKIN_COLORING, IDC_SKIN_COLORING_SPIN, 0, 255, 0, 100, &CSkinDialog::m_coloring},
};

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_HSCROLL, OnHScroll)
ON_EN_CHANGE(IDC_SKIN_MODE, OnFieldChanged)
ON_EN_CHANGE(IDC_SKIN_GRANULARITY, OnFieldChanged)
ON_EN_CHANGE(IDC_SKIN_COLORING, OnFieldChanged)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SKIN_RED, OnColourReleased)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SKIN_GREEN, OnColourReleased)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SKIN_BLUE, OnColourReleased)
ON_CONTROL(CBN_SELCHANGE, IDC_SKIN_LIST, OnListSelected)
ON_BN_CLICKED(IDC_SKIN_TARGET_DIALOG, OnTargetDialog)
ON_BN_CLICKED(IDC_SKIN_TARGET_BUTTON, OnTargetButton)
ON_BN_CLICKED(IDC_SKIN_PREVIEW_BUTTON, OnPreviewButton)
ON_BN_CLICKED(IDC_SKIN_EDIT_COLOR, OnEditColour)
ON_BN_CLICKED(IDC_SKIN_SAVE, OnSave)
ON_BN_CLICKED(IDC_SKIN_IMPORT, OnImport)
ON_BN_CLICKED(IDC_SKIN_EXPORT, OnExport)
ON_BN_CLICKED(IDC_SKIN_DELETE, OnDelete)
ON_BN_CLICKED(IDC_SKIN_CANCEL, OnCancelButton)
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog(std::string schemePath, const SkinScheme& current,
                         std::function<void()> reloadCurrent)
    : CDialog(IDD_SKIN), m_schemePath(std::move(schemePath)), m_current(current),
      m_reloadCurrent(std::move(reloadCurrent)) {
    SetHelpTopic("skin.htm", IDC_SKIN_HELP);
}

CSkinDialog::~CSkinDialog() = default;

void CSkinDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SKIN_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Control(pDX, IDC_SKIN_SAVE, m_btnSave);
    DDX_Control(pDX, IDC_SKIN_PREVIEW_BUTTON, m_btnPreview);
    DDX_Control(pDX, IDC_SKIN_EDIT_COLOR, m_btnEditColour);
    DDX_Control(pDX, IDC_SKIN_IMPORT, m_btnImport);
    DDX_Control(pDX, IDC_SKIN_EXPORT, m_btnExport);
    DDX_Control(pDX, IDC_SKIN_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_SKIN_HELP, m_btnHelp);
    for (const Field& f : kFields) {
        DDX_Text(pDX, f.edit, this->*f.value);
        DDV_MinMaxInt(pDX, this->*f.value, f.min, f.max);
    }
    // The check box is only read here: it is set once, when the dialog opens, so that showing
    // another look never undoes a tick the user has made.
    if (pDX->m_bSaveAndValidate)
        m_random = ::IsDlgButtonChecked(m_hWnd, IDC_SKIN_RANDOM) == BST_CHECKED;
}

BOOL CSkinDialog::OnInitDialog() {
    m_exchanging = true;
    CDialog::OnInitDialog(); // attaches the buttons
    m_dpi = DpiOf(m_hWnd);
    m_template = PixelLayoutOf(m_hWnd);
    // On the monitor where the user works, centred there: the dialog has no owner to go by.
    if (LayOutForPixelPreview(m_hWnd, m_template, m_dpi))
        CentreOnMonitor(m_hWnd, PointerMonitor());
    MoveOntoMonitor(m_hWnd, PointerMonitor());
    const SkinLook& own = m_current.buttonLook;
    for (CSkinButton* button : {&m_btnCancel, &m_btnOk, &m_btnSave, &m_btnPreview, &m_btnEditColour,
                                &m_btnImport, &m_btnExport, &m_btnDelete, &m_btnHelp})
        button->SetSkin(own);

    for (int id : {IDC_SKIN_RED, IDC_SKIN_GREEN, IDC_SKIN_BLUE})
        ::SendDlgItemMessageA(m_hWnd, id, TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
    m_rcSwatch = GroupBoxInside(IDC_SKIN_SWATCH);
    CheckTarget(Target::kDialog);
    m_live = true;
    for (const Field& f : kFields)
        ::SendDlgItemMessageA(m_hWnd, f.spin, UDM_SETRANGE32, f.spinMin, f.spinMax);

    HWND list = GetDlgItem(IDC_SKIN_LIST);
    // List item k is always scheme k + 1; without a file the library is empty.
    ReadSchemeFile(m_schemePath, m_library, [list](const char* name) {
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    });
    ::SendMessageA(list, CB_SETCURSEL, 0, 0);
    m_target = Target::kDialog;
    // Without a library the dialog starts from the look the program wears, which OK keeps.
    if (m_library.count > 0)
        CopyLooksOf(1);
    else
        CopyLooks(m_current);
    ShowLook(m_working.dialogLook);

    m_random = ReadSetting(settings::kRandomSkin) != 0;
    ::CheckDlgButton(m_hWnd, IDC_SKIN_RANDOM, m_random ? BST_CHECKED : BST_UNCHECKED);
    ShowValues();
    m_exchanging = false;
    return TRUE;
}

SkinLook& CSkinDialog::TargetLook() {
    return m_target == Target::kDialog ? m_working.dialogLook : m_working.buttonLook;
}

bool CSkinDialog::ReadFields() {
    const bool exchanging = m_exchanging;
    m_exchanging = true;
    const bool valid = UpdateData(TRUE) != FALSE;
    m_exchanging = exchanging;
    return valid;
}

void CSkinDialog::ShowValues() {
    const bool exchanging = m_exchanging;
    m_exchanging = true;
    UpdateData(FALSE);
    m_exchanging = exchanging;
}

void CSkinDialog::OnDpiChanged(UINT dpi) {
    m_dpi = dpi;
    LayOutForPixelPreview(m_hWnd, m_template, m_dpi, true);
    m_rcSwatch = GroupBoxInside(IDC_SKIN_SWATCH);
}

void CSkinDialog::ShowLook(const SkinLook& look) {
    m_mode = look.mode;
    m_granularity = look.granularity;
    m_coloring = look.coloring;
    const COLORREF colour = SkinLookColor(look);
    m_red = GetRValue(colour);
    m_green = GetGValue(colour);
    m_blue = GetBValue(colour);
    SetTrackbars();
    ShowValues();
}

void CSkinDialog::StoreFieldsIn(SkinLook& look) const {
    look.mode = m_mode;
    look.granularity = m_granularity;
    look.coloring = m_coloring;
    look.red = m_red;
    look.green = m_green;
    look.blue = m_blue;
}

void CSkinDialog::SetTrackbars() {
    ::SendDlgItemMessageA(m_hWnd, IDC_SKIN_RED, TBM_SETPOS, TRUE, m_red);
    ::SendDlgItemMessageA(m_hWnd, IDC_SKIN_GREEN, TBM_SETPOS, TRUE, m_green);
    ::SendDlgItemMessageA(m_hWnd, IDC_SKIN_BLUE, TBM_SETPOS, TRUE, m_blue);
}

void CSkinDialog::ReadTrackbars() {
    m_red = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_SKIN_RED, TBM_GETPOS, 0, 0));
    m_green = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_SKIN_GREEN, TBM_GETPOS, 0, 0));
    m_blue = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_SKIN_BLUE, TBM_GETPOS, 0, 0));
}

void CSkinDialog::CopyLooksOf(int scheme) {
    CopyLooks(m_library.Scheme(scheme));
}

void CSkinDialog::CopyLooks(const SkinScheme& s) {
    m_working.dialogLook = s.dialogLook;
    m_working.buttonLook = s.buttonLook;
    // The working scheme previews its button without the hover mix.
    m_working.dialogLook.hoverBlend = m_working.buttonLook.hoverBlend = 0;
}

void CSkinDialog::CheckTarget(Target target) {
    ::CheckDlgButton(m_hWnd, IDC_SKIN_TARGET_DIALOG,
                     target == Target::kDialog ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_SKIN_TARGET_BUTTON,
                     target == Target::kButton ? BST_CHECKED : BST_UNCHECKED);
}

void CSkinDialog::SwitchTarget(Target target) {
    if (m_target == target)
        return;
    ReadFields();
    // The values shown belong to the look being left.
    StoreFieldsIn(TargetLook());
    m_target = target;
    ShowLook(TargetLook());
    Invalidate();
}

void CSkinDialog::FillSwatch(HDC dc) const {
    FillSolidRect(dc, m_rcSwatch, RGB(m_red, m_green, m_blue));
}

void CSkinDialog::OnPaint() {
    CPaintDC dc(m_hWnd);
    FillSwatch(dc);
    // Fresh noise at every paint, as the painter makes it for any dialog that opens.
    // Generated at the size it is shown, so that it is as sharp at any scale.
    GenerateSkin(m_preview, Px(kPreviewWidth), Px(kPreviewHeight), m_working.dialogLook,
                 CurrentSkinSystemColors());
    m_preview.Draw(dc, Px(kPreviewX), Px(kPreviewY));
    SkinLook button = m_working.buttonLook;
    button.hoverBlend = 0; // the preview shows the look itself
    m_btnPreview.SetSkin(button);
}

void CSkinDialog::OnLButtonDown(UINT, POINT point) {
    Default();
    if (point.x > Px(kClickLeft) && point.x < Px(kClickRight) && point.y > Px(kClickTop) &&
        point.y < Px(kClickBottom)) {
        CheckTarget(Target::kDialog);
        SwitchTarget(Target::kDialog);
    } else if (::PtInRect(&m_rcSwatch, point)) {
        OnEditColour();
    } else {
        // No title bar: the background moves the dialog.
        POINT screen = point;
        ::ClientToScreen(m_hWnd, &screen);
        ::ReleaseCapture();
        SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    }
}

void CSkinDialog::OnFieldChanged() {
    if (!m_live || m_exchanging)
        return;
    for (int id : {IDC_SKIN_MODE, IDC_SKIN_GRANULARITY, IDC_SKIN_COLORING})
        if (NoValueYet(GetDlgItem(id)))
            return;
    // A value out of range is reported, and still previewed as typed.
    ReadFields();
    SkinLook& look = TargetLook();
    look.mode = m_mode;
    look.granularity = m_granularity;
    look.coloring = m_coloring;
    Invalidate();
}

void CSkinDialog::OnColourReleased(NMHDR*, LRESULT* result) {
    *result = 0;
    ReadFields();
    m_rcSwatch = GroupBoxInside(IDC_SKIN_SWATCH);
    ReadTrackbars();
    SkinLook& look = TargetLook();
    look.red = m_red;
    look.green = m_green;
    look.blue = m_blue;
    Invalidate();
    CClientDC dc(m_hWnd);
    FillSwatch(dc);
}

LRESULT CSkinDialog::OnHScroll(WPARAM wp, LPARAM lp) {
    // The keyboard moves a trackbar without a press and a release of the mouse: its last step
    // counts as the release.
    HWND bar = reinterpret_cast<HWND>(lp);
    if (LOWORD(wp) == TB_ENDTRACK && bar && ::GetCapture() != bar) {
        NMHDR nm = {bar, static_cast<UINT_PTR>(::GetDlgCtrlID(bar)), NM_RELEASEDCAPTURE};
        LRESULT result = 0;
        OnColourReleased(&nm, &result);
    }
    return 0;
}

void CSkinDialog::OnListSelected() {
    const int item =
        static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0));
    if (item < 0 || item >= m_library.count)
        return;
    CopyLooksOf(item + 1);
    ShowLook(TargetLook());
    Invalidate();
}

void CSkinDialog::OnTargetDialog() {
    SwitchTarget(Target::kDialog);
}

void CSkinDialog::OnTargetButton() {
    SwitchTarget(Target::kButton);
}

void CSkinDialog::OnPreviewButton() {
    CheckTarget(Target::kButton);
    SwitchTarget(Target::kButton);
}

void CSkinDialog::OnEditColour() {
    // Owned by this dialog, so that it stays modal over it.
    CColorEditDialog editor(RGB(m_red, m_green, m_blue), this);
    CWaitCursor wait; // until the editor shows: it makes its pictures first
    if (editor.DoModal() == IDOK && m_hWnd) {
        m_red = editor.m_rgbCurrent.red;
        m_green = editor.m_rgbCurrent.green;
        m_blue = editor.m_rgbCurrent.blue;
        SetTrackbars();
        ShowValues();
        SkinLook& look = TargetLook();
        look.red = m_red;
        look.green = m_green;
        look.blue = m_blue;
        Invalidate();
    }
}

void CSkinDialog::Sample(int x, int count) {
    // A pending repaint first, so the sample is of the look as it stands now.
    ::UpdateWindow(m_hWnd);
    const std::uint32_t mean =
        MeanRowColor(m_preview, Px(x - kPreviewX), Px(kSampleRow - kPreviewY), Px(count));
    m_working.sampleRed = static_cast<int>(mean & 0xFF);
    m_working.sampleGreen = static_cast<int>(mean >> 8 & 0xFF);
    m_working.sampleBlue = static_cast<int>(mean >> 16 & 0xFF);
}

bool CSkinDialog::WriteLibrary(const SkinSchemeTable& before) {
    if (WriteSchemeFile(m_schemePath, m_library))
        return true;
    m_library = before;
    AfxMessageBox(kCreateFileError, MB_OK | MB_ICONEXCLAMATION, m_hWnd);
    return false;
}

void CSkinDialog::TellLibraryFull() {
    char text[160];
    std::snprintf(text, sizeof text,
                  "The skin library is full: it holds %d skins. Delete one first, or save "
                  "under the name of a skin it holds.",
                  SkinSchemeTable::kCapacity);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION, m_hWnd);
}

bool CSkinDialog::StoreWorking(const char* name) {
    SkinSchemeTable& library = m_library;
    const SkinSchemeTable before = library;
    const int stored = StoreScheme(library, name, m_working);
    if (stored == 0) {
        TellLibraryFull();
        return false;
    }
    if (!WriteLibrary(before))
        return false;
    if (stored > before.count)
        ::SendDlgItemMessageA(m_hWnd, IDC_SKIN_LIST, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(library.Scheme(stored).name));
    // The list shows the name the look is now kept under.
    ::SendDlgItemMessageA(m_hWnd, IDC_SKIN_LIST, CB_SETCURSEL, static_cast<WPARAM>(stored - 1), 0);
    return true;
}

void CSkinDialog::OnSave() {
    CSchemeNameDialog prompt(this);
    if (prompt.DoModal() != IDOK)
        return;
    Sample(kSaveSampleX, kSaveSampleCount);
    StoreWorking(prompt.m_name);
}

bool CSkinDialog::AskVscPath(bool save, std::string& path) {
    char file[MAX_PATH] = "*.vsc";
    OPENFILENAMEA ofn = FileDialogFields(m_hWnd, kVscFilter, file, sizeof file,
                                         OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : 0));
    if (!(save ? ShowSaveFileDialog(&ofn) : ShowOpenFileDialog(&ofn)))
        return false;
    path = file;
    return true;
}

void CSkinDialog::OnExport() {
    CSchemeNameDialog prompt(this);
    if (prompt.DoModal() != IDOK)
        return;
    Sample(kSampleX, kSampleCount);
    std::string path;
    if (!AskVscPath(true, path))
        return;
    SkinScheme exported = m_working;
    MakeSchemeName(prompt.m_name, exported.name);
    // Named as Import lists it, as a capture is named as its type: "def" is written as def.vsc.
    if (!WriteSchemeBlock(CaptureSaveName(path, ".vsc"), exported))
        AfxMessageBox(kCreateFileError, MB_OK | MB_ICONEXCLAMATION, m_hWnd);
}

void CSkinDialog::OnImport() {
    std::string path;
    if (!AskVscPath(false, path))
        return;
    SkinScheme imported = m_working;
    // Only a whole scheme block is taken: a file of another kind is not a skin.
    if (ReadSchemeBlock(path, imported) != kSchemeBlockValues) {
        AfxMessageBox(kOpenFileError, MB_OK | MB_ICONEXCLAMATION, m_hWnd);
        return;
    }
    const SkinScheme kept = m_working;
    m_working = imported;
    if (!StoreWorking(imported.name)) {
        m_working = kept;
        return;
    }
    ShowLook(TargetLook());
    Invalidate();
}

void CSkinDialog::OnDelete() {
    const int item =
        static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_SKIN_LIST, CB_GETCURSEL, 0, 0));
    SkinSchemeTable& library = m_library;
    if (item <= 0) {
        AfxMessageBox(kDefaultSkinKept, MB_OK | MB_ICONEXCLAMATION, m_hWnd);
        return;
    }
    if (item >= library.count)
        return;
    char question[80];
    std::snprintf(question, sizeof question, "Are you sure to delete : %s ?",
                  library.Scheme(item + 1).name);
    if (::MessageBoxA(m_hWnd, question, "Delete skin", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    const SkinSchemeTable before = library;
    DeleteScheme(library, item + 1);
    if (!WriteLibrary(before))
        return;
    HWND list = GetDlgItem(IDC_SKIN_LIST);
    ::SendMessageA(list, CB_DELETESTRING, static_cast<WPARAM>(item), 0);
    ::SendMessageA(list, CB_SETCURSEL, 0, 0);
    // Back to the default skin's dialog look.
    CheckTarget(Target::kDialog);
    m_target = Target::kDialog;
    CopyLooksOf(1);
    ShowLook(m_working.dialogLook);
    Invalidate();
}

void CSkinDialog::OnOK() {
    // Checked first: a value out of range is not made the default skin.
    if (!ReadFields())
        return;
    Sample(kSampleX, kSampleCount);
    SkinSchemeTable& library = m_library;
    const SkinSchemeTable before = library;
    ConfirmDefaultScheme(library, m_working);
    // Told and kept open when the library cannot be written: the look is not lost unseen.
    if (!WriteLibrary(before))
        return;
    m_live = false;
    if (m_random) {
        WriteSetting(settings::kRandomSkin, 1);
    } else {
        if (m_reloadCurrent)
            m_reloadCurrent();
        WriteSetting(settings::kRandomSkin, 0);
    }
    EndDialog(IDOK);
}

void CSkinDialog::OnCancelButton() {
    m_live = false;
    if (ReadFields())
        EndDialog(IDOK);
    else
        m_live = true;
}
