// Scheme library: files written and read back, damaged files, table edits and the start-up pick.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
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
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

bool MakeFolder(const std::string& path) {
#ifdef _WIN32
    return mkdir(path.c_str()) == 0;
#else
    return mkdir(path.c_str(), 0700) == 0;
#endif
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
SkinScheme MakeScheme(const char* name, int seed) {
    SkinScheme s;
    std::snprintf(s.name, sizeof s.name, "%s", name);
    s.buttonLook = {seed + 10, seed + 11, 66, seed + 12, seed + 1, seed + 2, seed + 3};
    s.dialogLook = {seed + 13, seed + 14, 55, seed + 15, seed + 4, seed + 5, seed + 6};
    s.sampleRed = seed + 7;
    s.sampleGreen = seed + 8;
    s.sampleBlue = seed + 9;
    return s;
}

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
    for (int count : {0, 1, 3, SkinSchemeTable::kCapacity}) {
        SkinSchemeTable written;
        for (int n = 1; n <= count; ++n)
            written.Scheme(n) = MakeScheme(("S" + std::to_string(n)).c_str(), 100 * n - 5000);
        written.count = count;
        ASSERT_TRUE(WriteSchemeFile(path, written));
        const std::string text = ReadText(path);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 16 * count);

        SkinSchemeTable read;
        std::vector<std::string> names;
        ASSERT_TRUE(ReadSchemeFile(path, read, [&](const char* n) { names.push_back(n); }));
        ASSERT_EQ(read.count, count);
        ASSERT_EQ(static_cast<int>(names.size()), count);
        for (int n = 1; n <= count; ++n) {
            EXPECT_EQ(names[n - 1], written.Scheme(n).name);
            EXPECT_STREQ(read.Scheme(n).name, written.Scheme(n).name);
            EXPECT_EQ(Numbers(read.Scheme(n)), Numbers(written.Scheme(n)));
            EXPECT_EQ(read.Scheme(n).buttonLook.hoverBlend, 0); // never stored
        }
    }
    // The layout: count, then name and the numbers in file order, one per line.
    SkinSchemeTable one;
    one.Scheme(1) = MakeScheme("Blue", 0);
    one.count = 1;
    ASSERT_TRUE(WriteSchemeFile(path, one));
    EXPECT_EQ(ReadText(path), "1\n" + Block("Blue", 0));
    std::remove(path.c_str());
}

TEST(SchemeFile, DamagedFilesReadSafely) {
    struct Case {
        const char* what;
        std::string text;
        int count;                      // count afterwards (the table held 7)
        std::vector<std::string> names; // names of schemes 1..count
        int fromFile;                   // numbers of the last scheme taken from the file
    };
    const std::string twoBlocks = Block("A", 100) + Block("B", 200);
    std::string crlf;
    for (char c : "2\n" + twoBlocks)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const Case cases[] = {
        {"empty file", "", 7, {}, 0},
        {"count not a number", "two\n" + twoBlocks, 7, {}, 0},
        {"windows line ends", crlf, 2, {"A", "B"}, 15},
        {"truncated", "2\n" + Block("A", 100) + "B\n201\n202\n", 2, {"A", "B"}, 2},
        {"garbage in a number", "2\n" + Block("A", 100) + "B\n201\nx\n203\n", 2, {"A", "B"}, 1},
        {"number beyond 32 bits", "2\n" + Block("A", 100) + "B\n4294967497\n", 2, {"A", "B"}, 0},
        {"count beyond the file", "3\n" + twoBlocks, 3, {"A", "B", "old3"}, 0},
        {"negative count", "-4\n" + twoBlocks, 0, {}, 0},
        {"count above capacity", Library(150, 150), 99, {}, 0},
        {"long name",
         "1\nABCDEFGHIJKLMNOPQRSTUVWXYZ\n" + Block("A", 100).substr(2),
         1,
         {"ABCDEFGHIJKLMNOPQRS"},
         15},
    };
    const std::string path = TempPath("damaged.dat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteText(path, c.text);
        SkinSchemeTable table;
        for (int n = 1; n <= SkinSchemeTable::kCapacity; ++n)
            table.Scheme(n) = MakeScheme(("old" + std::to_string(n)).c_str(), -100);
        table.count = 7;
        int handed = 0;
        ASSERT_TRUE(ReadSchemeFile(path, table, [&](const char*) { ++handed; }));
        ASSERT_EQ(table.count, c.count);
        EXPECT_EQ(handed, c.count);
        for (size_t i = 0; i < c.names.size(); ++i)
            EXPECT_STREQ(table.Scheme(static_cast<int>(i) + 1).name, c.names[i].c_str());
        if (c.names.empty())
            continue;
        // Up to the damage the numbers come from the file; the rest keep their old values.
        const int last = static_cast<int>(c.names.size());
        const std::vector<int> file = Numbers(MakeScheme("", 100 * last));
        const std::vector<int> old = Numbers(MakeScheme("", -100));
        const std::vector<int> got = Numbers(table.Scheme(last));
        for (int i = 0; i < 15; ++i)
            EXPECT_EQ(got[i], i < c.fromFile ? file[i] : old[i]) << i;
    }
    WriteText(path, Library(150, 150));
    SkinSchemeTable table;
    ASSERT_TRUE(ReadSchemeFile(path, table));
    EXPECT_STREQ(table.Scheme(99).name, "S99");
    EXPECT_EQ(Numbers(table.Scheme(99)), Numbers(MakeScheme("", 9900)));

    // A missing file changes nothing and hands no names.
    std::remove(path.c_str());
    bool called = false;
    EXPECT_FALSE(ReadSchemeFile(path, table, [&](const char*) { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_EQ(table.count, 99);
}

TEST(SchemeFile, FailedWriteKeepsTheOldFile) {
    const std::string path = TempPath("atomic.dat");
    SkinSchemeTable table;
    table.Scheme(1) = MakeScheme("New", 1);
    table.count = 1;

    // The temporary file cannot be created: a folder stands in its place.
    WriteText(path, "old content");
    ASSERT_TRUE(MakeFolder(path + ".tmp"));
    EXPECT_FALSE(WriteSchemeFile(path, table));
    EXPECT_EQ(ReadText(path), "old content");
    rmdir((path + ".tmp").c_str());

    // The target is a folder and cannot be replaced; no temporary file is left behind.
    const std::string folder = TempPath("atomic-folder.dat");
    ASSERT_TRUE(MakeFolder(folder));
    EXPECT_FALSE(WriteSchemeFile(folder, table));
    EXPECT_FALSE(std::ifstream(folder + ".tmp").good());
    rmdir(folder.c_str());
    EXPECT_FALSE(WriteSchemeFile(TempPath("no-such-folder/scheme.dat"), table));

    // A good write replaces the old file.
    EXPECT_TRUE(WriteSchemeFile(path, table));
    EXPECT_FALSE(std::ifstream(path + ".tmp").good());
    EXPECT_EQ(ReadText(path), "1\n" + Block("New", 1));
    std::remove(path.c_str());
}

TEST(SchemeBlock, ExportThenImportAndDamagedBlocks) {
    const std::string path = TempPath("one.vsc");
    ASSERT_TRUE(WriteSchemeBlock(path, MakeScheme("Sunset", 40)));
    EXPECT_EQ(ReadText(path), Block("Sunset", 40));
    SkinScheme read;
    EXPECT_EQ(ReadSchemeBlock(path, read), 16);
    EXPECT_STREQ(read.name, "Sunset");
    EXPECT_EQ(Numbers(read), Numbers(MakeScheme("", 40)));

    const std::pair<std::string, int> cases[] = {
        {"", 0}, {" \n", 0}, {"Only\n", 1}, {"N 1 2 x", 3}};
    for (const auto& [text, scanned] : cases) {
        WriteText(path, text);
        SkinScheme s = MakeScheme("Before", 1);
        EXPECT_EQ(ReadSchemeBlock(path, s), scanned) << text;
        EXPECT_STREQ(s.name,
                     scanned ? text.substr(0, text.find_first_of(" \n")).c_str() : "Before");
    }
    std::remove(path.c_str());
    EXPECT_EQ(ReadSchemeBlock(path, read), -1);
}

TEST(SchemeTable, StoreUnderNames) {
    struct Step {
        const char* name;
        int slot; // scheme that takes the values
        const char* stored;
    };
    const Step steps[] = {
        {"Default", 1, "Default"},
        {"Blue", 2, "Blue"},
        {"blue", 3, "blue"},
        {"Blue", 2, "Blue"},
        {"Default", 1, "Default"},
        {"my skin\t", 4, "my_skin_"},
        {"", 5, "Unnamed"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 6, "ABCDEFGHIJKLMNOPQRS"},
        {"ABCDEFGHIJKLMNOPQRSxyz", 6, "ABCDEFGHIJKLMNOPQRS"},
    };
    SkinSchemeTable table;
    int seed = 0;
    for (const Step& s : steps) {
        const SkinScheme values = MakeScheme("ignored", seed += 20);
        ASSERT_EQ(StoreScheme(table, s.name, values), s.slot) << s.name;
        EXPECT_STREQ(table.Scheme(s.slot).name, s.stored);
        EXPECT_EQ(Numbers(table.Scheme(s.slot)), Numbers(values));
    }
    EXPECT_EQ(table.count, 6);
    // Every stored name survives the file as one token.
    const std::string path = TempPath("names.dat");
    ASSERT_TRUE(WriteSchemeFile(path, table));
    SkinSchemeTable read;
    ASSERT_TRUE(ReadSchemeFile(path, read));
    ASSERT_EQ(read.count, 6);
    for (int n = 1; n <= 6; ++n)
        EXPECT_STREQ(read.Scheme(n).name, table.Scheme(n).name);
    std::remove(path.c_str());

    // A full table refuses a new name and changes nothing, but still overwrites by name.
    for (int n = 7; n <= SkinSchemeTable::kCapacity; ++n)
        ASSERT_EQ(StoreScheme(table, ("S" + std::to_string(n)).c_str(), MakeScheme("", n)), n);
    const SkinSchemeTable full = table;
    EXPECT_EQ(StoreScheme(table, "Extra", MakeScheme("", 7)), 0);
    EXPECT_EQ(std::memcmp(&table, &full, sizeof table), 0);
    EXPECT_EQ(StoreScheme(table, "S50", MakeScheme("", 7)), 50);
    EXPECT_EQ(Numbers(table.Scheme(50)), Numbers(MakeScheme("", 7)));
}

TEST(SchemeTable, ConfirmAndDelete) {
    // Confirming without any file: one scheme named "Default".
    SkinSchemeTable table;
    ConfirmDefaultScheme(table, MakeScheme("Ignored", 9));
    EXPECT_EQ(table.count, 1);
    EXPECT_STREQ(table.Scheme(1).name, "Default");
    EXPECT_EQ(Numbers(table.Scheme(1)), Numbers(MakeScheme("", 9)));
    // Later confirmations keep scheme 1's name and leave the others alone.
    for (const char* name : {"B", "C", "D"})
        StoreScheme(table, name, MakeScheme("", name[0]));
    ConfirmDefaultScheme(table, MakeScheme("Ignored", 3));
    EXPECT_STREQ(table.Scheme(1).name, "Default");
    EXPECT_EQ(Numbers(table.Scheme(1)), Numbers(MakeScheme("", 3)));
    EXPECT_EQ(table.count, 4);

    struct Case {
        int n;
        const char* left; // names left, one letter each
    };
    const Case cases[] = {{1, "DBCD"},  {0, "DBCD"}, {5, "DBCD"},
                          {-1, "DBCD"}, {2, "DCD"},  {4, "DBC"}};
    for (const Case& c : cases) {
        SkinSchemeTable t = table;
        EXPECT_EQ(DeleteScheme(t, c.n), std::strlen(c.left) == 3) << c.n;
        ASSERT_EQ(t.count, static_cast<int>(std::strlen(c.left)));
        for (int i = 1; i < t.count; ++i) {
            EXPECT_EQ(t.Scheme(i + 1).name[0], c.left[i]);
            EXPECT_EQ(Numbers(t.Scheme(i + 1)), Numbers(MakeScheme("", c.left[i])));
        }
    }
}

TEST(LoadCurrentSkin, PlainLoadsAndTheirFallbacks) {
    const std::string path = TempPath("load.dat");
    struct Case {
        const char* what;
        const char* text; // nullptr: no file
        int randomSkin;
        bool pickMade;
        int seedRead; // scheme values expected (0: nothing read)
    };
    const std::string three = Library(3, 3), one = Library(1, 1), zero = Library(0, 2),
                      negative = Library(-3, 2);
    const Case cases[] = {
        {"plain", three.c_str(), 0, false, 100},
        {"random already picked", three.c_str(), 1, true, 100},
        {"random, one scheme", one.c_str(), 1, false, 100},
        {"random, count zero", zero.c_str(), 1, false, 0},
        {"random, negative count", negative.c_str(), 1, false, 0},
        {"random, no file", nullptr, 1, false, 0},
        {"plain, no file", nullptr, 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::remove(path.c_str());
        if (c.text)
            WriteText(path, c.text);
        SkinScheme current = MakeScheme("Current", 7);
        bool pickMade = c.pickMade;
        CrtRandom random;
        LoadCurrentSkin(path, c.randomSkin, pickMade, 1234u, random, current);
        EXPECT_EQ(current.buttonLook.hoverBlend, kButtonHoverBlend);
        EXPECT_STREQ(current.name, "Current");
        EXPECT_EQ(pickMade, c.pickMade || (c.randomSkin != 0 && c.seedRead != 0));
        std::vector<int> expected = Numbers(MakeScheme("", c.seedRead ? c.seedRead : 7));
        if (!c.text && c.randomSkin == 0)
            expected[6] = expected[7] = expected[8] = 192;
        EXPECT_EQ(Numbers(current), expected);
    }
    std::remove(path.c_str());
}

TEST(LoadCurrentSkin, RandomPickOncePerRun) {
    const std::string path = TempPath("random.dat");
    struct Case {
        int count;  // count line
        int blocks; // schemes in the file
        int range;  // picks run 1..range
    };
    for (const Case& c : {Case{5, 5, 5}, Case{100000, 120, 99}}) {
        WriteText(path, Library(c.count, c.blocks));
        std::vector<int> seen(c.range + 1, 0);
        for (unsigned seed = 0; seed < 400; ++seed) {
            CrtRandom sequence(seed);
            const int k = sequence.Next() % c.range + 1;
            SkinScheme current;
            bool pickMade = false;
            CrtRandom random;
            LoadCurrentSkin(path, 1, pickMade, seed, random, current);
            ASSERT_TRUE(pickMade);
            ASSERT_EQ(Numbers(current), Numbers(MakeScheme("", 100 * k))) << seed;
            ++seen[k];
            EXPECT_EQ(random.Next(), sequence.Next()); // the painter continues the sequence
            // A later load in the same run (after the skin dialog) takes scheme 1.
            LoadCurrentSkin(path, 1, pickMade, seed + 1, random, current);
            ASSERT_EQ(Numbers(current), Numbers(MakeScheme("", 100)));
        }
        if (c.range == 5) {
            EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 0), 0);
        }
    }
    std::remove(path.c_str());
}
