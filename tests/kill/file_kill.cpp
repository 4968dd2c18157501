// Files the program rewrites (the skin library, an exported scheme, a saved capture) survive the
// process being killed inside a write: a child rewrites the file in a loop through the program's
// writer, alternating two contents, and is stopped at random moments. Stopped while the writer's
// temporary file exists (from the start of a write until its final rename) it is killed, so every
// kill counted lands inside a write, however fast the machine. After every kill the file holds one
// of the two complete contents as the program reads it, and the next write leaves no temporary
// file behind.
//
// A program of its own rather than a GoogleTest suite: it is built without the sanitizers even in
// the sanitizer build, where every fork would copy their shadow mappings.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <random>
#include <sched.h>
#include <string>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/BmpFile.h"
#include "core/SkinScheme.h"
#include "tests/common/schemes.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int g_failedChecks = 0;

bool Check(bool ok, const std::string& what) {
    if (!ok) {
        ++g_failedChecks;
        std::printf("FAILED: %s\n", what.c_str());
    }
    return ok;
}

// A folder in memory where there is one: without waits for the disk the kills take seconds.
std::string KillFolder() {
    return access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : fs::temp_directory_path().string() + "/";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WaitStopped(pid_t child) {
    int status = 0;
    return waitpid(child, &status, WUNTRACED) == child && WIFSTOPPED(status);
}

// Lets a stopped child run on until it has finished another write, then for a random part of one
// more, and stops it again.
bool RunOn(pid_t child, const std::atomic<unsigned>& writes, Clock::duration upTo,
           std::mt19937& random) {
    const unsigned before = writes.load();
    kill(child, SIGCONT);
    // Waits that yield: the child may share the processor with this one.
    for (const auto start = Clock::now(); writes.load() == before; sched_yield())
        if (Clock::now() - start > std::chrono::seconds(10))
            return false;
    for (const auto stopAt = Clock::now() + upTo * (random() % 1024) / 1024; Clock::now() < stopAt;)
        sched_yield();
    kill(child, SIGSTOP);
    return WaitStopped(child);
}

// Kills children that rewrite the file at path until `kills` kills have landed inside a write.
// write(which) replaces the file with contents[which]; readBack() is the file read as the program
// reads it, in the same form as contents.
void KillInsideWrites(const std::string& what, const std::string& path,
                      const std::string (&contents)[2], const std::function<bool(int)>& write,
                      const std::function<std::string()>& readBack, int kills) {
    const std::string temp = path + ".tmp";
    // Which of the two complete contents the file holds, or -1.
    const auto holds = [&] {
        for (int which : {0, 1})
            if (ReadAll(path) == contents[which] && readBack() == contents[which])
                return which;
        return -1;
    };
    // How long a write takes here, which only spreads the stops over the writes.
    const auto start = Clock::now();
    for (int i = 0; i < 10; ++i)
        write(i & 1);
    const auto oneWrite = (Clock::now() - start) / 10;
    auto* writes = new (mmap(nullptr, sizeof(std::atomic<unsigned>), PROT_READ | PROT_WRITE,
                             MAP_SHARED | MAP_ANONYMOUS, -1, 0)) std::atomic<unsigned>(0);
    std::mt19937 random(20260412);
    int stops = 0;
    const int failedBefore = g_failedChecks;
    for (int k = 0; k < kills && g_failedChecks == failedBefore; ++k) {
        const pid_t child = fork();
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive the test
            // One whole write, then a stop for the parent to look at it.
            if (write(0) && raise(SIGSTOP) == 0)
                for (int which = 1; write(which); which ^= 1)
                    ++*writes;
            _exit(1);
        }
        if (!Check(child > 0 && WaitStopped(child), what + ": the child's first write"))
            break;
        Check(!fs::exists(temp) && holds() == 0, what + ": the write after a kill is whole");
        bool inside = false;
        while (!inside && Check(++stops <= 20 * kills, what + ": kills land inside writes") &&
               Check(RunOn(child, *writes, oneWrite, random), what + ": the child writes"))
            inside = fs::exists(temp);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        Check(holds() >= 0, what + ": kill " + std::to_string(k) + " left a half file");
    }
    std::printf("%s: %d stops for %d kills inside a write\n", what.c_str(), stops, kills);
    munmap(writes, sizeof *writes);
    fs::remove(path);
    fs::remove(temp);
}

// Two libraries of three and five schemes, two exported schemes, two 24-bit captures of 320 x 200
// in different colours.
void KillWriters() {
    const std::string folder = KillFolder();
    const SkinSchemeTable tables[2] = {
        SchemeTable(3, [](int n) { return NumberedScheme(100 * n, "A" + std::to_string(n)); }),
        SchemeTable(5, [](int n) { return NumberedScheme(-100 * n, "B" + std::to_string(n)); })};
    const std::string dat = folder + "zen_kill_scheme.dat";
    KillInsideWrites(
        "scheme.dat", dat, {SchemeFileText(tables[0]), SchemeFileText(tables[1])},
        [&](int which) { return WriteSchemeFile(dat, tables[which]); },
        [&] {
            // Into a table that held something else.
            SkinSchemeTable read = SchemeTable(7, [](int n) { return NumberedScheme(n); });
            return ReadSchemeFile(dat, read) ? SchemeFileText(read) : "";
        },
        300);

    const SkinScheme exported[2] = {NumberedScheme(7, "Sunset"), NumberedScheme(70, "Dawn")};
    const std::string vsc = folder + "zen_kill_export.vsc";
    KillInsideWrites(
        "*.vsc export", vsc, {SchemeBlockText(exported[0]), SchemeBlockText(exported[1])},
        [&](int which) { return WriteSchemeBlock(vsc, exported[which]); },
        [&] {
            SkinScheme read;
            return ReadSchemeBlock(vsc, read) == kSchemeBlockValues ? SchemeBlockText(read) : "";
        },
        100);

    const BmpLayout layout{320, 200, 1, 24, BmpRowBytes(24, 320) * 200, 0};
    const std::vector<std::uint8_t> headers = BmpHeaders(layout);
    const std::string pixels[2] = {std::string(layout.imageSize, '\x40'),
                                   std::string(layout.imageSize, '\xC0')};
    const std::string head(headers.begin(), headers.end()), bmp = folder + "zen_kill_capture.bmp";
    KillInsideWrites(
        "BMP save", bmp, {head + pixels[0], head + pixels[1]},
        [&](int which) { // headers and pixels in two writes, as a capture is saved
            return WriteBinaryFileReplacing(bmp, [&](std::FILE* file) {
                return std::fwrite(head.data(), 1, head.size(), file) == head.size() &&
                       std::fwrite(pixels[which].data(), 1, layout.imageSize, file) ==
                           layout.imageSize;
            });
        },
        [&] { return ReadAll(bmp); }, 100);
}

} // namespace

int main() {
    KillWriters();
    std::printf("%d checks failed\n", g_failedChecks);
    return g_failedChecks == 0 ? 0 : 1;
}
