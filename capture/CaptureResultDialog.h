// CCaptureResultDialog: shows the last capture with "&Copy to clipboard" and "&Save as file".
#pragma once

#include "capture/LastCapture.h"
#include "core/SkinBitmap.h"
#include "core/SkinScheme.h"
#include "framework/Dialog.h"
#include "skin/SkinButton.h"

class CCaptureResultDialog : public CDialog {
public:
    // The dialog wears the given skin; it shows and saves the capture's display image, which it
    // frees when its window goes.
    CCaptureResultDialog(LastCapture& capture, const SkinScheme& skin, CWnd* pParent = nullptr);

    // Where a capture of w x h pixels goes: the window's outer size and the offset of the area
    // in which a small capture is centred. The capture keeps its pixels at any DPI; the window
    // around it grows with the DPI.
    struct Placement {
        int width;
        int height;
        int ox;
        int oy;
    };
    static Placement PlacementFor(int w, int h, UINT dpi = 96);
    // The size a capture of w x h pixels is shown at in a window that must fit a room of the
    // given size: its own, or scaled down to fit.
    static SIZE ShownSize(int w, int h, int roomWidth, int roomHeight, UINT dpi = 96);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDpiChanged(UINT dpi) override;
    BOOL OnEraseBkgnd(HDC dc);
    void OnPaint();
    void OnCopy();
    void OnSave();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Sizes the window to the capture at `dpi` on `monitor`, paints its background to match,
    // and puts the two buttons side by side, three quarters of the way down the band below the
    // picture, with three equal gaps.
    void LayOut(HMONITOR monitor, UINT dpi);
    // Writes the display image; false when the file could not be written.
    bool SaveCapture(const char* fileName, bool png);

    LastCapture& m_capture;
    SIZE m_shown = {0, 0}; // the capture's size on the screen
    UINT m_dpi = 96;       // of the monitor it is shown on
    SkinScheme m_skin;
    CSkinButton m_btnCopy;
    CSkinButton m_btnSave;
    CSkinBitmap m_background;
};
