// The settings file as people leave it: edited by hand into nonsense, made read-only, lying in a
// folder the user may not write (as under Program Files), or in a folder of any name and length.
// The program starts, shows the nearest sensible values and keeps what the user confirms in a
// place it can write, or says once that it cannot. What each text reads as is the settings
// table's, tested natively.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// Makes a file or folder unwritable for everyone for the life of the object, as a folder under
// Program Files is for a user. Under Wine the program runs as the Linux user, and root ignores
// permissions, so the Linux immutable flag does it (chattr, started through Wine, which runs
// Linux programs).
class Unwritable {
public:
    explicit Unwritable(const std::string& path) {
        using Fn = char*(CDECL*)(LPCWSTR);
        auto unixName = reinterpret_cast<Fn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
        std::wstring wide(path.size() + 1, L'\0');
        wide.resize(::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0],
                                          static_cast<int>(wide.size())));
        if (char* name = unixName ? unixName(wide.c_str()) : nullptr) {
            m_unix = name;
            ::HeapFree(::GetProcessHeap(), 0, name);
        }
        m_flagged = Chattr("+i");
        // Locked once nothing can be written: in a folder, a new file; a file itself. The flag
        // may come a moment after the process that sets it is seen to end.
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        const bool folder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        m_locked = m_flagged && WaitFor([&] {
                       HANDLE h = ::CreateFileA((folder ? path + "\\probe.tmp" : path).c_str(),
                                                GENERIC_WRITE, 0, nullptr,
                                                folder ? CREATE_NEW : OPEN_EXISTING,
                                                folder ? FILE_FLAG_DELETE_ON_CLOSE : 0, nullptr);
                       if (h == INVALID_HANDLE_VALUE)
                           return true;
                       ::CloseHandle(h);
                       return false;
                   });
    }
    ~Unwritable() {
        if (m_flagged)
            Chattr("-i");
    }
    bool Locked() const { return m_locked; }

private:
    bool Chattr(const char* flag) const {
        std::string cmd = std::string("chattr ") + flag + " \"" + m_unix + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (m_unix.empty() || !::CreateProcessA("/usr/bin/chattr", &cmd[0], nullptr, nullptr, FALSE,
                                                0, nullptr, nullptr, &si, &pi))
            return false;
        ::WaitForSingleObject(pi.hProcess, 10000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        return true;
    }
    std::string m_unix;
    bool m_flagged = false, m_locked = false;
};

// APPDATA, as the programs started here see it, set to a folder of the test for the life of the
// object (inside the program's folder, made before any lock, so that it is removed with it).
class UserFolder {
public:
    explicit UserFolder(const Program& p, bool made = true)
        : m_path(p.Folder() + (made ? "\\AppData" : "\\missing")) {
        if (made)
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

// Confirms the open options window with OK on the Magnify page, which stores its settings, after
// checking the region and factor it shows (and typing a region, when given); true once it has
// gone without a message box. `told` gets the text of one that came.
bool ConfirmOnMagnify(const Program& p, const char* region, const char* factor,
                      const char* typed = nullptr, std::string* told = nullptr) {
    HWND page = ShowPage(p, kMagnifyPage, IDC_MAG_HOTKEY);
    if (!page)
        return false;
    EXPECT_EQ(ItemText(page, IDC_MAG_REGION), region);
    EXPECT_EQ(ItemText(page, IDC_MAG_FACTOR), factor);
    if (typed)
        ::SetDlgItemTextA(page, IDC_MAG_REGION, typed);
    // The settings are written, and a message box comes, before the window closes.
    PressSheetButton(p, IDOK, false);
    bool boxed = false;
    if (!WaitFor([&] { return !p.Sheet() || (boxed = FindProcessWindow(p.Pid(), "!Zentrova")); }))
        return false;
    std::string text;
    if (boxed)
        ReadAndCloseMessageBox(p, text);
    if (told)
        *told = text;
    EXPECT_FALSE(boxed && !told) << text;
    return WaitFor([&] { return p.Sheet() == nullptr; });
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
                     "nWidth=-40\r\n" // below 10
                     "nFactor=" +
                     std::string(100 * 1024, '7') +
                     "\r\n"        // far above 10
                     "nFactor=3"); // repeated: the first one counts
    WriteFileText(Ini(p), text);
    Unwritable locked(Ini(p));
    ASSERT_TRUE(locked.Locked()) << "cannot make the settings file read-only here";

    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenMagnifyPage(p);
    ASSERT_NE(page, nullptr) << "the options window did not open";
    EXPECT_EQ(HotkeyOf(::GetDlgItem(page, IDC_MAG_HOTKEY)), MAKEWORD('Z', HOTKEYF_ALT));

    // OK stores the sensible values where they can be written, and says nothing.
    ASSERT_TRUE(ConfirmOnMagnify(p, "10", "10"));
    EXPECT_EQ(StoredIn(user.Ini(), "nWidth"), 10);
    EXPECT_EQ(StoredIn(user.Ini(), "wKey"), 'Z');
    EXPECT_EQ(ReadFileText(Ini(p)), text) << "the read-only file changed";
}

TEST(SettingsFile, AFolderThatCannotBeWrittenKeepsItsSettingsForTheUser) {
    Program p("Program Files\\Zentrova");
    UserFolder user(p);
    WriteIniSetting(Ini(p), "", "nWidth", 64); // as an administrator left it
    WriteScheme(p);
    Unwritable lockedFolder(p.Folder()), lockedFile(Ini(p));
    ASSERT_TRUE(lockedFolder.Locked() && lockedFile.Locked())
        << "cannot make the program's folder read-only here";
    const std::vector<std::string> files = ListFolder(p.Folder());
    // The first run starts from the settings beside the program; the second shows what the first
    // stored for the user.
    for (const char* shown : {"64", "30"}) {
        ASSERT_TRUE(p.StartAndWaitForTray());
        ASSERT_TRUE(OpenOptions(p));
        EXPECT_TRUE(SelectedTabWears(p, kSchemeSample)) << "the skin library was not read";
        ASSERT_TRUE(ConfirmOnMagnify(p, shown, "4", "30"));
        EXPECT_EQ(StoredIn(user.Ini(), "nWidth"), 30);
        p.Stop();
    }
    EXPECT_EQ(ListFolder(p.Folder()), files) << "something was written beside the program";
}

TEST(SettingsFile, AnyFolderNameAndLengthKeepsSettingsAndSkins) {
    // This test program's own ANSI calls take UTF-8, as the program's do.
    ASSERT_EQ(::GetACP(), 65001u);
    for (const std::string& folder :
         {std::string("日本語\\Ωmega"), std::string("Mes programmes\\Zentrova Ünïcødé (x86)"),
          std::string(170, 'd')}) {
        Program p(folder);
        SCOPED_TRACE(p.Folder());
        WriteIniSetting(Ini(p), "", "nFactor", 9);
        WriteScheme(p);
        ASSERT_TRUE(p.StartAndWaitForTray());
        ASSERT_TRUE(OpenOptions(p));
        EXPECT_TRUE(SelectedTabWears(p, kSchemeSample)) << "scheme.dat beside it was not read";
        ASSERT_TRUE(ConfirmOnMagnify(p, "40", "9", "41"));
        EXPECT_EQ(Stored(p, "nWidth"), 41) << "OK stored nothing beside the program";
    }
}

TEST(SettingsFile, WhereSettingsCannotBeStoredTheUserIsToldOnce) {
    Program p;
    // A folder stands where the settings file should be, and the application data folder the
    // program is given to keep them for the user instead is missing.
    ASSERT_TRUE(::CreateDirectoryA(Ini(p).c_str(), nullptr));
    bool started = false;
    {
        UserFolder missing(p, false);
        started = p.StartAndWaitForTray();
    }
    ASSERT_TRUE(started);
    for (int time = 0; time < 2; ++time) {
        std::string told;
        ASSERT_TRUE(OpenOptions(p));
        ASSERT_TRUE(ConfirmOnMagnify(p, "40", "4", nullptr, time == 0 ? &told : nullptr));
        EXPECT_EQ(time == 0, told.find("cannot be saved") != std::string::npos) << told;
    }
}
