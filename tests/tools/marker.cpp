// A harmless program for tests that must prove a program did not run: when
// started, it leaves "ran.txt" beside itself and ends.
#include <windows.h>

#include <cstring>

int main() {
    char path[MAX_PATH] = "";
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (n == 0 || n >= MAX_PATH || !slash || slash + sizeof "ran.txt" >= path + MAX_PATH)
        return 1;
    std::strcpy(slash + 1, "ran.txt");
    HANDLE f = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE)
        ::CloseHandle(f);
    return 0;
}
