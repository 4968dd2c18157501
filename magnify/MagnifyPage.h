// CMagnifyPage: the options window's Magnify page, the magnifier's settings.
#pragma once

#include "framework/Controls.h"
#include "skin/LibraryHotKeyCtrl.h"
#include "skin/SkinButton.h"
#include "skin/SkinnedPage.h"

class CMagnifyPage : public CSkinnedPage {
public:
    CMagnifyPage();

    WORD m_wKey = 0; // magnifier hotkey
    WORD m_wMod = 0;
    int m_nWidth = 0;
    int m_nFactor = 0;
    int m_bNoPersist = 0;

    // Reads the controls, hands the settings to the hook library and stores
    // them; FALSE (nothing handed over or stored) when a value is refused.
    BOOL Apply();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnOK() override;

    void ReadSettings();
    void WriteSettings() const;
    void HandToLibrary() const;

    void OnValueChange();
    void OnMagnify();
    void OnPaint();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CSpinButtonCtrl m_regionSpin;
    CSpinButtonCtrl m_factorSpin;
    CLibraryHotKeyCtrl m_hotkey;
    CSkinButton m_btnHelp;
    CSkinButton m_btnMagnify;
};
