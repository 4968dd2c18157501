// Files the program rewrites (the skin library, an exported scheme, a saved capture) survive
// the process being killed at any moment of a write: a child rewrites the file in a loop,
// alternating two contents, and is killed with SIGKILL at random moments. After every kill the
// file holds exactly one of the two complete contents, and a temporary file left by the killed
// write neither disturbs reading nor outlives the next write.
//
// A program of its own rather than a GoogleTest suite: it is built without the sanitizers even
// in the sanitizer build, where every fork would copy their shadow mappings and a thousand
// kills would take minutes instead of seconds.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "capture/BmpFile.h"
#include "skin/SkinScheme.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int g_failedChecks = 0;

// A failed check is reported with what it was about.
bool Check(bool ok, const std::string& what) {
    if (!ok) {
        ++g_failedChecks;
        std::printf("FAILED: %s\n", what.c_str());
    }
    return ok;
}

// A folder in memory where there is one: a kill does not depend on the disk (the file system
// keeps what a killed process wrote), and without the wait for the disk a thousand kills take
// seconds.
std::string KillFolder() {
    std::error_code error;
    if (fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0)
        return "/dev/shm/";
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct KillCounts {
    int kills = 0;
    int midWrite = 0; // kills that left the temporary file behind
};

// Kills a child that calls write(0), write(1), write(0)... on path `kills` times. After each
// kill `contents` must tell which of the two contents the whole file holds (else -1).
KillCounts KillWhileWriting(const std::string& path, int kills,
                            const std::function<bool(int which)>& write,
                            const std::function<int()>& contents) {
    KillCounts counts;
    // How long one write takes here: kills fall anywhere in the first few writes of a child.
    const auto start = Clock::now();
    for (int i = 0; i < 10; ++i)
        Check(write(i & 1), "a write before the kills");
    const auto oneWrite = (Clock::now() - start) / 10;
    std::mt19937 random(20260412);
    std::uniform_int_distribution<long long> delay(0, 3 * oneWrite.count());

    for (int k = 0; k < kills; ++k) {
        int ready[2];
        if (!Check(pipe(ready) == 0, "a pipe to the child"))
            break;
        const pid_t child = fork();
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive the test
            close(ready[0]);
            for (int which = k & 1;; which ^= 1) {
                write(which);
                if (ready[1] >= 0) {
                    // Under way: the first write is complete.
                    (void)!::write(ready[1], "w", 1);
                    close(ready[1]);
                    ready[1] = -1;
                }
            }
        }
        close(ready[1]);
        if (!Check(child > 0, "fork"))
            break;
        pollfd started = {ready[0], POLLIN, 0};
        Check(poll(&started, 1, 10000) == 1, "the child starts writing within 10 s");
        close(ready[0]);
        const auto killAt = Clock::now() + Clock::duration(delay(random));
        while (Clock::now() < killAt) {
        }
        kill(child, SIGKILL);
        int status = 0;
        Check(waitpid(child, &status, 0) == child && WIFSIGNALED(status) &&
                  WTERMSIG(status) == SIGKILL,
              path + ": the child was killed");
        ++counts.kills;
        if (fs::exists(path + ".tmp"))
            ++counts.midWrite;
        const int held = contents();
        if (!Check(held == 0 || held == 1,
                   path + ": kill " + std::to_string(k) + " left a half-written file"))
            break;
    }

    // The next write clears what a killed one left.
    Check(write(0), path + ": a write after the kills");
    Check(!fs::exists(path + ".tmp"), path + ": no temporary file after the next write");
    Check(contents() == 0, path + ": the next write is read back");
    return counts;
}

// Two different libraries: three and five schemes.
SkinSchemeTable Library(int count, int seed) {
    SkinSchemeTable table;
    for (int n = 1; n <= count; ++n) {
        SkinScheme& s = table.Scheme(n);
        std::snprintf(s.name, sizeof s.name, "Scheme%d_%d", seed, n);
        s.buttonLook = {n, seed, 0, 50, 200, 100 + n, seed % 256};
        s.dialogLook = {8, n, 0, 70, 10, 20, 30 + n};
        s.sampleRed = s.sampleGreen = s.sampleBlue = 190 + n;
    }
    table.count = count;
    return table;
}

// Writers killed so far, those with a failed check, and the failed checks when the last
// writer was reported.
int g_writers = 0;
int g_failedWriters = 0;
int g_failedChecksReported = 0;

void ReportKills(const char* what, const KillCounts& counts, int kills) {
    std::printf("%s: %d kills, %d in the middle of a write\n", what, counts.kills, counts.midWrite);
    Check(counts.kills == kills, std::string(what) + ": every kill made");
    // The test means something only if kills do land inside writes.
    Check(counts.midWrite > kills / 20, std::string(what) + ": kills inside writes");
    ++g_writers;
    if (g_failedChecks != g_failedChecksReported)
        ++g_failedWriters;
    g_failedChecksReported = g_failedChecks;
}

// The skin library: 1,000 kills.
void SchemeLibraryIsOldOrNewAfterEveryKill() {
    const std::string path = KillFolder() + "zen_kill_scheme.dat";
    const SkinSchemeTable libraries[2] = {Library(3, 11), Library(5, 22)};
    const std::string texts[2] = {SchemeFileText(libraries[0]), SchemeFileText(libraries[1])};
    const auto contents = [&] {
        // Read as the program reads it, into a table that held something else.
        SkinSchemeTable read = Library(7, 99);
        if (!ReadSchemeFile(path, read))
            return -1;
        const std::string bytes = ReadAll(path);
        for (int which : {0, 1})
            if (bytes == texts[which] && SchemeFileText(read) == texts[which])
                return which;
        return -1;
    };
    const int kills = 1000;
    ReportKills("scheme.dat",
                KillWhileWriting(
                    path, kills, [&](int which) { return WriteSchemeFile(path, libraries[which]); },
                    contents),
                kills);
    fs::remove(path);
}

// A *.vsc export and a saved capture: 200 kills each.
void ExportedSchemeAndSavedCaptureAreOldOrNewAfterEveryKill() {
    const std::string vsc = KillFolder() + "zen_kill_export.vsc";
    const SkinSchemeTable library = Library(2, 33);
    const std::string blocks[2] = {SchemeBlockText(library.Scheme(1)),
                                   SchemeBlockText(library.Scheme(2))};
    const int kills = 200;
    ReportKills("*.vsc export",
                KillWhileWriting(
                    vsc, kills,
                    [&](int which) { return WriteSchemeBlock(vsc, library.Scheme(which + 1)); },
                    [&] {
                        SkinScheme read;
                        if (ReadSchemeBlock(vsc, read) != 16)
                            return -1;
                        const std::string bytes = ReadAll(vsc);
                        for (int which : {0, 1})
                            if (bytes == blocks[which] && SchemeBlockText(read) == blocks[which])
                                return which;
                        return -1;
                    }),
                kills);
    fs::remove(vsc);

    // A capture saved as a BMP file: two 24-bit captures of 320 x 200 in different colours.
    const std::string bmp = KillFolder() + "zen_kill_capture.bmp";
    BmpLayout layout;
    layout.width = 320;
    layout.height = 200;
    layout.imageSize = BmpRowBytes(24, layout.width) * layout.height;
    const std::vector<std::uint8_t> headers = BmpHeaders(layout);
    std::string files[2];
    for (int which : {0, 1}) {
        files[which].assign(headers.begin(), headers.end());
        files[which].append(layout.imageSize, static_cast<char>(which ? 0xC0 : 0x40));
    }
    ReportKills("BMP save",
                KillWhileWriting(
                    bmp, kills,
                    [&](int which) {
                        return WriteBinaryFileReplacing(bmp, [&](std::FILE* file) {
                            const std::string& f = files[which];
                            return std::fwrite(f.data(), 1, f.size(), file) == f.size();
                        });
                    },
                    [&] {
                        const std::string bytes = ReadAll(bmp);
                        return bytes == files[0] ? 0 : bytes == files[1] ? 1 : -1;
                    }),
                kills);
    fs::remove(bmp);
}

} // namespace

int main() {
    SchemeLibraryIsOldOrNewAfterEveryKill();
    ExportedSchemeAndSavedCaptureAreOldOrNewAfterEveryKill();
    // Tip of the Day's writes join here, one call, when its reader lands.
    std::printf("%d passed, %d failed\n", g_writers - g_failedWriters, g_failedWriters);
    return g_failedChecks == 0 ? 0 : 1;
}
