// The dropped path of the Capture page: what is stored, and how "Go!" turns a
// file's path into its folder's.
#include <gtest/gtest.h>

#include <string>

#include "core/DroppedPath.h"

TEST(DroppedPath, StoresWhatFitsAndRefusesLongerPathsWhole) {
    char buffer[dropped::kBufferSize] = "C:\\Earlier";
    std::string longest(dropped::kBufferSize - 1, 'a');
    ASSERT_TRUE(dropped::Store(buffer, longest.c_str(), longest.size()));
    EXPECT_EQ(std::string(buffer), longest);

    // One more character would overflow; nothing of it is kept.
    std::string tooLong = "C:\\" + std::string(dropped::kBufferSize - 3, 'b');
    EXPECT_FALSE(dropped::Store(buffer, tooLong.c_str(), tooLong.size()));
    EXPECT_EQ(std::string(buffer), longest);
}

TEST(DroppedPath, CutsAFilePathToItsFolderAndKeepsAFolderPath) {
    struct Case {
        const char* stored;
        const char* cut;
    } cases[] = {
        {"C:\\Docs\\plan.txt", "C:\\Docs\\"},
        {"C:\\Docs\\", "C:\\Docs\\"}, // cutting again changes nothing
        {"C:\\plan.txt", "C:\\"},
        {"plan.txt", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        char buffer[dropped::kBufferSize];
        ASSERT_TRUE(dropped::Store(buffer, c.stored, std::string(c.stored).size()));
        dropped::CutToFolder(buffer);
        EXPECT_EQ(std::string(buffer), c.cut) << c.stored;
    }
}

TEST(DroppedPath, AnInterpreterCountsOnlyDirectlyInsideTheSystemFolder) {
    const char* system = "C:\\windows\\system32";
    EXPECT_TRUE(dropped::NamesEntryIn("C:\\WINDOWS\\System32\\cmd.exe", system));
    EXPECT_TRUE(dropped::NamesEntryIn("C:\\windows\\system32\\cmd.exe", "C:\\windows\\system32\\"));
    EXPECT_FALSE(dropped::NamesEntryIn("C:\\windows\\system32\\sub\\cmd.exe", system));
    EXPECT_FALSE(dropped::NamesEntryIn("C:\\windows\\system32x\\cmd.exe", system));
    EXPECT_FALSE(dropped::NamesEntryIn("D:\\drop\\cmd.exe", system));
    EXPECT_FALSE(dropped::NamesEntryIn("C:\\windows\\system32\\", system));
    EXPECT_FALSE(dropped::NamesEntryIn("cmd.exe", system));
}
