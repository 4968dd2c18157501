// Where the program looks for its files.
#include <gtest/gtest.h>

#include <string>

#include "core/AppPaths.h"

TEST(AppPaths, EverythingStandsInTheProgramsOwnFolder) {
    struct Case {
        const char* exe;
        const char* folder;
        const char* profile;
    } cases[] = {
        {"C:\\Tools\\Zentrova.exe", "C:\\Tools\\", "C:\\Tools\\Zentrova.ini"},
        // Renaming the program renames its profile.
        {"C:\\Tools\\Zen2.exe", "C:\\Tools\\", "C:\\Tools\\Zen2.ini"},
        {"D:\\a.b\\Zentrova.exe", "D:\\a.b\\", "D:\\a.b\\Zentrova.ini"},
        // A folder named like the program's help or profile file is just a folder.
        {"C:\\Zentrova.HLP\\Zentrova.exe", "C:\\Zentrova.HLP\\", "C:\\Zentrova.HLP\\Zentrova.ini"},
        {"C:\\Zen.HLP\\Zen.HLP\\Zen.exe", "C:\\Zen.HLP\\Zen.HLP\\",
         "C:\\Zen.HLP\\Zen.HLP\\Zen.ini"},
        {"C:\\Zentrova.exe\\scheme.dat\\Zentrova.exe", "C:\\Zentrova.exe\\scheme.dat\\",
         "C:\\Zentrova.exe\\scheme.dat\\Zentrova.ini"},
        // Either slash separates; only the last dot of the name starts its extension.
        {"C:/x/a.b.exe", "C:/x/", "C:/x/a.b.ini"},
        {"C:\\x\\Zen", "C:\\x\\", "C:\\x\\Zen.ini"},
    };
    for (const Case& c : cases) {
        AppPaths p = ComputeAppPaths(c.exe, "Zentrova.INI");
        EXPECT_EQ(p.folder, c.folder) << c.exe;
        EXPECT_EQ(p.schemePath, std::string(c.folder) + "scheme.dat") << c.exe;
        EXPECT_EQ(p.helpFile, std::string(c.folder) + "zentrova.chm") << c.exe;
        EXPECT_EQ(p.tipsFile, std::string(c.folder) + "tips.txt") << c.exe;
        EXPECT_EQ(p.profile, c.profile) << c.exe;
    }
}

TEST(AppPaths, LongFoldersKeepEveryFileAndNoFolderKeepsTheDefaults) {
    // No length limit of the program's own: a deep folder keeps its skins and help.
    std::string deep = "C:\\" + std::string(300, 'd') + "\\";
    AppPaths p = ComputeAppPaths(deep + "Z.exe", "Z.INI");
    EXPECT_EQ(p.schemePath, deep + "scheme.dat");
    EXPECT_EQ(p.profile, deep + "Z.ini");

    AppPaths bare = ComputeAppPaths("Zentrova.exe", "Zentrova.INI");
    EXPECT_EQ(bare.schemePath, "");
    EXPECT_EQ(bare.helpFile, "");
    EXPECT_EQ(bare.tipsFile, "");
    EXPECT_EQ(bare.profile, "Zentrova.INI");
}
