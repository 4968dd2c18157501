// The capture result dialog.
#include "capture/CaptureResultDialog.h"

#include <algorithm>
#include <string>

#include "capture/CaptureSave.h"
#include "capture/LastCapture.h"
#include "core/BmpFile.h"
#include "core/SkinPainter.h"
#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/FileDialogs.h"
#include "framework/Gdi.h"
#include "res/resource.h"

namespace {

// A small capture is centred in an area of this size; the window never gets smaller.
constexpr int kAreaWidth = 293, kAreaHeight = 184;
constexpr int kMinWidth = 302, kMinHeight = 240;
// The frame, the sunken edge and the band of the buttons around a larger capture.
constexpr int kExtraWidth = 9, kExtraHeight = 57;

constexpr char kSaveFilter[] = "Bitmap Files (*.bmp)\0*.bmp\0PNG Files (*.png)\0*.png\0";
constexpr DWORD kPngFilterIndex = 2;

} // namespace

BEGIN_MESSAGE_MAP(CCaptureResultDialog, CDialog)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_CAPTURE_COPY, OnCopy)
ON_BN_CLICKED(IDC_CAPTURE_SAVE, OnSave)
END_MESSAGE_MAP()

CCaptureResultDialog::CCaptureResultDialog(LastCapture& capture, const SkinScheme& skin,
                                           CWnd* pParent)
    : CDialog(IDD_CAPTURE_RESULT, pParent), m_capture(capture), m_skin(skin) {}

SIZE CCaptureResultDialog::ShownSize(int w, int h, int roomWidth, int roomHeight, UINT dpi) {
    const int fitWidth = roomWidth - Scaled(kExtraWidth, dpi);
    const int fitHeight = roomHeight - Scaled(kExtraHeight, dpi);
    if (w <= fitWidth && h <= fitHeight)
        return {w, h};
    // The largest size of the capture's proportions that fits, at least a pixel each way.
    const double scale = std::min(static_cast<double>(std::max(fitWidth, 1)) / w,
                                  static_cast<double>(std::max(fitHeight, 1)) / h);
    return {std::max(1, static_cast<int>(w * scale)), std::max(1, static_cast<int>(h * scale))};
}

CCaptureResultDialog::Placement CCaptureResultDialog::PlacementFor(int w, int h, UINT dpi) {
    const int extraWidth = Scaled(kExtraWidth, dpi), extraHeight = Scaled(kExtraHeight, dpi);
    const int minWidth = Scaled(kMinWidth, dpi), minHeight = Scaled(kMinHeight, dpi);
    const int areaWidth = Scaled(kAreaWidth, dpi), areaHeight = Scaled(kAreaHeight, dpi);
    Placement p;
    p.width = w + extraWidth - 1 < minWidth ? minWidth : w + extraWidth;
    p.height = h + extraHeight - 1 < minHeight ? minHeight : h + extraHeight;
    p.ox = w < areaWidth ? (areaWidth - w) / 2 : 0;
    p.oy = h < areaHeight ? (areaHeight - h) / 2 : 0;
    return p;
}

void CCaptureResultDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_CAPTURE_COPY, m_btnCopy);
    DDX_Control(pDX, IDC_CAPTURE_SAVE, m_btnSave);
}

BOOL CCaptureResultDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    for (CSkinButton* button : {&m_btnCopy, &m_btnSave})
        button->SetSkin(m_skin.buttonLook);
    // Centred on the monitor that holds the capture (the dialog has no visible owner).
    const HMONITOR monitor = ::MonitorFromRect(&m_capture.selection, MONITOR_DEFAULTTONEAREST);
    LayOut(monitor, DpiOfMonitor(monitor));
    CentreOnMonitor(m_hWnd, monitor);
    return TRUE;
}

void CCaptureResultDialog::OnDpiChanged(UINT dpi) {
    // Laid out again for the monitor it is on now, and kept on it.
    const HMONITOR monitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST);
    LayOut(monitor, dpi);
    MoveOntoMonitor(m_hWnd, monitor);
}

void CCaptureResultDialog::LayOut(HMONITOR monitor, UINT dpi) {
    // Inside the monitor's work area, and never larger than that: a capture with no room for
    // all its pixels is shown scaled down, which the clipboard and the saved file are not.
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(monitor, &info);
    m_dpi = dpi;
    m_shown = ShownSize(m_capture.Width(), m_capture.Height(), info.rcWork.right - info.rcWork.left,
                        info.rcWork.bottom - info.rcWork.top, m_dpi);
    const Placement p = PlacementFor(m_shown.cx, m_shown.cy, m_dpi);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, p.width, p.height, SWP_NOZORDER | SWP_NOMOVE);
    RECT outer;
    ::GetWindowRect(m_hWnd, &outer);
    GenerateSkin(m_background, outer.right - outer.left, outer.bottom - outer.top,
                 m_skin.dialogLook, CurrentSkinSystemColors());

    // The buttons share the band under the picture.
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int edgeBottom = p.oy + m_shown.cy + 3;
    int index = 0;
    for (CSkinButton* button : {&m_btnCopy, &m_btnSave}) {
        RECT rc;
        ::GetWindowRect(*button, &rc);
        const int bw = rc.right - rc.left, bh = rc.bottom - rc.top;
        const int top = edgeBottom + 3 * ((client.bottom - edgeBottom - bh) / 4);
        const int gap = (client.right - 2 * bw) / 3;
        const int left = index == 0 ? gap : 2 * gap + bw;
        ::SetWindowPos(*button, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ++index;
    }
}

BOOL CCaptureResultDialog::OnEraseBkgnd(HDC dc) {
    m_background.Draw(dc, 0, 0);
    return TRUE;
}

void CCaptureResultDialog::OnPaint() {
    CPaintDC dc(m_hWnd);
    const int w = m_shown.cx, h = m_shown.cy;
    const Placement p = PlacementFor(w, h, m_dpi);
    if (const CCaptureImage* image = m_capture.displayImage.get()) {
        if (w == image->Width() && h == image->Height()) {
            ::BitBlt(dc, p.ox + 1, p.oy + 2, w, h, image->Dc(), 0, 0, SRCCOPY);
        } else {
            // Scaled down: each shown pixel the average of those it stands for.
            CSaveDC save(dc);
            ::SetStretchBltMode(dc, HALFTONE);
            ::SetBrushOrgEx(dc, 0, 0, nullptr);
            ::StretchBlt(dc, p.ox + 1, p.oy + 2, w, h, image->Dc(), 0, 0, image->Width(),
                         image->Height(), SRCCOPY);
        }
    }
    // The sunken edge frames the picture and covers its outermost pixels where they meet.
    RECT edge = {p.ox, p.oy + 1, p.ox + w + 3, p.oy + h + 3};
    ::DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
}

void CCaptureResultDialog::OnCopy() {
    // The clipboard holds the capture since the overlay closed: this only closes the dialog.
    OnOK();
}

void CCaptureResultDialog::OnSave() {
    char path[MAX_PATH] = "*.bmp";
    OPENFILENAMEA ofn =
        FileDialogFields(m_hWnd, kSaveFilter, path, sizeof path, OFN_OVERWRITEPROMPT);
    // The window stays for another try after Cancel or a file that could not be written.
    if (!ShowSaveFileDialog(&ofn))
        return;
    const bool png = ofn.nFilterIndex == kPngFilterIndex;
    const std::string name = CaptureSaveName(path, png ? ".png" : ".bmp");
    if (!SaveCapture(name.c_str(), png)) {
        AfxMessageBox("Create file error!", MB_OK | MB_ICONEXCLAMATION, m_hWnd);
        return;
    }
    EndDialog(IDOK);
}

bool CCaptureResultDialog::SaveCapture(const char* fileName, bool png) {
    const CCaptureImage* image = m_capture.displayImage.get();
    if (!image || !image->Valid())
        return false;
    // The display image is ours (the clipboard's copy may be gone by now). In the file's own
    // layout it is written as it stands; otherwise the writer reads a bitmap that is not
    // selected anywhere, so it gets a copy of it.
    CClientDC dc(m_hWnd);
    if (!png && image->InFileLayout())
        return SaveBitmapToFile(dc, image->Bitmap(), fileName);
    CBitmap copy;
    if (!copy.CreateCompatibleBitmap(image->Dc(), image->Width(), image->Height()))
        return false;
    {
        CMemDC mem(dc);
        CSelectObject select(mem, copy);
        ::BitBlt(mem, 0, 0, image->Width(), image->Height(), image->Dc(), 0, 0, SRCCOPY);
    }
    return png ? SaveBitmapAsPng(dc, copy, fileName) : SaveBitmapToFile(dc, copy, fileName);
}

void CCaptureResultDialog::OnDestroy() {
    m_capture.displayImage.reset();
    Default();
}
