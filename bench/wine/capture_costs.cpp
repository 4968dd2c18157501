// What a capture costs under Wine, each figure against a yardstick measured in the same run:
//  - button release to the clipboard filled (closed again with a bitmap on it): Zentrova's
//    overlay against baseline_capture.exe, which copies a rectangle of the screen of the same
//    size into one bitmap and sets it on the clipboard;
//  - the Capture command to the overlay shown, less the 200 ms the program waits on purpose,
//    against a new bitmap of the whole desktop filled from the screen, 64 rows at a time;
//  - saving a 1024 x 768 capture as BMP, held as the result dialog holds it, in this process
//    through the program's own SaveBitmapToFile, against one WriteFile of as many bytes, and
//    against one WriteFile and a flush to the disk, as the program's writer flushes;
//  - what 50 captures leave behind against what the first ones left: private bytes (the
//    page-file usage of the system's process list: what Windows calls private bytes, and what
//    Wine fills from Linux's resident anonymous and swapped memory of the process) and kernel
//    handles from the same list, and the GDI objects counted inside the process by the test spy
//    (GetGuiResources where the system counts, else a scan of the process's handle table);
//    the growth against the pixels of one capture, which a capture kept each time would add;
//  - on a large desktop (a 3840 x 2160 screen, two monitors of 1920 x 1080): the same for
//    selections of 400 x 300, 1920 x 1080 and 3840 x 2160 where the desktop holds them, with
//    the time per megapixel of each, which must not grow with the size.
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/wine/measure.h"
#include "capture/CaptureSave.h"
#include "capture/LastCapture.h"
#include "res/resource.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/spy.h"

using namespace e2e;

namespace bench {
namespace {

// The whole virtual desktop, every monitor, in screen coordinates.
RECT Desktop() {
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
            y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

DWORD ScreenPixel(POINT pt) {
    return ScreenPixels({pt.x, pt.y, pt.x + 1, pt.y + 1})[0];
}

// A drag of w x h on the overlay, near its top left corner. It is dragged from its bottom right
// corner up to its top left one, where the pointer is put first: the moves the system makes for
// the pointer when the overlay appears then end the drag where the bench's own moves do. A
// pixel of the band's top edge tells when the band is on the screen.
struct Drag {
    Drag(int width, int height) : w(width), h(height) {
        const RECT d = Desktop();
        end = {std::min(50L, d.right - d.left - w), std::min(40L, d.bottom - d.top - h)};
        press = {end.x + w, end.y + h};
        pointer = {d.left + end.x, d.top + end.y};
        edge = {pointer.x + w / 2, pointer.y};
    }
    bool Fits() const { return end.x >= 0 && end.y >= 0; }
    double Megapixels() const { return w * static_cast<double>(h) / 1e6; }
    int w, h;
    POINT press, end;    // on the overlay
    POINT pointer, edge; // on the screen
};

// Empties the clipboard; its sequence number afterwards.
DWORD EmptyClipboardNow() {
    if (WaitFor([] { return ::OpenClipboard(nullptr) != 0; })) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    return ::GetClipboardSequenceNumber();
}

// Spins until the clipboard changed from `seq`, holds a bitmap and is closed again; the time
// then, or a negative number after 10 s.
double ClipboardFilledAfter(DWORD seq) {
    const double limit = Now() + 10;
    while (Now() < limit) {
        if (::GetClipboardSequenceNumber() != seq && ::IsClipboardFormatAvailable(CF_BITMAP) &&
            ::OpenClipboard(nullptr)) {
            ::CloseClipboard();
            return Now();
        }
        ::SwitchToThread();
    }
    return -1;
}

// baseline_capture.exe for as long as the object lives.
class BaselineCapture {
public:
    BaselineCapture() {
        if (Launch(OwnDir() + "\\baseline_capture.exe", "", m_pi))
            WaitFor([&] {
                return (m_window = FindProcessWindowByClass(m_pi.dwProcessId, "BaselineCapture")) !=
                           nullptr ||
                       (m_window = ::FindWindowA("BaselineCapture", nullptr)) != nullptr;
            });
    }
    ~BaselineCapture() {
        if (!m_pi.hProcess)
            return;
        if (m_window)
            ::PostMessageA(m_window, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_pi.hProcess, 8000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_pi.hProcess, 1);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    HWND Window() const { return m_window; }

    // One copy of w x h to the clipboard: the seconds from the release to the clipboard
    // filled, or a negative number.
    double Capture(int w, int h) const {
        const DWORD seq = EmptyClipboardNow();
        const double t0 = Now();
        ::PostMessageA(m_window, WM_LBUTTONUP, 0, MAKELPARAM(w, h));
        const double filled = ClipboardFilledAfter(seq);
        return filled > 0 ? filled - t0 : -1;
    }

private:
    PROCESS_INFORMATION m_pi = {};
    HWND m_window = nullptr;
};

HWND Overlay(const Program& p) {
    HWND h = FindProcessWindowByClass(p.Pid(), "paste");
    return h && ::IsWindowVisible(h) ? h : nullptr;
}

struct CaptureTimes {
    double visible = 0;   // Capture command to the overlay shown
    double ready = 0;     // ... and its first picture painted: it takes the press from then on
    double clipboard = 0; // button release to the clipboard filled
};

// One capture through the Capture command and messages to the overlay, timed; the result
// dialog is closed again. `desktop` is the colour of the band's edge pixel on the bare screen.
// False if a step did not happen in time.
bool CaptureOnce(const Program& p, const Drag& drag, DWORD desktop, CaptureTimes& t) {
    ::SetCursorPos(drag.pointer.x, drag.pointer.y);
    // The screen under the band as it is without the last capture's result dialog.
    if (!Need(WaitFor([&] {
                  POINT at = {};
                  return ::GetCursorPos(&at) && at.x == drag.pointer.x && at.y == drag.pointer.y &&
                         ScreenPixel(drag.edge) == desktop;
              }),
              "the pointer in place and the screen under the band repainted"))
        return false;
    const DWORD seq = EmptyClipboardNow();
    double t0 = Now();
    p.Command(ID_CAPTURE);
    HWND overlay = nullptr;
    while (!(overlay = Overlay(p)) && Now() < t0 + 10)
        ::SwitchToThread();
    if (!Need(overlay != nullptr, "the capture overlay"))
        return false;
    t.visible = Now() - t0;
    DWORD_PTR ignored = 0;
    if (!Need(::SendMessageTimeoutA(overlay, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0,
              "the capture overlay to answer"))
        return false;
    t.ready = Now() - t0;
    ::SendMessageA(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(drag.press.x, drag.press.y));
    ::SendMessageA(overlay, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drag.end.x, drag.end.y));
    // The button is released once the band is on the screen, as a hand releases it: the
    // program is done with the overlay's first picture and the band by then.
    const DWORD inverted = ~desktop & 0xFFFFFF;
    if (!Need(WaitFor([&] { return ScreenPixel(drag.edge) == inverted; }),
              "the band on the screen"))
        return false;
    t0 = Now();
    ::PostMessageA(overlay, WM_LBUTTONUP, 0, MAKELPARAM(drag.end.x, drag.end.y));
    const double filled = ClipboardFilledAfter(seq);
    if (!Need(filled > 0, "Zentrova's capture on the clipboard"))
        return false;
    t.clipboard = filled - t0;
    HWND result = nullptr;
    if (!Need(WaitFor([&] { return (result = FindProcessWindow(p.Pid(), "Congratulation!")); }),
              "the result dialog"))
        return false;
    ::PostMessageA(result, WM_COMMAND, MAKEWPARAM(IDC_CAPTURE_COPY, BN_CLICKED), 0);
    return Need(WaitFor([&] { return !::IsWindow(result); }), "the result dialog to close");
}

// The least any freeze of the screen takes, in this process: a new bitmap of the whole desktop
// filled from the screen, 64 rows at a time. One BitBlt of a large screen under Wine is no
// yardstick: from one run to the next it took 30 to 800 ms at 3840 x 2160. The seconds it took.
double DesktopRead() {
    const RECT d = Desktop();
    const int cx = d.right - d.left, cy = d.bottom - d.top;
    const double t0 = Now();
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    for (int top = 0; top < cy; top += 64)
        ::BitBlt(mem, 0, top, cx, std::min(64, cy - top), screen, d.left, d.top + top, SRCCOPY);
    ::GdiFlush();
    const double took = Now() - t0;
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return took;
}

// One size of selection: release to clipboard in both programs, round after round.
struct SizeFigures {
    explicit SizeFigures(const Drag& d) : drag(d) {}
    Drag drag;
    std::vector<double> zen, base;
};

// The overlay's times, whatever the selection, and the yardstick's beside them.
struct OverlayFigures {
    std::vector<double> visible, ready, reads;
};

// The figures of one desktop: Zentrova and its yardstick started, the bare screen's colours read.
class CaptureBench {
public:
    bool Start() {
        if (!Need(m_program.StartAndWaitForTray(), "Zentrova's tray window"))
            return false;
        return Need(m_baseline.Window() != nullptr, "baseline_capture.exe's window");
    }

    // `rounds` rounds of one capture of each size in each program. The sizes take turns, so a
    // change in the machine's load weighs on each of them alike.
    bool Measure(std::vector<SizeFigures>& sizes, int rounds, OverlayFigures& overlay) {
        std::vector<DWORD> desktop;
        for (const SizeFigures& size : sizes)
            desktop.push_back(ScreenPixel(size.drag.edge));
        for (int round = 0; round < rounds; ++round)
            for (size_t i = 0; i < sizes.size(); ++i) {
                SizeFigures& size = sizes[i];
                CaptureTimes t;
                if (!CaptureOnce(m_program, size.drag, desktop[i], t))
                    return false;
                size.zen.push_back(t.clipboard);
                overlay.visible.push_back(t.visible);
                overlay.ready.push_back(t.ready);
                const double base = m_baseline.Capture(size.drag.w, size.drag.h);
                if (!Need(base > 0, "baseline_capture.exe's bitmap on the clipboard"))
                    return false;
                size.base.push_back(base);
                overlay.reads.push_back(DesktopRead());
            }
        return true;
    }

    // What `captures` more captures of w x h leave behind, the first ones' allocations made.
    bool Leftovers(const char* label, const Drag& drag, int before, int captures) {
        SIZE_T private1 = 0, private2 = 0;
        DWORD handles1 = 0, handles2 = 0;
        Spy spy(m_program.TrayWindow());
        Spy::Objects objects1, objects2;
        if (!Need(spy.CountObjects(objects1), "the GDI object count") ||
            !Need(Footprint(m_program.Process(), private1, handles1), "Zentrova's memory counters"))
            return false;
        const DWORD desktop = ScreenPixel(drag.edge);
        for (int i = 0; i < captures; ++i) {
            CaptureTimes t;
            if (!CaptureOnce(m_program, drag, desktop, t))
                return false;
        }
        if (!Need(spy.CountObjects(objects2), "the GDI object count") ||
            !Need(Footprint(m_program.Process(), private2, handles2), "Zentrova's memory counters"))
            return false;
        // A capture kept each time would add its pixels, 4 bytes each, every time.
        const double growth = static_cast<double>(private2) - static_cast<double>(private1);
        const double pixels = 4.0 * drag.w * drag.h;
        std::printf("%safter %d captures and %d more of %d x %d: private bytes %.0f KiB then %.0f "
                    "KiB (%+.0f KiB, %.3f of one capture's %.0f KiB of pixels), kernel handles %lu "
                    "then %lu, GDI objects %lu then %lu%s, of them DCs and regions %lu then %lu\n",
                    label, before, captures, drag.w, drag.h, private1 / 1024.0, private2 / 1024.0,
                    growth / 1024.0, growth / pixels, pixels / 1024.0,
                    static_cast<unsigned long>(handles1), static_cast<unsigned long>(handles2),
                    static_cast<unsigned long>(objects1.gdi),
                    static_cast<unsigned long>(objects2.gdi),
                    objects1.gdiScanned ? " (handle table scan)" : "",
                    static_cast<unsigned long>(objects1.dcsAndRegions),
                    static_cast<unsigned long>(objects2.dcsAndRegions));
        return true;
    }

private:
    Program m_program;
    BaselineCapture m_baseline;
};

void PrintOverlay(const char* label, const OverlayFigures& o) {
    const double beyond = Median(o.visible) - 0.2;
    std::printf("%sCapture command to overlay shown (median of %zu): %.0f ms, %.0f ms beyond the "
                "fixed 200 ms wait (goal 50 ms or less), painted and taking the press %.0f ms "
                "beyond it; a new bitmap of the desktop read from the screen %.0f ms, ratio of "
                "the time beyond the wait to it %.2f\n",
                label, o.visible.size(), Median(o.visible) * 1000, beyond * 1000,
                (Median(o.ready) - 0.2) * 1000, Median(o.reads) * 1000, beyond / Median(o.reads));
}

void PrintRelease(const char* label, const SizeFigures& f) {
    std::printf("%sbutton release to clipboard filled, %d x %d (median of %zu): Zentrova %.1f ms, "
                "one BitBlt and SetClipboardData %.1f ms, ratio %.2f (goal 1.5 or less)\n",
                label, f.drag.w, f.drag.h, f.zen.size(), Median(f.zen) * 1000,
                Median(f.base) * 1000, Median(f.zen) / Median(f.base));
}

// The 1024 x 768 desktop's rows: a 400 x 300 capture, the overlay, and what 50 captures leave.
bool MeasureRelease(int rounds) {
    CaptureBench bench;
    if (!bench.Start())
        return false;
    std::vector<SizeFigures> sizes = {SizeFigures(Drag(400, 300))};
    OverlayFigures overlay;
    if (!bench.Measure(sizes, rounds, overlay))
        return false;
    PrintRelease("", sizes[0]);
    PrintOverlay("", overlay);
    return bench.Leftovers("", sizes[0].drag, rounds, 50);
}

// One WriteFile of `bytes` into a new file, flushed to the disk too when `flush`; the
// seconds it took, or a negative number on failure.
double PlainWrite(const std::string& path, const std::vector<char>& bytes, bool flush) {
    const double t0 = Now();
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok =
        f != INVALID_HANDLE_VALUE &&
        ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && (!flush || ::FlushFileBuffers(f));
    if (f != INVALID_HANDLE_VALUE)
        ::CloseHandle(f);
    return ok ? Now() - t0 : -1;
}

// The program's BMP writer against one WriteFile of the file's size, in this process. The
// writer flushes the new file to the disk before it replaces the old one, so a second
// yardstick flushes as well.
bool MeasureBmpSave(int rounds) {
    // The capture as the program holds it for the result dialog.
    HDC screen = ::GetDC(nullptr);
    CCaptureImage image(screen, 1024, 768, true);
    ::BitBlt(image.Dc(), 0, 0, 1024, 768, screen, 0, 0, SRCCOPY);
    const HBITMAP bmp = image.Bitmap();
    char tmp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, tmp);
    const std::string saved = std::string(tmp) + "zen_bench_save.bmp",
                      plain = std::string(tmp) + "zen_bench_plain.bin";
    std::vector<double> zen, base, flushed;
    bool ok = true;
    for (int round = 0; round < rounds && ok; ++round) {
        const double t0 = Now();
        ok = SaveBitmapToFile(screen, bmp, saved.c_str());
        zen.push_back(Now() - t0);
        WIN32_FILE_ATTRIBUTE_DATA fa = {};
        ok = ok && ::GetFileAttributesExA(saved.c_str(), GetFileExInfoStandard, &fa);
        const std::vector<char> bytes(fa.nFileSizeLow, 'x');
        // Each yardstick goes first in every other round: the disk's writing behind favours
        // neither.
        const bool flushFirst = round % 2 != 0;
        const double first = PlainWrite(plain, bytes, flushFirst);
        const double second = PlainWrite(plain, bytes, !flushFirst);
        base.push_back(flushFirst ? second : first);
        flushed.push_back(flushFirst ? first : second);
        ok = ok && base.back() >= 0 && flushed.back() >= 0;
    }
    ::ReleaseDC(nullptr, screen);
    ::DeleteFileA(saved.c_str());
    ::DeleteFileA(plain.c_str());
    if (!ok) {
        std::fprintf(stderr, "zen_wine_bench: could not write the BMP file or its yardstick\n");
        return false;
    }
    std::printf("BMP save of 1024 x 768 (median of %d, in process): SaveBitmapToFile %.1f ms, "
                "one WriteFile of as many bytes %.1f ms, ratio %.2f (goal 1.5 or less); "
                "one WriteFile and FlushFileBuffers %.1f ms, ratio %.2f\n",
                rounds, Median(zen) * 1000, Median(base) * 1000, Median(zen) / Median(base),
                Median(flushed) * 1000, Median(zen) / Median(flushed));
    return true;
}

} // namespace

ProcessFigures Figures(HANDLE process) {
    ProcessFigures f;
    using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    static auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    const DWORD pid = ::GetProcessId(process);
    std::vector<unsigned char> buf(1 << 20);
    ULONG needed = 0;
    if (!query ||
        query(SystemProcessInformation, buf.data(), static_cast<ULONG>(buf.size()), &needed) != 0)
        return f;
    for (size_t at = 0;;) {
        const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(&buf[at]);
        if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(info->UniqueProcessId)) == pid) {
            f.listed = true;
            f.cpuSeconds =
                static_cast<double>(info->UserTime.QuadPart + info->KernelTime.QuadPart) / 1e7;
            f.privateBytes = info->VirtualMemoryCounters.PagefileUsage;
            f.workingSet = info->VirtualMemoryCounters.WorkingSetSize;
            f.handles = info->HandleCount;
            return f;
        }
        if (!info->NextEntryOffset)
            return f;
        at += info->NextEntryOffset;
    }
}

bool MeasureCapture(int rounds) {
    return MeasureRelease(rounds) && MeasureBmpSave(rounds);
}

// A large desktop's rows: the overlay; release to clipboard for 400 x 300, 1920 x 1080 and
// 3840 x 2160 selections, those the desktop holds, with the time per megapixel; and what
// `captures` more 1920 x 1080 captures leave behind, when not 0.
bool MeasureLargeDesktop(const std::string& name, int rounds, int captures) {
    const std::string label = "[" + name + "] ";
    CaptureBench bench;
    if (!bench.Start())
        return false;
    // 1920 x 1080 last in each round: what later captures of that size leave is then counted
    // from where captures of the same size left the memory, not larger ones.
    std::vector<SizeFigures> sizes;
    for (const Drag& drag : {Drag(400, 300), Drag(3840, 2160), Drag(1920, 1080)})
        if (drag.Fits())
            sizes.emplace_back(drag);
    if (sizes.size() < 2) {
        std::fprintf(stderr, "zen_wine_bench: the desktop holds no 1920 x 1080 selection\n");
        return false;
    }
    const Drag full = sizes.back().drag;
    OverlayFigures overlay;
    if (!bench.Measure(sizes, rounds, overlay))
        return false;
    std::sort(sizes.begin(), sizes.end(), [](const SizeFigures& a, const SizeFigures& b) {
        return a.drag.Megapixels() < b.drag.Megapixels();
    });
    PrintOverlay(label.c_str(), overlay);
    PrintRelease(label.c_str(), sizes[1]);
    std::printf("%srelease to clipboard filled by the selection's size (median of %d each), and "
                "per megapixel:\n",
                label.c_str(), rounds);
    for (const SizeFigures& f : sizes) {
        const double zen = Median(f.zen), base = Median(f.base), mp = f.drag.Megapixels();
        std::printf("%s  %4d x %4d (%5.2f MP): Zentrova %6.1f ms, %5.1f ms/MP; one BitBlt and "
                    "SetClipboardData %6.1f ms, %5.1f ms/MP; ratio %.2f\n",
                    label.c_str(), f.drag.w, f.drag.h, mp, zen * 1000, zen * 1000 / mp, base * 1000,
                    base * 1000 / mp, zen / base);
    }
    const SizeFigures &small = sizes.front(), &large = sizes.back();
    const auto perMp = [](const std::vector<double>& v, const Drag& d) {
        return Median(v) / d.Megapixels();
    };
    std::printf("%stime per megapixel at %d x %d against %d x %d: Zentrova x%.2f, one BitBlt and "
                "SetClipboardData x%.2f (goal 1.0 or less: no faster than the pixels)\n",
                label.c_str(), large.drag.w, large.drag.h, small.drag.w, small.drag.h,
                perMp(large.zen, large.drag) / perMp(small.zen, small.drag),
                perMp(large.base, large.drag) / perMp(small.base, small.drag));
    return captures <= 0 ||
           bench.Leftovers(label.c_str(), full, rounds * static_cast<int>(sizes.size()), captures);
}

} // namespace bench
