// The colour editor dialog.
#include "color/ColorEditDialog.h"

#include <algorithm>
#include <string>
#include <cstring>
#include <vector>

#include "framework/DataExchange.h"
#include "res/resource.h"

namespace {

// The pictures' background, given the button-face colour when they are made.
constexpr COLORREF kPictureBackground = RGB(kArtBackground, kArtBackground, kArtBackground);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Lengths at 96 DPI, laid out at the pictures' scale.
constexpr int kMarkerHalf = 5;    // wheel marker and handles: 10 x 10 squares
constexpr int kBarGap = 20;       // between the wheel picture and the bar, and the bar's width
constexpr int kBarMarkerOver = 2; // the bar marker: as far out on either side of the bar
constexpr int kBarMarkerHalf = 4; // and as high above and below its middle
constexpr int kBarMarkerPen = 2;

// The six spin boxes in the order their values are written: red, green, blue, hue,
// saturation, brightness. Hue stops at 359 when typed or spun; its arrows reach 360.
struct Field {
    int edit;
    int spin;
    int max;
    int spinMax;
};
constexpr Field kFieldTable[] = {
    {IDC_CE_RED, IDC_CE_RED_SPIN, 255, 255},
    {IDC_CE_GREEN, IDC_CE_GREEN_SPIN, 255, 255},
    {IDC_CE_BLUE, IDC_CE_BLUE_SPIN, 255, 255},
    {IDC_CE_HUE, IDC_CE_HUE_SPIN, 359, 360},
    {IDC_CE_SATURATION, IDC_CE_SATURATION_SPIN, 255, 255},
    {IDC_CE_BRIGHTNESS, IDC_CE_BRIGHTNESS_SPIN, 255, 255},
};

// The field of an edit and its index in the table, or nullptr.
const Field* FieldOf(int edit, int& index) {
    const auto* field = std::find_if(std::begin(kFieldTable), std::end(kFieldTable),
                                     [edit](const Field& f) { return f.edit == edit; });
    index = static_cast<int>(field - kFieldTable);
    return field == std::end(kFieldTable) ? nullptr : field;
}

GeoPoint ToGeo(POINT p) {
    return GeoPoint{p.x, p.y};
}
GeoPoint Offset(GeoPoint p, POINT by) {
    return GeoPoint{p.x + by.x, p.y + by.y};
}
RECT SquareAround(GeoPoint p, int half) {
    return RECT{p.x - half, p.y - half, p.x + half, p.y + half};
}
COLORREF ToColorRef(const RgbColor& c) {
    return RGB(c.red, c.green, c.blue);
}

// The cube as drawn at a scale: every point, length and width of the 96 DPI picture scaled.
CubeArt ScaledCube(UINT dpi) {
    const auto scaled = [dpi](GeoPoint p) { return GeoPoint{Scaled(p.x, dpi), Scaled(p.y, dpi)}; };
    CubeArt art = kCubeArt;
    art.size = Scaled(art.size, dpi);
    art.origin = scaled(art.origin);
    for (GeoPoint& end : art.ends)
        end = scaled(end);
    art.line = Scaled(art.line, dpi);
    art.arrow = Scaled(art.arrow, dpi);
    return art;
}

// A top-down 24-bit section holding a picture's pixels.
HBITMAP PictureBitmap(const EditorPicture& pic) {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, pic.Width(), -pic.Height(), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp)
        return nullptr;
    const int stride = (pic.Width() * 3 + 3) / 4 * 4;
    for (int y = 0; y < pic.Height(); ++y) {
        const std::uint8_t* from = pic.Row(y);
        auto* to = static_cast<BYTE*>(bits) + static_cast<size_t>(y) * stride;
        for (int x = 0; x < pic.Width(); ++x, from += 3, to += 3) { // blue, green, red
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return bmp;
}

// Inverting drawing: every pixel under the pen is XOR-ed with white and shapes stay hollow,
// so drawing a figure twice at the same place removes it.
class CInvertMode {
public:
    explicit CInvertMode(HDC dc)
        : m_dc(dc), m_rop(::SetROP2(dc, R2_XORPEN)), m_brush(dc, ::GetStockObject(NULL_BRUSH)) {}
    ~CInvertMode() { ::SetROP2(m_dc, m_rop); }
    CInvertMode(const CInvertMode&) = delete;
    CInvertMode& operator=(const CInvertMode&) = delete;

private:
    HDC m_dc;
    int m_rop;
    CSelectObject m_brush;
};

} // namespace

BEGIN_MESSAGE_MAP(CColorEditDialog, CDialog)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
ON_EN_CHANGE(IDC_CE_RED, OnValueTyped)
ON_EN_CHANGE(IDC_CE_GREEN, OnValueTyped)
ON_EN_CHANGE(IDC_CE_BLUE, OnValueTyped)
ON_EN_CHANGE(IDC_CE_HUE, OnValueTyped)
ON_EN_CHANGE(IDC_CE_SATURATION, OnValueTyped)
ON_EN_CHANGE(IDC_CE_BRIGHTNESS, OnValueTyped)
ON_CONTROL(EN_KILLFOCUS, IDC_CE_RED, OnValueLeft)
ON_CONTROL(EN_KILLFOCUS, IDC_CE_GREEN, OnValueLeft)
ON_CONTROL(EN_KILLFOCUS, IDC_CE_BLUE, OnValueLeft)
ON_CONTROL(EN_KILLFOCUS, IDC_CE_HUE, OnValueLeft)
ON_CONTROL(EN_KILLFOCUS, IDC_CE_SATURATION, OnValueLeft)
ON_CONTROL(EN_KILLFOCUS, IDC_CE_BRIGHTNESS, OnValueLeft)
END_MESSAGE_MAP()

CColorEditDialog::CColorEditDialog(COLORREF initial, CWnd* parent)
    : CDialog(IDD_COLOR_EDIT, parent), m_hsbCurrent{}, m_rgbCurrent(RgbFromColorWord(initial)),
      m_rgbInitial(m_rgbCurrent),
      m_axes(kCubeArt.origin, kCubeArt.ends[0], kCubeArt.ends[1], kCubeArt.ends[2]) {
    m_hsbCurrent = m_rgbCurrent.ToHsb();
}

void CColorEditDialog::DoDataExchange(CDataExchange* pDX) {
    for (int i = 0; i < kFields; ++i)
        DDX_Control(pDX, kFieldTable[i].spin, m_spin[i]);
}

int& CColorEditDialog::FieldValue(int field) {
    int* const values[kFields] = {&m_rgbCurrent.red,        &m_rgbCurrent.green,
                                  &m_rgbCurrent.blue,       &m_hsbCurrent.hue,
                                  &m_hsbCurrent.saturation, &m_hsbCurrent.brightness};
    return *values[field];
}

BOOL CColorEditDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    LayOut(DpiOf(m_hWnd));
    for (int i = 0; i < kFields; ++i)
        m_spin[i].SetRange(0, kFieldTable[i].spinMax);
    // The edits announce these values as typed; they count only from here on.
    ShowValues();
    m_bInitialised = true;
    return TRUE;
}

void CColorEditDialog::OnDpiChanged(UINT dpi) {
    LayOut(dpi);
}

void CColorEditDialog::LayOut(UINT dpi) {
    PlacePictures(dpi);
    // The bar's rows are fixed: row i always shows colour-table entry i, or on a bar of more
    // rows than the table has entries, the entry as far down the table as the row is down the
    // bar.
    if (m_barImage.Create(m_rcBar.right - m_rcBar.left, m_rcBar.bottom - m_rcBar.top, 8)) {
        const int height = m_barImage.Height(), entries = std::min(height, 256);
        for (int row = 0; row < height; ++row)
            std::memset(m_barImage.RowPointer(row), row * entries / height, m_barImage.Width());
    }
    PlaceMarkers();
    BuildBarPalette();
    PlaceHandles();
}

void CColorEditDialog::MakePicture(CBitmap& picture, UINT id) const {
    if (m_dpi == 96)
        picture.LoadBitmap(id);
    else
        picture.Attach(
            PictureBitmap(id == IDB_COLOR_WHEEL ? DrawWheel(m_nWheelRadius) : DrawCube(m_cubeArt)));
    if (!picture.GetSafeHandle())
        return;
    DIBSECTION ds = {};
    if (::GetObjectA(picture, sizeof ds, &ds) != sizeof ds || ds.dsBm.bmBitsPixel != 24 ||
        !ds.dsBm.bmBits)
        return;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ::GdiFlush();
    auto* bits = static_cast<BYTE*>(ds.dsBm.bmBits);
    for (int y = 0; y < ds.dsBm.bmHeight; ++y) {
        BYTE* px = bits + static_cast<size_t>(y) * ds.dsBm.bmWidthBytes; // blue, green, red
        for (int x = 0; x < ds.dsBm.bmWidth; ++x, px += 3)
            if (RGB(px[2], px[1], px[0]) == kPictureBackground) {
                px[0] = GetBValue(face);
                px[1] = GetGValue(face);
                px[2] = GetRValue(face);
            }
    }
}

void CColorEditDialog::PlacePictures(UINT dpi) {
    auto clientRect = [this](int id) {
        RECT rc = {};
        ::GetWindowRect(GetDlgItem(id), &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    m_rcRgbArea = clientRect(IDC_CE_RGB_AREA);
    m_rcHsbArea = clientRect(IDC_CE_HSB_AREA);
    m_rcInitial = clientRect(IDC_CE_INITIAL);
    m_rcCurrent = clientRect(IDC_CE_CURRENT);
    auto size = [](const CBitmap& picture) {
        BITMAP bm = {};
        if (!picture.GetSafeHandle() || !::GetObjectA(picture, sizeof bm, &bm))
            return SIZE{0, 0};
        return SIZE{bm.bmWidth, bm.bmHeight};
    };

    // The wheel below the HSB box's caption, the bar beside it; the cube below the RGB box's.
    ::InflateRect(&m_rcHsbArea, -Scaled(5, dpi), -Scaled(5, dpi));
    m_rcHsbArea.top += Scaled(20, dpi);
    m_rcHsbArea.left += Scaled(10, dpi);
    ::InflateRect(&m_rcRgbArea, -Scaled(5, dpi), -Scaled(5, dpi));
    m_rcRgbArea.top += Scaled(10, dpi);
    m_rcRgbArea.left -= Scaled(3, dpi);

    // The boxes grow with the dialog's font, which need not grow quite as the scale does: the
    // pictures are drawn at the dialog's scale, or at the largest that their boxes hold.
    const auto fits = [this](UINT at) {
        const int wheel = 2 * Scaled(kWheelRadius, at) + 1, cube = Scaled(kCubeArt.size, at);
        const SIZE hsb = {m_rcHsbArea.right - m_rcHsbArea.left,
                          m_rcHsbArea.bottom - m_rcHsbArea.top};
        const SIZE rgb = {m_rcRgbArea.right - m_rcRgbArea.left,
                          m_rcRgbArea.bottom - m_rcRgbArea.top};
        return wheel + 1 + 2 * Scaled(kBarGap, at) <= hsb.cx && wheel <= hsb.cy && cube <= rgb.cx &&
               cube <= rgb.cy;
    };
    for (m_dpi = dpi; m_dpi > 96 && !fits(m_dpi);)
        --m_dpi;

    m_nWheelRadius = Px(kWheelRadius);
    MakePicture(m_bmpWheel, IDB_COLOR_WHEEL);
    m_sizeWheel = size(m_bmpWheel);
    const POINT hsb = {m_rcHsbArea.left, m_rcHsbArea.top};
    m_ptWheelCentre = {hsb.x + m_nWheelRadius, hsb.y + m_nWheelRadius};
    const int gap = Px(kBarGap);
    m_rcBar = {hsb.x + m_sizeWheel.cx + gap, hsb.y, hsb.x + m_sizeWheel.cx + 2 * gap,
               hsb.y + m_sizeWheel.cy};

    m_cubeArt = ScaledCube(m_dpi);
    MakePicture(m_bmpCube, IDB_COLOR_CUBE);
    m_sizeCube = size(m_bmpCube);
    const POINT rgb = {m_rcRgbArea.left, m_rcRgbArea.top};
    const CubeArt& art = m_cubeArt;
    m_axes = CubeAxes(Offset(art.origin, rgb), Offset(art.ends[0], rgb), Offset(art.ends[1], rgb),
                      Offset(art.ends[2], rgb));
}

void CColorEditDialog::PlaceMarkers() {
    m_rcWheelMarker = SquareAround(PolarToPoint(m_hsbCurrent.hue, m_hsbCurrent.saturation,
                                                ToGeo(m_ptWheelCentre), m_nWheelRadius),
                                   Px(kMarkerHalf));
    const int y = BarMarkerY(m_rcBar.top, m_rcBar.bottom, m_hsbCurrent.brightness);
    const int over = Px(kBarMarkerOver), half = Px(kBarMarkerHalf);
    m_rcBarMarker = {m_rcBar.left - over, y - half, m_rcBar.right + over, y + half};
}

void CColorEditDialog::PlaceHandles() {
    const int values[3] = {m_rgbCurrent.red, m_rgbCurrent.green, m_rgbCurrent.blue};
    GeoPoint handle[3];
    for (int axis = 0; axis < 3; ++axis) {
        handle[axis] = m_axes.Handle(axis, values[axis]);
        m_rcHandle[axis] = SquareAround(handle[axis], Px(kMarkerHalf));
    }
    m_wire = m_axes.Corners(handle[0], handle[1], handle[2]);
}

void CColorEditDialog::BuildBarPalette() {
    const int rows = std::min(m_barImage.Height(), m_barImage.PaletteSize());
    if (rows <= 0)
        return;
    std::vector<std::uint8_t> triples(static_cast<size_t>(rows) * 3);
    BarPalette(m_hsbCurrent.hue, m_hsbCurrent.saturation, rows, triples.data());
    m_barImage.SetPalette(triples.data(), static_cast<size_t>(rows));
}

void CColorEditDialog::DrawMarkers(HDC dc) const {
    if (::IsRectEmpty(&m_rcWheelMarker))
        return;
    const CPen thin(PS_SOLID, Px(1), kWhite), wide(PS_SOLID, Px(kBarMarkerPen), kWhite);
    CInvertMode invert(dc);
    CSelectObject pen(dc, thin);
    ::Rectangle(dc, m_rcWheelMarker.left, m_rcWheelMarker.top, m_rcWheelMarker.right,
                m_rcWheelMarker.bottom);
    CSelectObject widePen(dc, wide);
    ::Rectangle(dc, m_rcBarMarker.left, m_rcBarMarker.top, m_rcBarMarker.right,
                m_rcBarMarker.bottom);
}

void CColorEditDialog::DrawRgbFigures(HDC dc) const {
    {
        const CPen thin(PS_SOLID, Px(1), kWhite);
        CInvertMode invert(dc);
        {
            // Handles in one place are drawn once: inverted twice they would vanish.
            CSelectObject pen(dc, thin);
            for (int axis = 0; axis < 3; ++axis) {
                const RECT& rc = m_rcHandle[axis];
                if (std::none_of(m_rcHandle, m_rcHandle + axis,
                                 [&rc](const RECT& other) { return ::EqualRect(&rc, &other); }))
                    ::Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
            }
        }
        // The box's nine edges that do not start at the black corner (the cube's axes are in the
        // picture): its outline as one closed loop, then the three edges of the far corner, so
        // every corner pixel is inverted once. Where a channel is 0 the box is flat and edges
        // coincide; each is drawn once, or two inversions would cancel it.
        CSelectObject pen(dc, thin);
        const Wireframe& w = m_wire;
        const GeoPoint edges[][2] = {{w.r, w.rg},   {w.rg, w.g},   {w.g, w.gb},
                                     {w.gb, w.b},   {w.b, w.rb},   {w.rb, w.r},
                                     {w.rgb, w.rg}, {w.rgb, w.gb}, {w.rgb, w.rb}};
        for (const auto* e = std::begin(edges); e != std::end(edges); ++e) {
            const auto same = [e](const GeoPoint(&other)[2]) {
                return (other[0] == (*e)[0] && other[1] == (*e)[1]) ||
                       (other[0] == (*e)[1] && other[1] == (*e)[0]);
            };
            if ((*e)[0] == (*e)[1] || std::any_of(std::begin(edges), e, same))
                continue;
            ::MoveToEx(dc, (*e)[0].x, (*e)[0].y, nullptr);
            ::LineTo(dc, (*e)[1].x, (*e)[1].y);
        }
    }
    DrawSwatch(dc, m_rcCurrent, m_rgbCurrent);
}

void CColorEditDialog::DrawSwatch(HDC dc, const RECT& rc, const RgbColor& colour) {
    FillSolidRect(dc, rc, ToColorRef(colour));
    Draw3dRect(dc, rc, RGB(0, 0, 0), RGB(0, 0, 0));
    RECT inner = rc;
    ::InflateRect(&inner, -1, -1);
    Draw3dRect(dc, inner, RGB(192, 192, 192), RGB(128, 128, 128));
}

void CColorEditDialog::DrawHsbSide(HDC dc) const {
    if (m_bmpWheel.GetSafeHandle()) {
        CSelectObject picture(m_memDC, m_bmpWheel);
        ::BitBlt(dc, m_rcHsbArea.left, m_rcHsbArea.top, m_sizeWheel.cx, m_sizeWheel.cy, m_memDC, 0,
                 0, SRCCOPY);
    }
    m_barImage.Draw(dc, m_rcBar.left, m_rcBar.top, m_rcBar.right - m_rcBar.left,
                    m_rcBar.bottom - m_rcBar.top, 0, 0);
    DrawMarkers(dc);
}

void CColorEditDialog::DrawRgbSide(HDC dc) const {
    if (m_bmpCube.GetSafeHandle()) {
        CSelectObject picture(m_memDC, m_bmpCube);
        ::BitBlt(dc, m_rcRgbArea.left, m_rcRgbArea.top, m_sizeCube.cx, m_sizeCube.cy, m_memDC, 0, 0,
                 SRCCOPY);
    }
    DrawRgbFigures(dc);
}

void CColorEditDialog::OnPaint() {
    CPaintDC dc(m_hWnd);
    DrawSwatch(dc, m_rcInitial, m_rgbInitial);
    DrawHsbSide(dc);
    DrawRgbSide(dc);
}

void CColorEditDialog::OnLButtonDown(UINT, POINT point) {
    if (::PtInRect(&m_rcHsbArea, point)) {
        m_bRgbDrag = false;
        if (PointDistance(ToGeo(point), ToGeo(m_ptWheelCentre)) <= m_nWheelRadius)
            m_hsbDrag = kWheelDrag;
        else
            m_hsbDrag = ::PtInRect(&m_rcBar, point) ? kBarDrag : kNoDrag;
        if (m_hsbDrag != kNoDrag) {
            ::SetCapture(m_hWnd);
            ApplyHsbPoint(point);
        }
    } else if (::PtInRect(&m_rcRgbArea, point)) {
        m_hsbDrag = kNoDrag;
        // Where handles overlap, red is taken first, then green.
        for (int axis = 0; axis < 3; ++axis)
            if (::PtInRect(&m_rcHandle[axis], point)) {
                ::SetCapture(m_hWnd);
                m_bRgbDrag = true;
                m_nDragAxis = axis;
                break;
            }
    }
    Default();
}

void CColorEditDialog::OnMouseMove(UINT, POINT point) {
    if (::GetCapture() == m_hWnd) {
        if (m_hsbDrag != kNoDrag)
            ApplyHsbPoint(point);
        else if (m_bRgbDrag)
            DragAxis(point);
    }
    Default();
}

void CColorEditDialog::OnLButtonUp(UINT, POINT) {
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        m_bRgbDrag = false;
        m_hsbDrag = kNoDrag;
    }
    Default();
}

void CColorEditDialog::ApplyHsbPoint(POINT point) {
    CClientDC dc(m_hWnd);
    DrawMarkers(dc);
    if (m_hsbDrag == kWheelDrag) {
        WheelHueSaturation(ToGeo(point), ToGeo(m_ptWheelCentre), m_nWheelRadius, m_hsbCurrent.hue,
                           m_hsbCurrent.saturation);
        BuildBarPalette();
        ::InvalidateRect(m_hWnd, &m_rcBar, FALSE);
    } else {
        m_hsbCurrent.brightness = BarBrightness(point.y, m_rcBar.top, m_rcBar.bottom);
    }
    PlaceMarkers();
    DrawMarkers(dc);
    m_rgbCurrent = m_hsbCurrent.ToRgb();
    ShowValues();
    // The cube is copied afresh under the handles' new places.
    PlaceHandles();
    DrawRgbSide(dc);
}

void CColorEditDialog::DragAxis(POINT point) {
    {
        CClientDC dc(m_hWnd);
        DrawRgbFigures(dc);
        FieldValue(m_nDragAxis) = m_axes.DragValue(m_nDragAxis, ToGeo(point));
        PlaceHandles();
        DrawRgbFigures(dc);
    }
    m_hsbCurrent = m_rgbCurrent.ToHsb();
    ShowValues();
    CClientDC dc(m_hWnd);
    DrawMarkers(dc);
    PlaceMarkers();
    BuildBarPalette();
    ::InvalidateRect(m_hWnd, &m_rcBar, FALSE);
    DrawHsbSide(dc);
}

void CColorEditDialog::RefreshAll() {
    if (!m_bInitialised || m_bRefreshing)
        return;
    CClientDC dc(m_hWnd);
    DrawMarkers(dc);
    DrawRgbFigures(dc);
    m_bRefreshing = true;
    PlaceHandles();
    PlaceMarkers();
    BuildBarPalette();
    DrawRgbSide(dc);
    DrawHsbSide(dc);
    // The edits' own notifications find their values unchanged.
    ShowValues();
    m_bRefreshing = false;
}

void CColorEditDialog::ShowValues() {
    // Rewriting an edit and painting it again is most of a drag step's cost: only the values
    // that changed are written.
    for (int i = 0; i < kFields; ++i) {
        if (m_nShown[i] == FieldValue(i))
            continue;
        m_spin[i].SendMessage(UDM_SETPOS32, 0, FieldValue(i));
        m_nShown[i] = FieldValue(i);
    }
}

// The boxes take digits only: their style refuses other keys, and text pasted in keeps only its
// digits. What is typed stays as the user has it while it is no number yet (an empty box); a
// number beyond the range becomes the range's end. The colour follows every number typed, and
// the box is rewritten only when its text changes its number, so the caret stays.
void CColorEditDialog::OnValueTyped() {
    int index = 0;
    const Field* field = FieldOf(LOWORD(m_cur.wp), index);
    if (!field)
        return;
    // Typed or spun: what the edit shows is no longer known to be a value written here.
    m_nShown[index] = kUnknown;
    if (!m_bInitialised)
        return;
    HWND edit = GetDlgItem(field->edit);
    char text[32] = "";
    const int length = ::GetWindowTextA(edit, text, sizeof text);
    std::string digits;
    long long typed = 0;
    for (int i = 0; i < length; ++i)
        if (text[i] >= '0' && text[i] <= '9') {
            digits += text[i];
            typed = std::min<long long>(typed * 10 + (text[i] - '0'), 1 << 20);
        }
    const int value = static_cast<int>(std::min<long long>(typed, field->max));
    if (static_cast<int>(digits.size()) != length || value != typed) {
        // Written again (its change comes back here as a number in range); the caret goes after
        // what it holds.
        const std::string shown = digits.empty() ? digits : std::to_string(value);
        ::SetWindowTextA(edit, shown.c_str());
        ::SendMessageA(edit, EM_SETSEL, shown.size(), shown.size());
        return;
    }
    if (digits.empty())
        return;
    m_nShown[index] = value;
    int& current = FieldValue(index);
    if (value == current)
        return;
    current = value;
    if (index < 3)
        m_hsbCurrent = m_rgbCurrent.ToHsb();
    else
        m_rgbCurrent = m_hsbCurrent.ToRgb();
    RefreshAll();
}

// A box left empty reads as 0.
void CColorEditDialog::OnValueLeft() {
    int index = 0;
    if (const Field* field = FieldOf(LOWORD(m_cur.wp), index);
        field && ::GetWindowTextLengthA(GetDlgItem(field->edit)) == 0)
        ::SetWindowTextA(GetDlgItem(field->edit), "0");
}

LRESULT CColorEditDialog::OnSysColorChange(WPARAM, LPARAM) {
    // The pictures' backgrounds take the new button face; their sizes stay as first made.
    MakePicture(m_bmpWheel, IDB_COLOR_WHEEL);
    MakePicture(m_bmpCube, IDB_COLOR_CUBE);
    Invalidate(TRUE);
    return 0;
}
