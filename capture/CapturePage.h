// CScreenCapture: the options window's Capture page.
#pragma once

#include "app/SkinnedPage.h"

class CScreenCapture : public CSkinnedPage {
public:
    CScreenCapture();

    WORD m_wKey = 67; // capture hotkey: C
    WORD m_wMod = 4;  // Alt

protected:
    DECLARE_MESSAGE_MAP()
};
