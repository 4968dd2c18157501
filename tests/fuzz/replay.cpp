// Replays the kept inputs of a fuzz target (its seed corpus and every input that once made it
// fail) in the ordinary builds, so `make test` keeps the readers honest in seconds.
//   fuzz_replay NAME DIR_OR_FILE...
#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/fuzz/FuzzTarget.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

std::map<std::string, FuzzFunction>& Targets() {
    static std::map<std::string, FuzzFunction> targets;
    return targets;
}

// The input being run, named on stderr if it brings the process down.
char g_current[4096];

void NameCurrentInput() {
    const char prefix[] = "fuzz_replay: failing input: ";
    ssize_t ignored = write(2, prefix, sizeof prefix - 1);
    ignored = write(2, g_current, std::strlen(g_current));
    ignored = write(2, "\n", 1);
    (void)ignored;
}

void OnFatalSignal(int signal) {
    NameCurrentInput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

bool RegisterFuzzTarget(const char* name, FuzzFunction run) {
    Targets()[name] = run;
    return true;
}

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc < 2 || !Targets().count(argv[1])) {
        std::fprintf(stderr, "usage: fuzz_replay TARGET DIR_OR_FILE...\ntargets:");
        for (const auto& target : Targets())
            std::fprintf(stderr, " %s", target.first.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    const FuzzFunction run = Targets()[argv[1]];
    std::vector<fs::path> inputs;
    for (int i = 2; i < argc; ++i) {
        std::error_code error;
        if (fs::is_directory(argv[i], error)) {
            for (const auto& entry : fs::directory_iterator(argv[i]))
                if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                    inputs.push_back(entry.path());
        } else if (fs::is_regular_file(argv[i], error)) {
            inputs.push_back(argv[i]);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "fuzz_replay: no inputs for %s\n", argv[1]);
        return 1;
    }
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(NameCurrentInput);
#endif
    for (int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        std::signal(signal, OnFatalSignal);
    for (const fs::path& input : inputs) {
        std::snprintf(g_current, sizeof g_current, "%s", input.c_str());
        std::ifstream in(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>()};
        // A copy of exactly the input's size, so reading one byte past it is caught.
        std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[bytes.size() ? bytes.size() : 1]);
        std::copy(bytes.begin(), bytes.end(), data.get());
        run(data.get(), bytes.size());
    }
    std::printf("%s: %zu inputs replayed\n", argv[1], inputs.size());
    return 0;
}
