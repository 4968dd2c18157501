// Rules for the dropped path.
#include "core/DroppedPath.h"

#include <cstring>

namespace dropped {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool Store(char (&buffer)[kBufferSize], const char* path, std::size_t length) {
    if (!path || length >= kBufferSize)
        return false;
    std::memcpy(buffer, path, length);
    buffer[length] = '\0';
    return true;
}

void CutToFolder(char* buffer) {
    char* last = std::strrchr(buffer, '\\');
    if (last)
        last[1] = '\0';
    else
        buffer[0] = '\0';
}

bool NamesEntryIn(const char* path, const char* folder) {
    std::size_t n = std::strlen(folder);
    while (n > 0 && folder[n - 1] == '\\')
        --n;
    if (n == 0 || std::strlen(path) <= n + 1)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (Lower(path[i]) != Lower(folder[i]))
            return false;
    const char* name = path + n + 1;
    return path[n] == '\\' && !std::strchr(name, '\\') && !std::strchr(name, '/');
}

} // namespace dropped
