// Every setting of the INI file, read from any stored text: the value the program uses always
// lies inside the setting's range, and a number inside it is used as it is.
#include <string>

#include "settings/Settings.h"
#include "tests/fuzz/FuzzTarget.h"

ZEN_FUZZ_TARGET(ini_values) {
    // The profile functions hand over a C string: the text ends at the first NUL.
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const SettingDef* s : settings::kAll) {
        const int value = SettingFromText(*s, text.c_str());
        FUZZ_CHECK(value >= s->min && value <= s->max);
        long long stored = 0;
        if (ParseStoredNumber(text.c_str(), stored) && stored >= s->min && stored <= s->max)
            FUZZ_CHECK(value == stored);
        else
            FUZZ_CHECK(value == s->defaultValue || value == s->min || value == s->max);
    }
}
