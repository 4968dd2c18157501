// CAutoClick: the options window's Color page (the colour picker).
#pragma once

#include "app/SkinnedPage.h"

class CAutoClick : public CSkinnedPage {
public:
    CAutoClick();

    WORD m_wKey = 88; // freeze hotkey: X
    WORD m_wMod = 4;  // Alt

protected:
    DECLARE_MESSAGE_MAP()
};
