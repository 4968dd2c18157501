// CMagnifyPage: the options window's Magnify page, the magnifier's settings.
#pragma once

#include "framework/PropertySheet.h"

class CMagnifyPage : public CPropertyPage {
public:
    CMagnifyPage();

    WORD m_wKey = 90;  // magnifier hotkey: Z
    WORD m_wMod = 4;   // Alt
    int m_nWidth = 40;
    int m_nFactor = 4;
    int m_bNoPersist = 0;

protected:
    void ReadSettings();
    void HandToLibrary() const;
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
