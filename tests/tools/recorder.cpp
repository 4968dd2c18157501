// A stand-in for a web browser, for tests that register it as a URL handler:
// it writes "recorded.txt" beside itself with what it was started with, the
// address on its command line, the show state it was asked for, and whether
// Zentrova's options window was still on screen, then ends.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    char path[MAX_PATH] = "";
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (n == 0 || n >= MAX_PATH || !slash || slash + sizeof "recorded.txt" >= path + MAX_PATH)
        return 1;
    std::strcpy(slash + 1, "recorded.txt");
    std::string address = cmdLine ? cmdLine : "";
    if (address.size() >= 2 && address.front() == '"' && address.back() == '"')
        address = address.substr(1, address.size() - 2);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    ::GetStartupInfoA(&si);
    int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
    HWND sheet = ::FindWindowA(nullptr, "  Zentrova 3.0");
    bool sheetShown = sheet && ::IsWindowVisible(sheet);
    // Written whole under another name first, so that a reader never sees half of it.
    std::string temp = std::string(path) + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return 1;
    std::fprintf(f, "%s\n%d\n%d\n", address.c_str(), show, sheetShown ? 1 : 0);
    std::fclose(f);
    return ::MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
