// Scheme library: files written and read back, damaged files, table edits and the start-up pick.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/SkinScheme.h"

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

// The 15 numbers of a scheme in file order.
std::vector<int> Numbers(const SkinScheme& s) {
    const SkinLook& b = s.buttonLook;
    const SkinLook& d = s.dialogLook;
    return {b.red,         b.green,     b.blue,        d.red,         d.green,
            d.blue,        s.sampleRed, s.sampleGreen, s.sampleBlue,  b.mode,
            b.granularity, b.coloring,  d.mode,        d.granularity, d.coloring};
}

// A scheme whose numbers in file order are seed + 1 .. seed + 15, with hover blends set.
SkinScheme MakeScheme(int seed, const std::string& name = "") {
    SkinScheme s;
    std::snprintf(s.name, sizeof s.name, "%s", name.c_str());
    s.buttonLook = {seed + 10, seed + 11, 66, seed + 12, seed + 1, seed + 2, seed + 3};
    s.dialogLook = {seed + 13, seed + 14, 55, seed + 15, seed + 4, seed + 5, seed + 6};
    s.sampleRed = seed + 7;
    s.sampleGreen = seed + 8;
    s.sampleBlue = seed + 9;
    return s;
}

// The file block of MakeScheme(seed, name): the name, then its numbers one per line.
std::string Block(const std::string& name, int seed) {
    std::string text = name + "\n";
    for (int i = 1; i <= 15; ++i)
        text += std::to_string(seed + i) + "\n";
    return text;
}

// A scheme.dat with the given count line and schemes S1.. built from seeds 100, 200, ...
std::string Library(int count, int blocks) {
    std::string text = std::to_string(count) + "\n";
    for (int n = 1; n <= blocks; ++n)
        text += Block("S" + std::to_string(n), 100 * n);
    return text;
}

} // namespace

TEST(SchemeFile, WriteThenReadKeepsEveryStoredValue) {
    const std::string path = TempPath("roundtrip.dat");
    for (int count : {0, 3, SkinSchemeTable::kCapacity}) {
        // Count line, then per scheme its name and 15 numbers; the hover blends are not written.
        SkinSchemeTable written;
        std::string text = std::to_string(count) + "\n";
        for (int n = 1; n <= count; ++n) {
            const std::string name = "S" + std::to_string(n);
            written.Scheme(n) = MakeScheme(100 * n - 5000, name);
            text += Block(name, 100 * n - 5000);
        }
        written.count = count;
        ASSERT_TRUE(WriteSchemeFile(path, written));
        EXPECT_EQ(ReadText(path), text);

        SkinSchemeTable read;
        std::vector<std::string> names;
        ASSERT_TRUE(ReadSchemeFile(path, read, [&](const char* n) { names.push_back(n); }));
        ASSERT_EQ(read.count, count);
        ASSERT_EQ(names.size(), static_cast<size_t>(count));
        for (int n = 1; n <= count; ++n) {
            EXPECT_EQ(names[n - 1], written.Scheme(n).name);
            EXPECT_STREQ(read.Scheme(n).name, written.Scheme(n).name);
            EXPECT_EQ(Numbers(read.Scheme(n)), Numbers(written.Scheme(n)));
        }
    }
    std::remove(path.c_str());

    // One scheme exported as a block and imported again; a damaged block keeps the old values
    // from its first failure on and reports how many values scanned.
    const std::string vsc = TempPath("one.vsc");
    ASSERT_TRUE(WriteSchemeBlock(vsc, MakeScheme(-40, "Sunset")));
    EXPECT_EQ(ReadText(vsc), Block("Sunset", -40));
    SkinScheme read;
    EXPECT_EQ(ReadSchemeBlock(vsc, read), 16);
    EXPECT_STREQ(read.name, "Sunset");
    EXPECT_EQ(Numbers(read), Numbers(MakeScheme(-40)));
    WriteText(vsc, "N 1 2 x");
    SkinScheme s = MakeScheme(1, "Before");
    EXPECT_EQ(ReadSchemeBlock(vsc, s), 3);
    EXPECT_STREQ(s.name, "N");
    EXPECT_EQ(Numbers(s)[2], 4);
    std::remove(vsc.c_str());
    EXPECT_EQ(ReadSchemeBlock(vsc, read), -1);
}

TEST(SchemeFile, DamagedFilesReadSafely) {
    struct Case {
        const char* what;
        std::string text;
        int count;        // count afterwards (the table held 7 schemes "old1".. of seed -100)
        const char* last; // name of scheme `count` afterwards
        int fromFile;     // its numbers taken from the file; the rest keep their old values
    };
    const std::string twoBlocks = Block("A", 100) + Block("B", 200);
    std::string crlf;
    for (char c : "2\n" + twoBlocks)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const Case cases[] = {
        {"empty file", "", 7, "old7", 0},
        {"count not a number", "two\n" + twoBlocks, 7, "old7", 0},
        {"windows line ends", crlf, 2, "B", 15},
        {"truncated", "2\n" + Block("A", 100) + "B\n201\n202\n", 2, "B", 2},
        {"garbage in a number", "2\n" + Block("A", 100) + "B\n201\nx\n203\n", 2, "B", 1},
        {"number beyond 32 bits", "2\n" + Block("A", 100) + "B\n4294967497\n", 2, "B", 0},
        {"count beyond the file", "3\n" + twoBlocks, 3, "old3", 0},
        {"negative count", "-4\n" + twoBlocks, 0, nullptr, 0},
        {"count above capacity", Library(150, 150), 99, "S99", 15},
        {"long name", "1\nABCDEFGHIJKLMNOPQRSTUVWXYZ\n" + Block("", 100).substr(1), 1,
         "ABCDEFGHIJKLMNOPQRS", 15},
    };
    const std::string path = TempPath("damaged.dat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteText(path, c.text);
        SkinSchemeTable table;
        for (int n = 1; n <= SkinSchemeTable::kCapacity; ++n)
            table.Scheme(n) = MakeScheme(-100, "old" + std::to_string(n));
        table.count = 7;
        int handed = 0;
        ASSERT_TRUE(ReadSchemeFile(path, table, [&](const char*) { ++handed; }));
        ASSERT_EQ(table.count, c.count);
        EXPECT_EQ(handed, c.count);
        if (!c.last)
            continue;
        EXPECT_STREQ(table.Scheme(c.count).name, c.last);
        const std::vector<int> file = Numbers(MakeScheme(100 * c.count));
        std::vector<int> expected = Numbers(MakeScheme(-100));
        std::copy_n(file.begin(), c.fromFile, expected.begin());
        EXPECT_EQ(Numbers(table.Scheme(c.count)), expected);
    }
    // A missing file changes nothing and hands no names.
    std::remove(path.c_str());
    SkinSchemeTable table;
    table.count = 5;
    EXPECT_FALSE(ReadSchemeFile(path, table, [&](const char*) { ADD_FAILURE(); }));
    EXPECT_EQ(table.count, 5);
}

TEST(SchemeFile, FailedWriteKeepsTheOldFile) {
    namespace fs = std::filesystem;
    const std::string path = TempPath("atomic.dat"), folder = TempPath("atomic-folder.dat");
    SkinSchemeTable table;
    table.Scheme(1) = MakeScheme(1, "New");
    table.count = 1;
    // The temporary file cannot be created: a folder stands in its place.
    WriteText(path, "old content");
    ASSERT_TRUE(fs::create_directory(path + ".tmp"));
    EXPECT_FALSE(WriteSchemeFile(path, table));
    EXPECT_EQ(ReadText(path), "old content");
    fs::remove(path + ".tmp");
    // The target is a folder and cannot be replaced; no temporary file is left behind.
    ASSERT_TRUE(fs::create_directory(folder));
    EXPECT_FALSE(WriteSchemeFile(folder, table));
    EXPECT_FALSE(fs::exists(folder + ".tmp"));
    fs::remove(folder);
    EXPECT_FALSE(WriteSchemeFile(TempPath("no-such-folder/scheme.dat"), table));
    // A good write replaces the old file.
    EXPECT_TRUE(WriteSchemeFile(path, table));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    EXPECT_EQ(ReadText(path), "1\n" + Block("New", 1));
    fs::remove(path);
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
    SkinSchemeTable table;
    int seed = 0;
    for (const auto& s : steps) {
        const SkinScheme values = MakeScheme(seed += 20, "ignored");
        ASSERT_EQ(StoreScheme(table, s.name, values), s.slot) << s.name;
        EXPECT_STREQ(table.Scheme(s.slot).name, s.stored);
        EXPECT_EQ(Numbers(table.Scheme(s.slot)), Numbers(values));
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
            EXPECT_EQ(Numbers(t.Scheme(i)), Numbers(was)) << n;
        }
    }

    // Confirming the default skin keeps scheme 1's name; an empty table gets one "Default".
    ConfirmDefaultScheme(table, MakeScheme(3, "Ignored"));
    EXPECT_STREQ(table.Scheme(1).name, "Mine");
    EXPECT_EQ(Numbers(table.Scheme(1)), Numbers(MakeScheme(3)));
    SkinSchemeTable empty;
    ConfirmDefaultScheme(empty, MakeScheme(9, "Ignored"));
    EXPECT_EQ(empty.count, 1);
    EXPECT_STREQ(empty.Scheme(1).name, "Default");

    // A full table refuses a new name and changes nothing, but still overwrites by name.
    for (int n = 7; n <= SkinSchemeTable::kCapacity; ++n)
        ASSERT_EQ(StoreScheme(table, ("S" + std::to_string(n)).c_str(), MakeScheme(n)), n);
    const SkinSchemeTable full = table;
    EXPECT_EQ(StoreScheme(table, "Extra", MakeScheme(7)), 0);
    EXPECT_EQ(std::memcmp(&table, &full, sizeof table), 0);
    EXPECT_EQ(StoreScheme(table, "S50", MakeScheme(7)), 50);
    EXPECT_EQ(Numbers(table.Scheme(50)), Numbers(MakeScheme(7)));
}

TEST(LoadCurrentSkin, PlainAndRandomLoads) {
    const std::string path = TempPath("load.dat");
    // Without a file nothing is read; a plain load then takes the grey sample colour.
    std::remove(path.c_str());
    for (int randomSkin : {0, 1}) {
        SkinScheme current = MakeScheme(7, "Current");
        bool pickMade = false;
        CrtRandom random;
        LoadCurrentSkin(path, randomSkin, pickMade, 1234u, random, current);
        std::vector<int> expected = Numbers(MakeScheme(7));
        if (randomSkin == 0)
            expected[6] = expected[7] = expected[8] = 192;
        EXPECT_EQ(Numbers(current), expected) << randomSkin;
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
            SkinScheme current = MakeScheme(7, "Current");
            bool pickMade = false;
            CrtRandom random;
            LoadCurrentSkin(path, 1, pickMade, seed, random, current);
            ASSERT_EQ(pickMade, k != 0);
            ASSERT_EQ(Numbers(current), Numbers(MakeScheme(k ? 100 * k : 7))) << seed;
            if (k) { // the painter continues the sequence
                EXPECT_EQ(random.Next(), sequence.Next());
            }
            // A later load in the same run (after the skin dialog), or a plain one, takes
            // scheme 1.
            LoadCurrentSkin(path, k ? 1 : 0, pickMade, seed + 1, random, current);
            ASSERT_EQ(Numbers(current), Numbers(MakeScheme(100)));
            ASSERT_EQ(pickMade, k != 0);
        }
    }
    std::remove(path.c_str());
}

TEST(SchemeFile, HostileFilesReadQuicklyAndStayInTheTable) {
    // The table the reader fills, between two guards that must stay untouched.
    struct Guarded {
        char before[64];
        SkinSchemeTable table;
        char after[64];
    };
    const std::string twoBlocks = Block("A", 100) + Block("B", 200);
    std::string garbage(1 << 16, '\0');
    std::mt19937 random(7);
    for (char& c : garbage)
        c = static_cast<char>(random());
    std::string nuls = "2\n" + twoBlocks;
    std::replace(nuls.begin(), nuls.end(), '1', '\0');
    // 50 MB: a name of 20 MB, 15 MB of blanks, a number with 15 MB of leading zeros.
    const std::string fiftyMegabytes = "1\n" + std::string(20 << 20, 'N') +
                                       std::string(15 << 20, ' ') + std::string(15 << 20, '0') +
                                       "7\n";
    const struct {
        const char* what;
        std::string text;
        int count; // count afterwards (-1: anything in 0..99); the table held 7 schemes
        const char* firstName;
        int firstNumber = 0; // scheme 1's first number, where not 0
    } cases[] = {
        {"binary garbage", garbage, -1, nullptr},
        {"NUL bytes", nuls, 2, "A"},
        {"a file of 50 MB", fiftyMegabytes, 1, "NNNNNNNNNNNNNNNNNNN", 7},
        {"a number beyond 32 bits", "1\nA\n" + std::string(1 << 20, '9') + "\n", 1, "A"},
        {"a count of 2^31", "2147483648\n" + twoBlocks, 7, "old1"},
        {"the largest count", "2147483647\n" + twoBlocks, SkinSchemeTable::kCapacity, "A"},
        {"no final newline", "2\n" + twoBlocks.substr(0, twoBlocks.size() - 1), 2, "A"},
        {"a name of 300 characters", "1\n" + std::string(300, 'x') + "\n" + Block("", 1), 1,
         "xxxxxxxxxxxxxxxxxxx"},
    };
    const std::string path = TempPath("hostile.dat");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteText(path, c.text);
        auto guarded = std::make_unique<Guarded>();
        std::memset(guarded->before, 0x5A, sizeof guarded->before);
        std::memset(guarded->after, 0x5A, sizeof guarded->after);
        for (int n = 1; n <= 7; ++n)
            guarded->table.Scheme(n) = MakeScheme(-100, "old" + std::to_string(n));
        guarded->table.count = 7;
        auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(ReadSchemeFile(path, guarded->table));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        SkinScheme block;
        start = std::chrono::steady_clock::now();
        const int scanned = ReadSchemeBlock(path, block);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_TRUE(scanned >= 0 && scanned <= 16);
        const SkinSchemeTable& table = guarded->table;
        EXPECT_EQ(std::count(guarded->before, std::end(guarded->before), 0x5A), 64);
        EXPECT_EQ(std::count(guarded->after, std::end(guarded->after), 0x5A), 64);
        if (c.count >= 0) {
            EXPECT_EQ(table.count, c.count);
        }
        EXPECT_TRUE(table.count >= 0 && table.count <= SkinSchemeTable::kCapacity);
        if (c.firstName) {
            EXPECT_STREQ(table.Scheme(1).name, c.firstName);
        }
        if (c.firstNumber) {
            EXPECT_EQ(table.Scheme(1).buttonLook.red, c.firstNumber);
        }
        for (int n = 1; n <= SkinSchemeTable::kCapacity; ++n)
            EXPECT_NE(std::memchr(table.Scheme(n).name, '\0', kSkinNameSize), nullptr);
    }
    std::remove(path.c_str());
}
