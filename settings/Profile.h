// Reading and writing the program's settings in its INI file, through the
// definitions of settings/Settings.h. Every setting lives in the section
// named by the empty string.
#pragma once

#include <string>

#include "framework/App.h"
#include "settings/Settings.h"

constexpr char kSettingsSection[] = "";

// The stored value as the program uses it: the default when the key is
// missing or holds no number, the setting's rule when it is out of range.
inline int ReadSetting(const SettingDef& s) {
    std::string text = AfxGetApp()->GetProfileString(kSettingsSection, s.key, "");
    return SettingFromText(s, text.c_str());
}

// Stores a setting. Where the system refuses the settings file (a folder that
// cannot be written, a path longer than it allows), the user is told once in
// the run, rather than finding the settings gone at the next start.
inline BOOL WriteSetting(const SettingDef& s, int value) {
    const CWinApp* app = AfxGetApp();
    if (app->WriteProfileInt(kSettingsSection, s.key, value))
        return TRUE;
    static bool told = false;
    if (!told) {
        told = true;
        std::string text = "Settings cannot be saved in " + app->m_pszProfileName + "!";
        AfxMessageBox(text.c_str());
    }
    return FALSE;
}
