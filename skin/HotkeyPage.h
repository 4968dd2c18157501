// CHotkeyPage: a skinned page with a hotkey box whose key Quillet.dll answers. The page object
// reads the stored settings and hands them to the library when it is made, so the key works from
// start-up on; showing the page reads them again (a key typed but not applied is dropped) and
// shows the key; OK checks the page, hands the library what it holds and stores it.
#pragma once

#include <windows.h>

#include "settings/Settings.h"
#include "skin/LibraryHotKeyCtrl.h"
#include "skin/SkinnedPage.h"

class CHotkeyPage : public CSkinnedPage {
public:
    WORD m_wKey = 0; // the hotkey: virtual key and the hotkey box's modifier flags
    WORD m_wMod = 0;

    // Reads the controls, hands the settings to the hook library and stores them; false
    // (nothing handed over or stored) when a value is refused, which the user has been told.
    bool Apply();

protected:
    CHotkeyPage(UINT templateId, int boxId, const SettingDef& key, const SettingDef& modifiers)
        : CSkinnedPage(templateId), m_boxId(boxId), m_keySetting(key),
          m_modifierSetting(modifiers) {}

    // Reads the stored settings and hands them to the library. A page calls it from its own
    // constructor, where its own ReadSettings and HandToLibrary are the ones in force.
    void TakeStoredSettings() {
        ReadSettings();
        HandToLibrary();
    }
    // The page's settings: the hotkey, and what a page adds to it.
    virtual void ReadSettings();
    virtual void WriteSettings() const;
    virtual void HandToLibrary() const = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    void OnOK() override;

    CLibraryHotKeyCtrl m_hotkey;

private:
    int m_boxId;
    const SettingDef& m_keySetting;
    const SettingDef& m_modifierSetting;
};
