// CAutoClick: the options window's Color page (the colour picker). It shows
// where the pointer is and the colour of the screen pixel under it, follows
// the pointer until frozen, and picks a colour anywhere on the screen by a
// drag out of its "Drag & Pick" box.
#pragma once

#include <string>

#include "framework/Controls.h"
#include "skin/HotkeyPage.h"
#include "skin/SkinButton.h"

// What the colour picker keeps from start-up to exit, across openings of the options window.
// The tray window owns it: the freeze hotkey reaches it as a command, which flips the tracking.
struct PickerState {
    bool bPickerTracking = true;     // following the pointer; false while the readings are frozen
    COLORREF crPicked = RGB(0, 0, 0); // the colour in the swatch, handed to the colour editor
    bool bPickerDragging = false;    // a drag out of the Drag & Pick box holds the mouse capture
    POINT ptLastPick = {0, 0};       // where the last sample was taken, in screen coordinates
};

// The HTML colour's edit: its context menu also copies the colour as a style
// sheet writes it.
class CHtmlColorEdit : public CWnd {
public:
    explicit CHtmlColorEdit(const PickerState& state) : m_state(state) {}

protected:
    LRESULT OnContextMenu(WPARAM wp, LPARAM lp);
    DECLARE_MESSAGE_MAP()

private:
    const PickerState& m_state;
};

class CAutoClick : public CHotkeyPage {
public:
    explicit CAutoClick(PickerState& state);

    std::string m_strRgb; // "r,g,b"
    CSkinButton m_btnHelp;
    CSkinButton m_btnEdit;
    std::string m_strHtml;        // "# RR,GG,BB"
    std::string m_strPosition;    // "x,y"
    RECT m_rcPick = {0, 0, 0, 0}; // the Drag & Pick box, in client pixels

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void HandToLibrary() const override;

    // Takes a sample at p: the texts and the swatch show its colour at once.
    void Sample(POINT p);
    // Shows the picked colour in the two colour texts.
    void ShowPickedTexts();
    void EndDrag();

    void OnTimer(UINT_PTR id);
    void OnMouseMove(UINT flags, POINT pt);
    void OnLButtonDown(UINT flags, POINT pt);
    void OnLButtonUp(UINT flags, POINT pt);
    void OnCaptureChanged(HWND hwndNew);
    void OnEditColor();
    void OnPaint();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    PickerState& m_state;
    CHtmlColorEdit m_htmlEdit;
};
