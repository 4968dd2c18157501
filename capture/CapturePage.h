// CScreenCapture: the options window's Capture page.
#pragma once

#include "framework/PropertySheet.h"

class CScreenCapture : public CPropertyPage {
public:
    CScreenCapture();

    WORD m_wKey = 67;  // capture hotkey: C
    WORD m_wMod = 4;   // Alt

protected:
    DECLARE_MESSAGE_MAP()
};
