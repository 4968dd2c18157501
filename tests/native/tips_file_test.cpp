// The tips file: which lines are tips, in what order they come, long lines, files without tips
// and positions that do not belong to the file.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/TipsFile.h"

namespace {

// The next `count` tips from `position` on, reading through the file's contents.
std::vector<std::string> Tips(const std::string& contents, int count, long long position = 0) {
    std::vector<std::string> tips;
    std::string tip;
    for (int i = 0; i < count; ++i) {
        if (ReadNextTip(contents, position, tip) != TipResult::Found)
            break;
        tips.push_back(tip);
    }
    return tips;
}

using List = std::vector<std::string>;

} // namespace

TEST(TipsFile, OnlyTipLinesShowInTurnAlsoAcrossTheWrap) {
    struct Case {
        const char* contents;
        List expected; // five tips from the top
    } cases[] = {
        {"; header\nFirst\n\n  indented\n\ttabbed\nSecond\n; trailer\n \n", //
         {"First", "Second", "First", "Second", "First"}},
        // Windows line ends, an empty line in them, and a last line without a line end.
        {"A\r\n\r\n;c\r\nB\r\nC", {"A", "B", "C", "A", "B"}},
        // A byte order mark does not make the comment after it a tip.
        {"\xEF\xBB\xBF; comment\nOnly", {"Only", "Only", "Only", "Only", "Only"}},
        {"\xEF\xBB\xBFTop\nNext\n", {"Top", "Next", "Top", "Next", "Top"}},
        // A tip may hold a semicolon, or blanks, after its first character.
        {"x; y\nz  \n", {"x; y", "z  ", "x; y", "z  ", "x; y"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Tips(c.contents, 5), c.expected) << c.contents;
}

TEST(TipsFile, AStoredPositionGoesOnWithTheNextTip) {
    const std::string contents = ";c\nOne\n;skip this\nTwo\n";
    long long position = 0;
    std::string tip;
    ASSERT_EQ(ReadNextTip(contents, position, tip), TipResult::Found);
    EXPECT_EQ(position, 7); // after "One\n"
    EXPECT_EQ(Tips(contents, 2, position), (List{"Two", "One"}));
    EXPECT_EQ(Tips(contents, 1, static_cast<long long>(contents.size())), (List{"One"}));
    // A position inside a line (the file was edited since) goes on from the next line, so
    // the tail of a comment never shows; read plainly, the tail is taken as a line.
    for (long long inside : {8LL, 9LL, 17LL}) {
        long long at = inside;
        ASSERT_EQ(ReadNextTip(contents, at, tip, true), TipResult::Found) << inside;
        EXPECT_EQ(tip, "Two") << inside;
    }
    long long at = 8;
    ASSERT_EQ(ReadNextTip(contents, at, tip), TipResult::Found);
    EXPECT_EQ(tip, "skip this");
    at = 7;
    ASSERT_EQ(ReadNextTip(contents, at, tip, true), TipResult::Found);
    EXPECT_EQ(tip, "Two") << "a position at a line's start stays";
}

TEST(TipsFile, LongLinesComeInPiecesOf999) {
    const std::string xs(999, 'x'), ys(999, 'y');
    // The third piece starts with a blank, so it counts as an indented line.
    EXPECT_EQ(Tips(xs + ys + " z\nEnd\n", 4), (List{xs, ys, "End", xs}));
    // A line of exactly 999 leaves no empty piece behind: its line end closes it.
    EXPECT_EQ(Tips(xs + "\nNext\n", 3), (List{xs, "Next", xs}));
    EXPECT_EQ(Tips(xs + "z\n", 3), (List{xs, "z", xs}));
}

TEST(TipsFile, AFileWithoutTipsEndsTheSearch) {
    for (const char* contents :
         {"", "\n", ";only\n; comments\n", "\n\n  \n\t\n", "\xEF\xBB\xBF", "\xEF\xBB\xBF;x\r\n"}) {
        const std::string text = contents;
        for (long long position : {0LL, 1LL, static_cast<long long>(text.size())}) {
            std::string tip = "kept";
            long long at = position;
            EXPECT_EQ(ReadNextTip(text, at, tip, true), TipResult::NoTip)
                << text << " @" << position;
            EXPECT_EQ(tip, "kept");
        }
    }
}

TEST(TipsFile, PositionsOutsideTheFileStartFromTheTop) {
    const std::string contents = "First\nSecond\n";
    for (long long position : {-1LL, -100000LL, 14LL, 1000000LL, LLONG_MAX, LLONG_MIN}) {
        EXPECT_EQ(Tips(contents, 2, position), (List{"First", "Second"})) << position;
    }
}

TEST(TipsFile, AFileOnDiskReadsLikeItsContents) {
    const std::string path = testing::TempDir() + "zen_tips_test.txt";
    const std::string contents = "; Zentrova tips\r\nAlt+C captures.\r\n\r\nAlt+Z magnifies.\r\n";
    std::ofstream(path, std::ios::binary) << contents;
    TipsFile file;
    ASSERT_TRUE(file.Open(path));
    std::string tip;
    List fromDisk;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(file.Next(tip), TipResult::Found);
        fromDisk.push_back(tip);
    }
    EXPECT_EQ(fromDisk, Tips(contents, 3));
    file.SetPosition(-5);
    ASSERT_EQ(file.Next(tip), TipResult::Found);
    EXPECT_EQ(tip, "Alt+C captures.");
    EXPECT_EQ(file.Position(), 34);
    file.SetPosition(20); // inside the first tip's line
    ASSERT_EQ(file.Next(tip), TipResult::Found);
    EXPECT_EQ(tip, "Alt+Z magnifies.");
    file.Close();
    std::remove(path.c_str());

    EXPECT_FALSE(file.Open(path));
    EXPECT_FALSE(file.Open(""));
    long long position = 0;
    EXPECT_EQ(ReadNextTip(static_cast<std::FILE*>(nullptr), position, tip), TipResult::ReadError);
}
