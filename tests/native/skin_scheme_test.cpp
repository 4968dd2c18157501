// Scheme library: files written and read back, damaged files, table edits and the start-up pick.
// What any text does to the reader (stays in the table, names terminated, saved again the same)
// is the fuzz target's; here are the exact results the rules give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "core/SkinScheme.h"
#include "tests/common/schemes.h"

namespace {

std::string TempPath(const std::string& name) {
    return testing::TempDir() + "zen_skin_" + name;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// File text without carriage returns, so Windows line ends compare equal.
std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// The file block of NumberedScheme(seed, name), spelt out: the name, then seed + 1 .. seed + 15
// one a line.
std::string Block(const std::string& name, int seed) {
    std::string text = name + "\n";
    for (int i = 1; i <= 15; ++i)
        text += std::to_string(seed + i) + "\n";
    return text;
}

// A scheme.dat with the given count line and schemes S1.. of seeds 100, 200, ...
std::string Library(int count, int blocks) {
    std::string text = std::to_string(count) + "\n";
    for (int n = 1; n <= blocks; ++n)
        text += Block("S" + std::to_string(n), 100 * n);
    return text;
}

// A table of `count` schemes: scheme n is NumberedScheme(100 * n + seed) named prefix + n.
SkinSchemeTable Numbered(const std::string& prefix, int count, int seed) {
    return SchemeTable(
        count, [&](int n) { return NumberedScheme(100 * n + seed, prefix + std::to_string(n)); });
}

} // namespace

TEST(SchemeFile, WriteThenReadKeepsEveryStoredValue) {
    const std::string path = TempPath("roundtrip.dat");
    for (int count : {0, 3, SkinSchemeTable::kCapacity}) {
        // Count line, then per scheme its name and 15 numbers; the hover blends are not written.
        const SkinSchemeTable written = Numbered("S", count, -5000);
        std::string text = std::to_string(count) + "\n";
        for (int n = 1; n <= count; ++n)
            text += Block("S" + std::to_string(n), 100 * n - 5000);
        ASSERT_TRUE(WriteSchemeFile(path, written));
        EXPECT_EQ(ReadText(path), text);

        SkinSchemeTable read;
        ASSERT_TRUE(ReadSchemeFile(path, read));
        ASSERT_EQ(read.count, count);
        for (int n = 1; n <= count; ++n) {
            EXPECT_STREQ(read.Scheme(n).name, written.Scheme(n).name);
            EXPECT_EQ(StoredNumbers(read.Scheme(n)), StoredNumbers(written.Scheme(n)));
        }
    }
    std::remove(path.c_str());

    // One scheme exported as a block and imported again; a damaged block keeps the old values
    // from its first failure on and reports how many values scanned.
    const std::string vsc = TempPath("one.vsc");
    ASSERT_TRUE(WriteSchemeBlock(vsc, NumberedScheme(-40, "Sunset")));
    EXPECT_EQ(ReadText(vsc), Block("Sunset", -40));
    SkinScheme read;
    EXPECT_EQ(ReadSchemeBlock(vsc, read), 16);
    EXPECT_STREQ(read.name, "Sunset");
    EXPECT_EQ(StoredNumbers(read), StoredNumbers(NumberedScheme(-40)));
    WriteText(vsc, "N 1 2 x");
    SkinScheme s = NumberedScheme(1, "Before");
    EXPECT_EQ(ReadSchemeBlock(vsc, s), 3);
    EXPECT_STREQ(s.name, "N");
    EXPECT_EQ(StoredNumbers(s)[2], 4);
    std::remove(vsc.c_str());
    EXPECT_EQ(ReadSchemeBlock(vsc, read), -1);
}

TEST(SchemeFile, DamagedFilesKeepWhatDidNotScan) {
    struct Case {
        const char* what;
        std::string text;
        int count;        // count afterwards; the table held 7, "oldN" of seed 100N - 100
        const char* last; // name of scheme `count` afterwards
        int fromFile;     // its numbers taken from the file; the rest keep their old values
    };
    const std::string twoBlocks = Block("A", 100) + Block("B", 200);
    // Runs longer than the chunks the file is read in: a name, blanks and a number's zeros.
    const std::string longRuns = "1\n" + std::string(70000, 'N') + std::string(70000, ' ') +
                                 std::string(70000, '0') + Block("", 100).substr(1);
    const Case cases[] = {
        {"count not a number", "two\n" + twoBlocks, 7, "old7", 0},
        {"count of 2^31", "2147483648\n" + twoBlocks, 7, "old7", 0},
        {"truncated", "2\n" + Block("A", 100) + "B\n201\n202", 2, "B", 2},
        {"garbage in a number", "2\n" + Block("A", 100) + "B\n201\nx\n203\n", 2, "B", 1},
        {"number beyond 32 bits", "2\n" + Block("A", 100) + "B\n4294967497\n", 2, "B", 0},
        {"count beyond the file", "3\n" + twoBlocks, 3, "old3", 0},
        {"negative count", "-4\n" + twoBlocks, 0, nullptr, 0},
        {"count above capacity", Library(150, 150), 99, "S99", 15},
        {"long name", "1\nABCDEFGHIJKLMNOPQRSTUVWXYZ\n" + Block("", 100).substr(1), 1,
         "ABCDEFGHIJKLMNOPQRS", 15},
        {"long runs", longRuns, 1, "NNNNNNNNNNNNNNNNNNN", 15},
    };
    const std::string path = TempPath("damaged.dat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteText(path, c.text);
        SkinSchemeTable table = Numbered("old", SkinSchemeTable::kCapacity, -100);
        table.count = 7;
        int handed = 0;
        ASSERT_TRUE(ReadSchemeFile(path, table, [&](const char*) { ++handed; }));
        ASSERT_EQ(table.count, c.count);
        EXPECT_EQ(handed, c.count);
        if (!c.last)
            continue;
        EXPECT_STREQ(table.Scheme(c.count).name, c.last);
        const auto file = StoredNumbers(NumberedScheme(100 * c.count));
        auto expected = StoredNumbers(NumberedScheme(100 * c.count - 100));
        std::copy_n(file.begin(), c.fromFile, expected.begin());
        EXPECT_EQ(StoredNumbers(table.Scheme(c.count)), expected);
    }
    // A missing file changes nothing and hands no names.
    std::remove(path.c_str());
    SkinSchemeTable table;
    table.count = 5;
    EXPECT_FALSE(ReadSchemeFile(path, table, [&](const char*) { ADD_FAILURE(); }));
    EXPECT_EQ(table.count, 5);
}

TEST(SchemeTable, StoreConfirmDeleteAndFull) {
    const struct {
        const char* name;
        int slot; // scheme that takes the values
        const char* stored;
    } steps[] = {{"Mine", 1, "Mine"},
                 {"Blue", 2, "Blue"},
                 {"blue", 3, "blue"},
                 {"Blue", 2, "Blue"},
                 {"my skin\t", 4, "my_skin_"},
                 {"", 5, "Unnamed"},
                 {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 6, "ABCDEFGHIJKLMNOPQRS"},
                 {"ABCDEFGHIJKLMNOPQRSxyz", 6, "ABCDEFGHIJKLMNOPQRS"}};
    // Never half a character of UTF-8 text ("Ä" is two bytes): 18 bytes of 22 rather than 19.
    char cut[kSkinNameSize];
    MakeSchemeName("ÄÄÄÄÄÄÄÄÄÄÄ", cut);
    EXPECT_STREQ(cut, "ÄÄÄÄÄÄÄÄÄ");
    SkinSchemeTable table;
    int seed = 0;
    for (const auto& s : steps) {
        const SkinScheme values = NumberedScheme(seed += 20, "ignored");
        ASSERT_EQ(StoreScheme(table, s.name, values), s.slot) << s.name;
        EXPECT_STREQ(table.Scheme(s.slot).name, s.stored);
        EXPECT_EQ(StoredNumbers(table.Scheme(s.slot)), StoredNumbers(values));
    }
    ASSERT_EQ(table.count, 6);

    // Deleting moves the later schemes down; the default skin and numbers outside are refused.
    for (int n : {-1, 0, 1, 2, 6, 7}) {
        SkinSchemeTable t = table;
        const bool deleted = n >= 2 && n <= 6;
        EXPECT_EQ(DeleteScheme(t, n), deleted) << n;
        ASSERT_EQ(t.count, deleted ? 5 : 6);
        for (int i = 1; i <= t.count; ++i) {
            const SkinScheme& was = table.Scheme(deleted && i >= n ? i + 1 : i);
            EXPECT_STREQ(t.Scheme(i).name, was.name) << n;
            EXPECT_EQ(StoredNumbers(t.Scheme(i)), StoredNumbers(was)) << n;
        }
    }

    // Confirming the default skin keeps scheme 1's name; an empty table gets one "Default".
    ConfirmDefaultScheme(table, NumberedScheme(3, "Ignored"));
    EXPECT_STREQ(table.Scheme(1).name, "Mine");
    EXPECT_EQ(StoredNumbers(table.Scheme(1)), StoredNumbers(NumberedScheme(3)));
    SkinSchemeTable empty;
    ConfirmDefaultScheme(empty, NumberedScheme(9, "Ignored"));
    EXPECT_EQ(empty.count, 1);
    EXPECT_STREQ(empty.Scheme(1).name, "Default");

    // A full table refuses a new name and changes nothing, but still overwrites by name.
    for (int n = 7; n <= SkinSchemeTable::kCapacity; ++n)
        ASSERT_EQ(StoreScheme(table, ("S" + std::to_string(n)).c_str(), NumberedScheme(n)), n);
    const SkinSchemeTable full = table;
    EXPECT_EQ(StoreScheme(table, "Extra", NumberedScheme(7)), 0);
    EXPECT_EQ(std::memcmp(&table, &full, sizeof table), 0);
    EXPECT_EQ(StoreScheme(table, "S50", NumberedScheme(7)), 50);
    EXPECT_EQ(StoredNumbers(table.Scheme(50)), StoredNumbers(NumberedScheme(7)));
}

TEST(LoadCurrentSkin, PlainAndRandomLoads) {
    const std::string path = TempPath("load.dat");
    // Without a file nothing is read; a plain load then takes the grey sample colour.
    std::remove(path.c_str());
    for (int randomSkin : {0, 1}) {
        SkinScheme current = NumberedScheme(7, "Current");
        bool pickMade = false;
        CrtRandom random;
        LoadCurrentSkin(path, randomSkin, pickMade, 1234u, random, current);
        auto expected = StoredNumbers(NumberedScheme(7));
        if (randomSkin == 0)
            expected[6] = expected[7] = expected[8] = 192;
        EXPECT_EQ(StoredNumbers(current), expected) << randomSkin;
        EXPECT_FALSE(pickMade);
        EXPECT_EQ(current.buttonLook.hoverBlend, kButtonHoverBlend);
        EXPECT_STREQ(current.name, "Current");
    }
    // The random pick takes scheme Next() % count + 1 of the sequence seeded with the time, at
    // most once per run; a file without schemes leaves nothing to pick and the pick open.
    const struct {
        int count, blocks; // count line, schemes in the file
        int range;         // picks run 1..range, 0: no pick
    } cases[] = {{5, 5, 5}, {100000, 120, 99}, {0, 2, 0}, {-3, 2, 0}};
    for (const auto& c : cases) {
        WriteText(path, Library(c.count, c.blocks));
        for (unsigned seed = 0; seed < 400; ++seed) {
            CrtRandom sequence(seed);
            const int k = c.range ? sequence.Next() % c.range + 1 : 0;
            SkinScheme current = NumberedScheme(7, "Current");
            bool pickMade = false;
            CrtRandom random;
            LoadCurrentSkin(path, 1, pickMade, seed, random, current);
            ASSERT_EQ(pickMade, k != 0);
            ASSERT_EQ(StoredNumbers(current), StoredNumbers(NumberedScheme(k ? 100 * k : 7)))
                << seed;
            if (k) { // the painter continues the sequence
                EXPECT_EQ(random.Next(), sequence.Next());
            }
            // A later load in the same run (after the skin dialog), or a plain one, takes
            // scheme 1.
            LoadCurrentSkin(path, k ? 1 : 0, pickMade, seed + 1, random, current);
            ASSERT_EQ(StoredNumbers(current), StoredNumbers(NumberedScheme(100)));
            ASSERT_EQ(pickMade, k != 0);
        }
    }
    std::remove(path.c_str());
}
