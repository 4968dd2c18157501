// The program's settings: every key lives in the INI section named "".
#pragma once

#include "framework/App.h"

constexpr char kSettingsSection[] = "";

inline int ReadSetting(const char* key, int nDefault) {
    return static_cast<int>(AfxGetApp()->GetProfileInt(kSettingsSection, key, nDefault));
}
inline void WriteSetting(const char* key, int value) {
    AfxGetApp()->WriteProfileInt(kSettingsSection, key, value);
}
