// COwnerDrawButton: the program's flat push button, owner-drawn, with hover tracking through
// the mouse capture.
#pragma once

#include <windows.h>

#include "framework/Controls.h"

// Attached to an ordinary push button (DDX_Control or SubclassDlgItem), it switches the
// button to owner drawing and paints it flat: no border while the pointer is away, a raised
// one-pixel border while the pointer is over it, a sunken one while it is pressed, and the
// caption centred on top. The platform sends no notice when the pointer leaves a control, so
// the button holds the mouse capture while the pointer is over it and watches it go.
// Background and border are virtual so that a derived button can paint its own face.
class COwnerDrawButton : public CButton {
public:
    COwnerDrawButton();
    ~COwnerDrawButton() override = default;

    // Drawing of one owner-draw request, reflected from the parent.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);

    // True while the pointer is over the button and the button holds the capture for tracking.
    bool IsHover() const { return m_bHover; }

protected:
    // Fills rc with the hot face colour while hot, else the cold one. Returns 0.
    virtual int OnDrawBackground(HDC dc, const RECT& rc);
    // One-pixel 3-D border along rc: sunken while pressed, raised otherwise. Returns 0.
    virtual int OnDrawBorder(HDC dc, const RECT& rc);

    // Switches the attached button to owner drawing.
    void PreSubclassWindow() override;

    void OnMouseMove(UINT flags, POINT pt);
    void OnCaptureChanged(HWND hwndNew);
    void OnKillFocus(HWND hwndNew);
    void OnEnable(BOOL bEnable);
    void OnCancelMode();
    void OnLButtonDblClk(UINT flags, POINT pt);
    HBRUSH CtlColor(HDC dc, UINT ctlType);

    // Hot: the pointer is over the button or the button is pressed.
    bool IsHot() const { return m_bHover || m_bPressed; }
    // Turns hover off (flat style only) and redraws.
    void CancelHover();

    bool m_bHover = false;
    bool m_bPressed = false;  // from the last owner-draw request
    bool m_bFocused = false;  // ditto
    bool m_bDisabled = false; // ditto

    // Read from the system colours once, when the button is made.
    COLORREF m_crHotFace;
    COLORREF m_crHotText;
    COLORREF m_crColdFace;
    COLORREF m_crColdText;

    bool m_bFlat = true;       // hover tracking on, border only while hovered or pressed
    bool m_bDrawBorder = true; // border drawing on
    bool m_bFlatFocus = false; // focus rectangle in flat style

    DECLARE_MESSAGE_MAP()
};
