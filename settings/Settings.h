// The program's settings: every key of the INI file once, with its default and
// the values it may hold. The pages, the tray window and the hook library all
// read these definitions, so a key's default and range live in one place.
#pragma once

#include <climits>

// What happens to a stored value outside a setting's range: hotkeys fall back
// to their default (a half-valid key would register nothing), sizes are
// brought to the nearest limit.
enum class OutOfRange { UseDefault, Clamp };

struct SettingDef {
    const char* key;
    int defaultValue;
    int min;
    int max;
    OutOfRange rule;
};

// Reads the number at the start of a stored text as the profile functions do
// (blanks, a sign, digits; what follows is ignored), saturating at the range
// of long long. False when the text does not start with a number.
constexpr bool ParseStoredNumber(const char* text, long long& value) {
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    long long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        int digit = *p - '0';
        v = v > (LLONG_MAX - digit) / 10 ? LLONG_MAX : v * 10 + digit;
    }
    value = negative ? -v : v;
    return true;
}

// The value a stored (possibly hand-edited) number stands for.
constexpr int NormalizeSetting(const SettingDef& s, long long stored) {
    if (stored >= s.min && stored <= s.max)
        return static_cast<int>(stored);
    if (s.rule == OutOfRange::UseDefault)
        return s.defaultValue;
    return stored < s.min ? s.min : s.max;
}

// The value the program uses for a stored text: the default when the text
// holds no number, the setting's rule when the number is out of range.
constexpr int SettingFromText(const SettingDef& s, const char* text) {
    long long stored = 0;
    if (!ParseStoredNumber(text, stored))
        return s.defaultValue;
    return NormalizeSetting(s, stored);
}

namespace settings {

// A hotkey is a virtual-key code (0 for none) and the hotkey control's
// modifier flags: 1 Shift, 2 Ctrl, 4 Alt, 8 extended key.
constexpr int kMaxHotkeyKey = 254;
constexpr int kMaxHotkeyModifiers = 15;
constexpr SettingDef HotkeyKey(const char* key, int defaultValue) {
    return {key, defaultValue, 0, kMaxHotkeyKey, OutOfRange::UseDefault};
}
constexpr SettingDef HotkeyModifiers(const char* key) {
    return {key, 4 /* Alt */, 0, kMaxHotkeyModifiers, OutOfRange::UseDefault};
}

// The magnifier: its hotkey (0 also switches the zoom window off), the side of
// the magnified square in pixels, the magnification, and the flag that keeps
// the zoom window up until the hotkey is pressed again (0) or not (non-zero).
constexpr SettingDef kMagnifierKey = HotkeyKey("wKey", 90 /* Z */);
constexpr SettingDef kMagnifierModifiers = HotkeyModifiers("wMod");
constexpr SettingDef kZoomRegion = {"nWidth", 40, 10, 100, OutOfRange::Clamp};
constexpr SettingDef kZoomFactor = {"nFactor", 4, 1, 10, OutOfRange::Clamp};
constexpr SettingDef kNoPersist = {"bNoPersist", 0, INT_MIN, INT_MAX, OutOfRange::Clamp};
// Not stored: the least distance in pixels between the pointer and the zoom
// window, handed to the library with the magnifier's settings.
constexpr int kZoomGap = 13;

// The colour picker's freeze hotkey and the capture hotkey.
constexpr SettingDef kPickerKey = HotkeyKey("AutoClickwKey", 88 /* X */);
constexpr SettingDef kPickerModifiers = HotkeyModifiers("AutoClickwMod");
constexpr SettingDef kCaptureKey = HotkeyKey("CapturewKey", 67 /* C */);
constexpr SettingDef kCaptureModifiers = HotkeyModifiers("CapturewMod");

// Pick a random skin of the library at start-up.
constexpr SettingDef kRandomSkin = {"RandomSkin", 0, 0, 1, OutOfRange::Clamp};

// Tip of the Day keeps its state in a section of its own: the inverted
// show-at-start-up box (0 ticked, anything else cleared), the byte position of
// the next tip in tips.txt (one outside the file starts from the top), and,
// as text, the stamp of the tips file that position belongs to.
constexpr char kTipSection[] = "Tip";
constexpr SettingDef kTipStartUp = {"StartUp", 0, INT_MIN, INT_MAX, OutOfRange::Clamp};
constexpr SettingDef kTipFilePos = {"FilePos", 0, INT_MIN, INT_MAX, OutOfRange::Clamp};
constexpr char kTipTimeStamp[] = "TimeStamp";

// Every setting of the unnamed section, for code that walks them all.
constexpr const SettingDef* kAll[] = {
    &kPickerKey,  &kPickerModifiers, &kMagnifierKey, &kMagnifierModifiers, &kZoomRegion,
    &kZoomFactor, &kNoPersist,       &kCaptureKey,   &kCaptureModifiers,   &kRandomSkin};

} // namespace settings
