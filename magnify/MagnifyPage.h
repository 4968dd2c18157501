// CMagnifyPage: the options window's Magnify page, the magnifier's settings.
#pragma once

#include "framework/Controls.h"
#include "skin/HotkeyPage.h"
#include "skin/SkinButton.h"

class CMagnifyPage : public CHotkeyPage {
public:
    CMagnifyPage();

    int m_nWidth = 0;
    int m_nFactor = 0;
    int m_bNoPersist = 0; // kept as stored: the page does not show it

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    void ReadSettings() override;
    void WriteSettings() const override;
    void HandToLibrary() const override;

    void OnValueChange();
    void OnMagnify();
    void OnPaint();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CSpinButtonCtrl m_regionSpin;
    CSpinButtonCtrl m_factorSpin;
    CSkinButton m_btnHelp;
    CSkinButton m_btnMagnify;
};
