// CScreenCapture: the options window's Capture page.
#pragma once

#include "skin/SkinnedPage.h"

class CScreenCapture : public CSkinnedPage {
public:
    CScreenCapture();

    WORD m_wKey = 0; // capture hotkey
    WORD m_wMod = 0;

protected:
    DECLARE_MESSAGE_MAP()
};
