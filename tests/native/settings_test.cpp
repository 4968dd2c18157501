// Hand-edited settings: what a stored text stands for, and values outside a
// setting's range.
#include <gtest/gtest.h>

#include <string>

#include "settings/Settings.h"

namespace {

// The value the program uses for a stored text, as the settings reader works
// it out: the default when the text holds no number.
int Read(const SettingDef& s, const char* text) {
    long long stored = 0;
    return ParseStoredNumber(text, stored) ? NormalizeSetting(s, stored) : s.defaultValue;
}

} // namespace

TEST(Settings, StoredTextsReadAsTheProfileFunctionsReadThem) {
    const struct {
        const char* text;
        bool number;
        long long value;
    } cases[] = {{"42", true, 42},
                 {"  -7", true, -7},
                 {"+3", true, 3},
                 {"12abc", true, 12},
                 {"abc", false, 0},
                 {"", false, 0},
                 {"-", false, 0},
                 {" 0x10", true, 0},
                 {"\t9", true, 9},
                 {"00000000000000000000007", true, 7},
                 {"99999999999999999999999", true, LLONG_MAX}};
    for (const auto& c : cases) {
        long long v = -1;
        EXPECT_EQ(ParseStoredNumber(c.text, v), c.number) << c.text;
        EXPECT_EQ(v, c.number ? c.value : -1) << c.text;
    }
}

TEST(Settings, HotkeysOutOfRangeFallBackAndSizesClamp) {
    using namespace settings;
    // A key is 0 (none) to 254; modifiers 0 to 15; anything else is the default.
    EXPECT_EQ(Read(kMagnifierKey, "0"), 0) << "no hotkey stays a choice";
    EXPECT_EQ(Read(kMagnifierKey, "254"), 254);
    for (const char* bad : {"255", "65536", "-1", "x"})
        EXPECT_EQ(Read(kMagnifierKey, bad), 90) << bad;
    EXPECT_EQ(Read(kCaptureKey, "65536"), 67);
    EXPECT_EQ(Read(kPickerModifiers, "15"), 15);
    EXPECT_EQ(Read(kPickerModifiers, "16"), 4);
    EXPECT_EQ(Read(kMagnifierModifiers, "-1"), 4);
    // The magnifier's sizes are brought to the nearest limit.
    EXPECT_EQ(Read(kZoomRegion, "5"), 10);
    EXPECT_EQ(Read(kZoomRegion, "100000000000"), 100);
    EXPECT_EQ(Read(kZoomFactor, "-3"), 1);
    EXPECT_EQ(Read(kZoomFactor, "11"), 10);
    // A flag the page does not show is kept as it was, whatever it holds.
    EXPECT_EQ(Read(kNoPersist, "-5"), -5);
}

TEST(Settings, EveryDefaultIsInsideItsRangeAndEveryKeyIsOnce) {
    for (const SettingDef* s : settings::kAll) {
        EXPECT_EQ(NormalizeSetting(*s, s->defaultValue), s->defaultValue) << s->key;
        for (const SettingDef* t : settings::kAll)
            EXPECT_TRUE(s == t || std::string(s->key) != t->key) << s->key;
    }
}
