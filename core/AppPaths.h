// Where the program finds its files: the scheme library and the help file in
// its own folder, and the INI profile named after the program, beside it.
#pragma once

#include <string>

struct AppPaths {
    // The program's folder with its closing backslash; empty when the
    // program's path has no folder.
    std::string folder;
    // Full path of scheme.dat, or empty without a folder.
    std::string schemePath;
    // Full path of the compiled help file, or empty without a folder.
    std::string helpFile;
    // Full path of Tip of the Day's tips.txt, or empty without a folder.
    std::string tipsFile;
    // The profile file: "<base name>.ini" in the folder, or the framework's
    // default name without a folder.
    std::string profile;
};

// The program's base name: its file name without folder and extension.
std::string ProgramBaseName(const std::string& exePath);

// Works the paths out from the program's own full path. Only its last
// component names the program, so a folder named like the program (or like
// its help or INI file) changes nothing.
AppPaths ComputeAppPaths(const std::string& exePath, const std::string& defaultProfile);
