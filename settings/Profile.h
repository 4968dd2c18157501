// Reading and writing the program's settings in its INI file, through the
// definitions of settings/Settings.h. Every setting lives in the section
// named by the empty string, but Tip of the Day's, which have their own.
#pragma once

#include <string>

#include "framework/App.h"
#include "settings/Settings.h"

constexpr char kSettingsSection[] = "";

// The stored value as the program uses it: the default when the key is
// missing or holds no number, the setting's rule when it is out of range.
inline int ReadSetting(const char* section, const SettingDef& s) {
    std::string text = AfxGetApp()->GetProfileString(section, s.key, "");
    return SettingFromText(s, text.c_str());
}
inline int ReadSetting(const SettingDef& s) {
    return ReadSetting(kSettingsSection, s);
}

// Stores a setting. Where the system refuses the settings file (a folder that
// cannot be written, a path longer than it allows), the user is told once in
// the run, rather than finding the settings gone at the next start.
inline BOOL WriteSetting(const char* section, const SettingDef& s, int value) {
    const CWinApp* app = AfxGetApp();
    if (app->WriteProfileInt(section, s.key, value))
        return TRUE;
    static bool told = false;
    if (!told) {
        told = true;
        std::string text = "Settings cannot be saved in " + app->m_profileName + "!";
        AfxMessageBox(text.c_str());
    }
    return FALSE;
}
inline BOOL WriteSetting(const SettingDef& s, int value) {
    return WriteSetting(kSettingsSection, s, value);
}
