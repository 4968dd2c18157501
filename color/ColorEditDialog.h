// CColorEditDialog: the "Edit Color" dialog, opened on one colour; OK leaves
// the edited colour in m_rgbCurrent.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"

class CColorEditDialog : public CDialog {
public:
    explicit CColorEditDialog(COLORREF initial, CWnd* parent = nullptr)
        : CDialog(kTemplate, parent), m_rgbCurrent(initial) {}

    // The colour being edited; the result after OK.
    COLORREF m_rgbCurrent;

private:
    static constexpr UINT kTemplate = 5130;
};
