// Pages with a hotkey box.
#include "skin/HotkeyPage.h"

#include "framework/DataExchange.h"
#include "settings/Profile.h"

void CHotkeyPage::ReadSettings() {
    m_wKey = static_cast<WORD>(ReadSetting(m_keySetting));
    m_wMod = static_cast<WORD>(ReadSetting(m_modifierSetting));
}

void CHotkeyPage::WriteSettings() const {
    WriteSetting(m_keySetting, m_wKey);
    WriteSetting(m_modifierSetting, m_wMod);
}

void CHotkeyPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, m_boxId, m_hotkey);
}

BOOL CHotkeyPage::OnSetActive() {
    TakeStoredSettings();
    m_hotkey.Show(m_wKey, m_wMod);
    return CSkinnedPage::OnSetActive();
}

bool CHotkeyPage::Apply() {
    if (!UpdateData(TRUE))
        return false;
    m_hotkey.GetHotKey(m_wKey, m_wMod);
    HandToLibrary();
    WriteSettings();
    return true;
}

void CHotkeyPage::OnOK() {
    Apply();
    CSkinnedPage::OnOK();
}
