// Program paths.
#include "core/AppPaths.h"

namespace {

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

} // namespace

std::string ProgramBaseName(const std::string& exePath) {
    std::size_t slash = LastSeparator(exePath);
    std::string name = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

AppPaths ComputeAppPaths(const std::string& exePath, const std::string& defaultProfile) {
    AppPaths paths;
    paths.profile = defaultProfile;
    std::size_t slash = LastSeparator(exePath);
    std::string base = ProgramBaseName(exePath);
    if (slash == std::string::npos || base.empty())
        return paths;
    paths.folder = exePath.substr(0, slash + 1);
    paths.schemePath = paths.folder + "scheme.dat";
    paths.helpFile = paths.folder + "zentrova.chm";
    paths.tipsFile = paths.folder + "tips.txt";
    paths.profile = paths.folder + base + ".ini";
    return paths;
}
