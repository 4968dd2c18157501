// What the colour picker shows for a sample, and the colour's style-sheet form.
#include <gtest/gtest.h>

#include "color/PickerReading.h"

TEST(PickerReading, AnUnreadablePixelShowsAsWhite) {
    const std::uint32_t shown = PickedColor(kUnreadableColorWord);
    EXPECT_EQ(FormatRgbText(shown), "255,255,255");
    EXPECT_EQ(FormatHtmlText(shown), "# FF,FF,FF");
    EXPECT_EQ(shown >> 24, 0u) << "a colour word the platform can draw with";
    // A real white or black pixel is itself.
    EXPECT_EQ(PickedColor(0x00FFFFFF), 0x00FFFFFFu);
    EXPECT_EQ(PickedColor(0), 0u);
}

TEST(PickerReading, CssHexIsRedGreenBlueInTwoUpperCaseDigitsEach) {
    struct Case {
        std::uint32_t word;
        const char* text;
    } cases[] = {{MakeColorWord(255, 128, 0), "#FF8000"},
                 {MakeColorWord(10, 11, 12), "#0A0B0C"},
                 {MakeColorWord(0, 0, 0), "#000000"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatCssHexText(c.word), c.text);
}
