// CAutoClick: the options window's Color page (the colour picker).
#pragma once

#include "skin/SkinnedPage.h"

class CAutoClick : public CSkinnedPage {
public:
    CAutoClick();

    WORD m_wKey = 0; // freeze hotkey
    WORD m_wMod = 0;

protected:
    DECLARE_MESSAGE_MAP()
};
