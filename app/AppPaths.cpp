// Program paths.
#include "app/AppPaths.h"

#include <cstring>

std::string ProgramBaseName(const std::string& exePath) {
    std::size_t slash = exePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

AppPaths ComputeAppPaths(const std::string& helpPath, const std::string& exePath,
                         const std::string& defaultProfile) {
    AppPaths paths;
    paths.profile = defaultProfile;
    std::string base = ProgramBaseName(exePath);
    if (!base.empty()) {
        std::size_t at = helpPath.find(base + ".HLP");
        if (at != std::string::npos) {
            std::string scheme = helpPath.substr(0, at) + "scheme.dat";
            // A folder too long for the scheme path counts as not found, so
            // nothing later copies or extends a cut path.
            if (scheme.size() < kSchemePathSize)
                std::memcpy(paths.schemePath, scheme.c_str(), scheme.size() + 1);
        }
    }
    std::size_t hlp = helpPath.find(".HLP");
    if (hlp != std::string::npos)
        paths.profile = helpPath.substr(0, hlp) + ".ini";
    return paths;
}
