// CColorEditDialog: the modal "Edit Color" dialog. One colour is edited three linked ways: on
// the RGB cube with a handle on each axis, on the HSB wheel with its brightness bar, and in six
// spin boxes. The caller constructs it with a colour word, runs DoModal and, on IDOK, reads
// m_rgbCurrent.
#pragma once

#include <windows.h>

#include "core/ColorModel.h"
#include "core/DibImage.h"
#include "core/EditorArt.h"
#include "core/EditorFigures.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

class CColorEditDialog : public CDialog {
public:
    explicit CColorEditDialog(COLORREF initial, CWnd* parent = nullptr);

    HsbColor m_hsbCurrent;
    RgbColor m_rgbCurrent; // the colour being edited; the result after IDOK
    RgbColor m_rgbInitial; // the colour the dialog was opened with

protected:
    // The six spin boxes: red, green, blue, hue, saturation, brightness.
    enum { kFields = 6 };
    enum HsbDrag { kNoDrag, kWheelDrag, kBarDrag };

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDpiChanged(UINT dpi) override;

    void OnPaint();
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    LRESULT OnSysColorChange(WPARAM, LPARAM);
    void OnValueTyped();
    void OnValueLeft();
    DECLARE_MESSAGE_MAP()

    // A length of the pictures and their figures laid out for 96 DPI, at their scale.
    int Px(int length) const { return Scaled(length, m_dpi); }
    // A picture at its scale, its RGB(192, 192, 192) background given the button-face colour: at
    // 96 DPI as the program ships it, otherwise drawn at the scale.
    void MakePicture(CBitmap& picture, UINT id) const;
    // The pictures' scale and where the wheel, bar and cube stand, from the group boxes that
    // frame them.
    void PlacePictures(UINT dpi);
    // The pictures, bar, markers and handles at a DPI.
    void LayOut(UINT dpi);

    // Recomputing from the current colour.
    void PlaceMarkers();
    void PlaceHandles(); // the handles and the wireframe corners
    void BuildBarPalette();

    // Drawing; the markers, handles and wireframe by inverting, so a second call removes them.
    void DrawMarkers(HDC dc) const;
    void DrawRgbFigures(HDC dc) const;
    void DrawHsbSide(HDC dc) const;
    void DrawRgbSide(HDC dc) const;
    static void DrawSwatch(HDC dc, const RECT& rc, const RgbColor& colour);

    // One pointer position on the wheel or the bar; one pointer move of an axis handle.
    void ApplyHsbPoint(POINT point);
    void DragAxis(POINT point);
    // After the colour changed elsewhere: everything shown follows it.
    void RefreshAll();
    // Writes the six values into the spin boxes (and through them into the edits).
    void ShowValues();
    int& FieldValue(int field);

    UINT m_dpi = 96; // the pictures' scale: the dialog's, or less where their boxes are smaller
    CubeArt m_cubeArt = kCubeArt;
    int m_nWheelRadius = kWheelRadius;
    CBitmap m_bmpCube;
    CBitmap m_bmpWheel;
    CMemDC m_memDC; // a picture is selected into it only while it is copied

    POINT m_ptWheelCentre = {};
    CDibImage m_barImage; // 8-bit; only its palette changes with the colour
    SIZE m_sizeCube = {};
    SIZE m_sizeWheel = {};
    HsbDrag m_hsbDrag = kNoDrag;
    RECT m_rcWheelMarker = {};
    RECT m_rcBarMarker = {};
    RECT m_rcBar = {};

    // The cube's axes in client pixels; the handles and the box they span.
    CubeAxes m_axes;
    RECT m_rcHandle[3] = {};
    Wireframe m_wire = {};
    bool m_bRgbDrag = false;
    int m_nDragAxis = 0;

    RECT m_rcRgbArea = {}; // the areas a press is looked for in
    RECT m_rcHsbArea = {};
    RECT m_rcInitial = {}; // the two swatches
    RECT m_rcCurrent = {};
    bool m_bInitialised = false;
    bool m_bRefreshing = false;

    CSpinButtonCtrl m_spin[kFields];
    // The value each edit was last given by ShowValues, or kUnknown.
    static constexpr int kUnknown = -1;
    int m_nShown[kFields] = {kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown};
};
