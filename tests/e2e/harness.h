// End-to-end harness: runs Zentrova.exe from a private copy of the program
// folder, finds its windows, drives it with messages and synthesized input,
// and reads back what a user would see. Every process started here is ended
// by its handle when the test ends.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Waits until `done` holds, pumping this thread's messages; false on time-out.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// The folder that holds the built program (Zentrova.exe, Quillet.dll, ...).
std::string BinDir();
void WriteFileText(const std::string& path, const std::string& text);
std::string ReadFileText(const std::string& path); // every byte
// Writes a setting into the program's INI file the way the program does.
void WriteIniSetting(const std::string& iniPath, const char* section, const char* key, int value);
bool FileExists(const std::string& path);
std::vector<std::string> ListFolder(const std::string& folder);

// A top-level window of a process with exactly this title, or nullptr.
HWND FindProcessWindow(DWORD pid, const char* title);
// Any visible top-level window of a process whose class is `cls`.
HWND FindProcessWindowByClass(DWORD pid, const char* cls);
std::string WindowText(HWND h);

// Starts a program (current folder `folder`, or this one's when empty).
bool Launch(const std::string& path, const std::string& folder, PROCESS_INFORMATION& pi);

// One copy of the program in its own folder.
class Program {
public:
    // `folder`, when given, names the program's folder (with backslashes for
    // folders inside folders) under the temporary folder.
    explicit Program(const std::string& folder = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const std::string& Folder() const { return m_folder; }
    // Puts the skin library the program ships (scheme.dat of the build) into its folder.
    bool UseShippedSkins() const;
    // Starts Zentrova.exe (or the named exe of the folder) with its folder, or
    // `currentFolder` when given, as its current folder; false if it did not start.
    bool Start(const char* exe = "Zentrova.exe", const std::string& currentFolder = "");
    // Starts and waits for the tray window.
    bool StartAndWaitForTray(DWORD timeoutMs = 20000);
    // Runs one more copy from the same folder until it ends by itself;
    // false (and the copy ended by force) if it did not end in time.
    bool RunAnotherCopy(DWORD timeoutMs, DWORD& exitCode) const;
    bool Running() const;
    // Waits for the process to end; false on time-out.
    bool WaitForExit(DWORD timeoutMs = 10000);
    DWORD ExitCode() const;
    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Process() const { return m_pi.hProcess; }

    HWND TrayWindow() const; // "&Hide Magnify"
    HWND Sheet() const;      // "  Zentrova 3.0"
    HWND ZoomWindow() const; // the hook library's zoom window, when shown

    // Posts a command to the tray window.
    void Command(UINT id) const;
    // Ends the program as a user would (Exit), then by force if it must.
    void Stop();

private:
    std::string m_folder;
    std::vector<std::string> m_levels; // folders made for it, outermost first
    PROCESS_INFORMATION m_pi = {};
};

// Synthesized input.
void PressKeys(const std::vector<WORD>& chord); // press in order, release in reverse
void TypeText(const char* text);
// Moves the pointer to x, y with the mouse buttons given (MOUSEEVENTF_LEFTDOWN, ...) going down or
// up there. The point goes with the buttons, so they land there even where the system still has
// the pointer somewhere on its way.
void MouseAt(int x, int y, DWORD buttons = 0);

// Screen pixels and screenshots.
// A window of the test on top of everything (or not), whose pixel (x, y) is `pixel(x, y)`,
// 0x00RRGGBB: known pixels to capture and pick. Shown at once; Show() waits until it is.
class ScreenPatch {
public:
    using Pixels = std::function<DWORD(int x, int y)>;
    ScreenPatch(const RECT& rc, Pixels pixel, bool topmost = true);
    ~ScreenPatch();
    ScreenPatch(const ScreenPatch&) = delete;
    ScreenPatch& operator=(const ScreenPatch&) = delete;
    // Paints it anew (with other pixels, when given); true once the screen shows it.
    bool Show(Pixels pixel = nullptr);
    void Hide() const;
    POINT Centre() const;
    static Pixels Solid(COLORREF c) {
        const DWORD v = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        return [v](int, int) { return v; };
    }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    RECT m_rc;
    Pixels m_pixel;
    HWND m_hwnd;
};
// The screen's pixels in a rectangle, 0x00RRGGBB, rows from the top or from the bottom.
std::vector<DWORD> ScreenPixels(const RECT& area, bool topDown = true);
// Counts pixels of a colour (within a tolerance per channel) in a screen
// rectangle; `centre`, when given, receives the middle of those pixels.
int CountColour(const RECT& area, COLORREF colour, int tolerance = 24, POINT* centre = nullptr);
// The taskbar's notification area at the right end of the taskbar.
RECT TrayArea();
void SaveScreenshot(const char* name);

// Tab labels of a property sheet.
std::vector<std::string> SheetTabs(HWND sheet);
// The screen rectangle of one tab of a property sheet.
RECT SheetTabRect(HWND sheet, int index);
int SheetActiveTab(HWND sheet);

} // namespace e2e
