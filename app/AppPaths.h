// Where the program finds its files: the scheme library and help file in its
// own folder, and the INI profile named after the program.
#pragma once

#include <cstddef>
#include <string>

constexpr std::size_t kSchemePathSize = 200;

struct AppPaths {
    // Full path of scheme.dat, or empty when the folder was not found (or
    // does not fit the 200 characters the program keeps for it).
    char schemePath[kSchemePathSize] = "";
    // The profile file; unchanged when ".HLP" is not found.
    std::string profile;
};

// The program's base name: its file name without folder and extension.
std::string ProgramBaseName(const std::string& exePath);

// Works the paths out from the default help path (the program's full file
// name with its extension replaced by ".HLP"): the folder is what stands
// before "<base name>.HLP", the profile is what stands before ".HLP" plus
// ".ini". Both searches are plain, case-sensitive and from the start.
AppPaths ComputeAppPaths(const std::string& helpPath, const std::string& exePath,
                         const std::string& defaultProfile);
