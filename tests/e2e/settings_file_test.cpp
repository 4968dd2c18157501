// The settings file as people leave it: edited by hand into nonsense, made
// read-only, or lying in a folder the user may not write (as under Program
// Files). The program starts, shows the nearest sensible values, opens its
// options window and keeps what the user confirms in a place it can write.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <string>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// Makes a file or folder unwritable for everyone for the life of the object,
// as a folder under Program Files is for a user. Under Wine the program runs
// as the Linux user, and root ignores permissions, so the Linux immutable
// flag does it (chattr, started through Wine, which runs Linux programs).
class Unwritable {
public:
    explicit Unwritable(const std::string& path) : m_unix(UnixPath(path)) {
        m_locked = Chattr("+i");
    }
    ~Unwritable() {
        if (m_locked)
            Chattr("-i");
    }
    bool Locked() const { return m_locked; }

private:
    static std::string UnixPath(const std::string& path) {
        using Fn = char*(CDECL*)(LPCWSTR);
        auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
        std::wstring wide(path.size() + 1, L'\0');
        wide.resize(::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0],
                                          static_cast<int>(wide.size())));
        char* unix = fn ? fn(wide.c_str()) : nullptr;
        std::string result = unix ? unix : "";
        ::HeapFree(::GetProcessHeap(), 0, unix);
        return result;
    }
    bool Chattr(const char* flag) {
        if (m_unix.empty())
            return false;
        std::string cmd = std::string("chattr ") + flag + " \"" + m_unix + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!::CreateProcessA("/usr/bin/chattr", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &pi))
            return false;
        ::WaitForSingleObject(pi.hProcess, 10000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        return true;
    }
    std::string m_unix;
    bool m_locked = false;
};

// Whether a new file can be made in a folder.
bool CanMakeFileIn(const std::string& folder) {
    HANDLE h = ::CreateFileA((folder + "\\probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(h);
    return true;
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// APPDATA, as the programs started here see it, set to a folder of the test
// for the life of the object (inside the program's folder, made before any
// lock, so that it is removed with it).
class UserFolder {
public:
    explicit UserFolder(const Program& p) : m_path(p.Folder() + "\\AppData") {
        ::CreateDirectoryA(m_path.c_str(), nullptr);
        char old[MAX_PATH * 3] = "";
        m_had = ::GetEnvironmentVariableA("APPDATA", old, sizeof old) > 0;
        m_old = old;
        ::SetEnvironmentVariableA("APPDATA", m_path.c_str());
    }
    ~UserFolder() { ::SetEnvironmentVariableA("APPDATA", m_had ? m_old.c_str() : nullptr); }
    std::string Ini() const { return m_path + "\\Zentrova\\Zentrova.ini"; }

private:
    std::string m_path, m_old;
    bool m_had = false;
};

int StoredIn(const std::string& ini, const char* key) {
    return static_cast<int>(::GetPrivateProfileIntA("", key, -1, ini.c_str()));
}

// The region and factor that the Magnify page shows.
void ExpectZoomShown(HWND page, const char* region, const char* factor) {
    EXPECT_EQ(ItemText(page, IDC_MAG_REGION), region);
    EXPECT_EQ(ItemText(page, IDC_MAG_FACTOR), factor);
}

} // namespace

TEST(SettingsFile, NonsenseIsReadAsTheNearestSenseEvenFromAReadOnlyFile) {
    Program p;
    UserFolder user(p);
    WriteIniSetting(Ini(p), "", "Marker", 1); // the unnamed section as the system writes it
    std::string text = ReadFileText(Ini(p));
    const size_t at = text.rfind("Marker=1");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 8,
                 std::string(100 * 1024, '#') +
                     "\r\n"           // a line of 100 KB without a key
                     "wKey=abc\r\n"   // not a number: Z
                     "wMod=-1\r\n"    // no such modifiers: Alt
                     "nWidth=-40\r\n" // below 10
                     "nFactor=" +
                     std::string(100 * 1024, '7') +
                     "\r\n"                       // far above 10
                     "nFactor=3\r\n"              // repeated: the first one counts
                     "CapturewKey=300\r\n"        // no such key: C
                     "AutoClickwKey=\r\n"         // empty: X
                     "AutoClickwMod=2147483648"); // beyond an int: Alt
    WriteFileText(Ini(p), text);
    const std::string written = ReadFileText(Ini(p));
    Unwritable locked(Ini(p));
    ASSERT_TRUE(locked.Locked()) << "cannot make the settings file read-only here";

    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenPage(p, kColorPage, IDC_COLOR_HOTKEY);
    ASSERT_NE(page, nullptr) << "the options window did not open";
    EXPECT_EQ(HotkeyOf(::GetDlgItem(page, IDC_COLOR_HOTKEY)), MAKEWORD('X', HOTKEYF_ALT));
    page = ShowPage(p, kCapturePage, IDC_CAP_HOTKEY);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(HotkeyOf(::GetDlgItem(page, IDC_CAP_HOTKEY)), MAKEWORD('C', HOTKEYF_ALT));
    page = ShowPage(p, kMagnifyPage, IDC_MAG_HOTKEY);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(HotkeyOf(::GetDlgItem(page, IDC_MAG_HOTKEY)), MAKEWORD('Z', HOTKEYF_ALT));
    ExpectZoomShown(page, "10", "10");

    // OK stores the sensible values where they can be written, and says nothing.
    ASSERT_TRUE(PressSheetButton(p, IDOK));
    EXPECT_FALSE(ReadAndCloseMessageBox(p, text, 1500)) << text;
    EXPECT_EQ(StoredIn(user.Ini(), "nWidth"), 10);
    EXPECT_EQ(StoredIn(user.Ini(), "nFactor"), 10);
    EXPECT_EQ(StoredIn(user.Ini(), "wKey"), 'Z');
    EXPECT_EQ(ReadFileText(Ini(p)), written) << "the read-only file changed";
    EXPECT_TRUE(p.Running());
}

TEST(SettingsFile, AFolderThatCannotBeWrittenKeepsItsSettingsForTheUser) {
    Program p("Program Files\\Zentrova");
    UserFolder user(p);
    WriteIniSetting(Ini(p), "", "nWidth", 64); // as an administrator left it
    WriteScheme(p);
    Unwritable lockedFolder(p.Folder()), lockedFile(Ini(p));
    ASSERT_TRUE(lockedFolder.Locked() && lockedFile.Locked() && !CanMakeFileIn(p.Folder()))
        << "cannot make the program's folder read-only here";
    const std::vector<std::string> files = ListFolder(p.Folder());

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first run" : "second run");
        ASSERT_TRUE(p.StartAndWaitForTray());
        ASSERT_TRUE(OpenOptions(p));
        EXPECT_TRUE(SelectedTabWears(p, kSchemeSample)) << "the skin library was not read";
        HWND page = ShowPage(p, kMagnifyPage, IDC_MAG_HOTKEY);
        ASSERT_NE(page, nullptr);
        // The first run starts from the settings beside the program; the second shows what the
        // first stored for the user.
        ExpectZoomShown(page, run == 0 ? "64" : "30", "4");
        ::SetDlgItemTextA(page, IDC_MAG_REGION, "30");
        ASSERT_TRUE(PressSheetButton(p, IDOK));
        std::string text;
        EXPECT_FALSE(ReadAndCloseMessageBox(p, text, 1500)) << text;
        EXPECT_EQ(StoredIn(user.Ini(), "nWidth"), 30);
        p.Stop();
    }
    EXPECT_EQ(ListFolder(p.Folder()), files) << "something was written beside the program";
    EXPECT_EQ(StoredIn(Ini(p), "nWidth"), 64);
}
