// Where the program looks for its files.
#include <gtest/gtest.h>

#include <string>

#include "app/AppPaths.h"

TEST(AppPaths, FolderAndProfileFollowTheProgramsName) {
    struct Case {
        const char* exe;
        const char* scheme;
        const char* profile;
    } cases[] = {
        {"C:\\Tools\\Zentrova.exe", "C:\\Tools\\scheme.dat", "C:\\Tools\\Zentrova.ini"},
        // Renaming the program renames its profile.
        {"C:\\Tools\\Zen2.exe", "C:\\Tools\\scheme.dat", "C:\\Tools\\Zen2.ini"},
        {"D:\\a.b\\Zentrova.exe", "D:\\a.b\\scheme.dat", "D:\\a.b\\Zentrova.ini"},
        {"Zentrova.exe", "scheme.dat", "Zentrova.ini"},
    };
    for (const Case& c : cases) {
        std::string exe = c.exe;
        std::string help = exe.substr(0, exe.rfind('.')) + ".HLP";
        AppPaths p = ComputeAppPaths(help, exe, "Zentrova.INI");
        EXPECT_STREQ(p.schemePath, c.scheme) << c.exe;
        EXPECT_EQ(p.profile, c.profile) << c.exe;
    }
}

TEST(AppPaths, SearchesArePlainAndCaseSensitive) {
    // The first "<base>.HLP" from the start wins, even inside a folder name.
    AppPaths p = ComputeAppPaths("C:\\Zen.HLP\\Zen.HLP", "C:\\Zen.HLP\\Zen.exe", "Zen.INI");
    EXPECT_STREQ(p.schemePath, "C:\\scheme.dat");
    EXPECT_EQ(p.profile, "C:\\Zen.ini");
    // A lower-case extension is not ".HLP": nothing is found, defaults stay.
    AppPaths q =
        ComputeAppPaths("C:\\Tools\\Zentrova.hlp", "C:\\Tools\\Zentrova.exe", "Zentrova.INI");
    EXPECT_STREQ(q.schemePath, "");
    EXPECT_EQ(q.profile, "Zentrova.INI");
}

TEST(AppPaths, AFolderTooLongForTheSchemePathCountsAsNotFound) {
    std::string folder = "C:\\" + std::string(185, 'd') + "\\"; // 189 characters
    std::string fits = folder + "scheme.dat";                   // 199: fits with its terminator
    AppPaths ok = ComputeAppPaths(folder + "Z.HLP", folder + "Z.exe", "Z.INI");
    EXPECT_EQ(std::string(ok.schemePath), fits);

    std::string longer = "C:\\" + std::string(186, 'd') + "\\"; // one more: 200 + terminator
    AppPaths cut = ComputeAppPaths(longer + "Z.HLP", longer + "Z.exe", "Z.INI");
    EXPECT_STREQ(cut.schemePath, "");
    EXPECT_EQ(cut.profile, longer + "Z.ini") << "the profile has no length limit";
}

TEST(AppPaths, ProgramBaseName) {
    EXPECT_EQ(ProgramBaseName("C:\\x.y\\Zentrova.exe"), "Zentrova");
    EXPECT_EQ(ProgramBaseName("C:/x/Zen"), "Zen");
    EXPECT_EQ(ProgramBaseName("a.b.exe"), "a.b");
}
