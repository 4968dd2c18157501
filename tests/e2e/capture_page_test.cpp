// The Capture page as the user meets it: "&Capture!", files and folders
// dropped on it, and "&Go!", which opens a command prompt in the dropped
// folder. Its hotkey box is tested with the others in hotkey_box_test.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cctype>
#include <string>
#include <vector>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// A path compared as the system does: any case, no trailing backslash.
std::string SameFolder(std::string s) {
    while (!s.empty() && s.back() == '\\')
        s.pop_back();
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Drops the paths on a window of the program through the test's hook
// library, which builds the drop in the program's own memory.
bool Drop(HWND target, const std::vector<std::string>& paths) {
    static HMODULE dll = ::LoadLibraryA("zen_dropper.dll");
    using DropFn = BOOL (*)(HWND, const char*, unsigned);
    auto fn = dll ? reinterpret_cast<DropFn>(
                        reinterpret_cast<void*>(::GetProcAddress(dll, "DropFilesOn")))
                  : nullptr;
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    return fn && fn(target, list.data(), static_cast<unsigned>(list.size()));
}

// The current directory of another process, read from its process parameters:
// where the process block keeps their address, and where they keep the folder.
constexpr size_t kParamsAt = 4 * sizeof(void*);
constexpr size_t kCurrentFolderAt = 16 + 5 * sizeof(void*);
std::string CurrentFolderOf(DWORD pid) {
    std::string result;
    HANDLE h = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!h)
        return result;
    using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info = {};
    BYTE* params = nullptr;
    UNICODE_STRING dir = {};
    if (query && query(h, ProcessBasicInformation, &info, sizeof info, nullptr) == 0 &&
        ::ReadProcessMemory(h, reinterpret_cast<BYTE*>(info.PebBaseAddress) + kParamsAt, &params,
                            sizeof params, nullptr) &&
        ::ReadProcessMemory(h, params + kCurrentFolderAt, &dir, sizeof dir, nullptr)) {
        std::wstring wide(dir.Length / sizeof(wchar_t), L'\0');
        if (::ReadProcessMemory(h, dir.Buffer, &wide[0], dir.Length, nullptr)) {
            char buf[MAX_PATH * 2] = "";
            ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, buf, sizeof buf, nullptr, nullptr);
            result = buf;
        }
    }
    ::CloseHandle(h);
    return result;
}

std::string ImageOf(DWORD pid) {
    char buf[MAX_PATH * 2] = "";
    DWORD size = sizeof buf;
    HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (h) {
        if (!::QueryFullProcessImageNameA(h, 0, buf, &size))
            buf[0] = '\0';
        ::CloseHandle(h);
    }
    return buf;
}

void EndProcess(DWORD pid) {
    if (HANDLE h = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        ::TerminateProcess(h, 1);
        ::WaitForSingleObject(h, 5000);
        ::CloseHandle(h);
    }
}

// The processes the program started (the prompt and whatever hosts its
// console), ended by their ids when the test is done.
class Descendants {
public:
    explicit Descendants(DWORD root) : m_root(root) {}
    ~Descendants() {
        for (DWORD pid : List())
            EndProcess(pid);
    }
    std::vector<DWORD> List() const {
        std::vector<DWORD> found = {m_root};
        HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        for (size_t i = 0; i < found.size() && snap != INVALID_HANDLE_VALUE; ++i) {
            PROCESSENTRY32 pe = {};
            pe.dwSize = sizeof pe;
            for (BOOL ok = ::Process32First(snap, &pe); ok; ok = ::Process32Next(snap, &pe))
                if (pe.th32ParentProcessID == found[i] && pe.th32ProcessID != m_root)
                    found.push_back(pe.th32ProcessID);
        }
        if (snap != INVALID_HANDLE_VALUE)
            ::CloseHandle(snap);
        found.erase(found.begin());
        return found;
    }
    // A started process whose image is named `name`, or 0.
    DWORD Find(const std::string& name) const {
        for (DWORD pid : List()) {
            const std::string image = SameFolder(ImageOf(pid));
            if (image.size() > name.size() && image.substr(image.size() - name.size()) == name)
                return pid;
        }
        return 0;
    }

private:
    DWORD m_root;
};

// The prompt stays open for the user: ended here by its id, or it would outlive the test (holding
// the test run's output open).
struct PromptEnder {
    DWORD pid;
    ~PromptEnder() { EndProcess(pid); }
};

} // namespace

// Dropped paths go to the edit box and the clipboard, the last of several winning; a path
// longer than the program keeps is refused whole, with a message. "&Capture!" closes the options
// window and asks the tray to capture.
TEST(CapturePage, DroppedPathsGoToTheEditBoxAndTheClipboardTheLastOfSeveralWins) {
    Program p;
    const std::string folder = p.Folder() + "\\drop here";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    for (const char* name : {"\\a.txt", "\\b.txt", "\\c.txt"})
        WriteFileText(folder + name, "x");
    ASSERT_TRUE(p.StartAndWaitForTray());
    HWND page = OpenPage(p, kCapturePage, IDC_CAP_PATH);
    HWND edit = page ? ::GetDlgItem(page, IDC_CAP_PATH) : nullptr;
    ASSERT_NE(edit, nullptr);
    // Without settings the capture hotkey is Alt+C.
    EXPECT_EQ(HotkeyOf(::GetDlgItem(page, IDC_CAP_HOTKEY)), MAKEWORD('C', HOTKEYF_ALT));

    const std::vector<std::vector<std::string>> drops = {
        {folder},
        {folder + "\\a.txt"},
        {folder + "\\a.txt", folder + "\\b.txt", folder + "\\c.txt"}};
    for (const auto& drop : drops) {
        const DWORD cleared = ClearClipboard();
        ASSERT_TRUE(Drop(page, drop));
        const std::string& last = drop.back();
        EXPECT_TRUE(ClipboardBecomes(last, cleared) && ControlText(edit) == last)
            << "after dropping " << drop.size() << " item(s) ending in " << last
            << " the box holds '" << ControlText(edit) << "', the clipboard '" << ClipboardText()
            << "'";
    }
    SaveScreenshot("capture_page");

    const std::string kept = drops.back().back();
    ASSERT_TRUE(Drop(page, {folder + "\\" + std::string(300, 'x')}));
    std::string message;
    ASSERT_TRUE(ReadAndCloseMessageBox(p, message));
    EXPECT_EQ(message, "The path is too long!");
    EXPECT_EQ(ControlText(edit), kept);
    EXPECT_EQ(ClipboardText(), kept);

    Spy spy(p.TrayWindow());
    ASSERT_TRUE(spy.Installed());
    PressButton(page, ID_CAPTURE);
    EXPECT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; })) << "the options window closes";
    EXPECT_TRUE(spy.WaitFor(ID_CAPTURE));
}

// Go! acts on the path the box shows: greyed with an empty box, a path that does not exist told
// and nothing started, and for a file the system's command interpreter opened in the file's
// folder. A cmd.exe or command.com planted there does not run, even when ComSpec names it; the
// program's own current folder stays, and the next opening of the options window shows the path
// again.
TEST(CapturePage, GoOpensTheSystemPromptInTheFolderOfThePathTheBoxShows) {
    Program p;
    const std::string folder = p.Folder() + "\\planted dir";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    WriteFileText(folder + "\\plan.txt", "x");
    for (const char* name : {"\\cmd.exe", "\\command.com"})
        ASSERT_TRUE(::CopyFileA((TestFolder() + "\\zen_marker.exe").c_str(),
                                (folder + name).c_str(), FALSE));
    char comspec[MAX_PATH] = "";
    DWORD had = ::GetEnvironmentVariableA("ComSpec", comspec, MAX_PATH);
    ::SetEnvironmentVariableA("ComSpec", (folder + "\\cmd.exe").c_str());
    bool started = p.StartAndWaitForTray();
    ::SetEnvironmentVariableA("ComSpec", had ? comspec : nullptr);
    ASSERT_TRUE(started);
    const Descendants startedByProgram(p.Pid());
    const std::string programFolder = CurrentFolderOf(p.Pid());
    ASSERT_FALSE(programFolder.empty());

    HWND page = OpenPage(p, kCapturePage, IDC_CAP_PATH);
    ASSERT_NE(page, nullptr);
    HWND go = ::GetDlgItem(page, IDC_CAP_GO);
    EXPECT_FALSE(::IsWindowEnabled(go)) << "Go! is live with an empty box";
    ::SetDlgItemTextA(page, IDC_CAP_PATH, (folder + "\\missing").c_str());
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(go) != FALSE; }));
    PressButton(page, IDC_CAP_GO);
    std::string message;
    ASSERT_TRUE(ReadAndCloseMessageBox(p, message));
    EXPECT_NE(message.find("No such file or folder"), std::string::npos) << message;
    EXPECT_TRUE(p.Sheet() != nullptr && ::IsWindowVisible(p.Sheet())) << "the window stays";
    EXPECT_EQ(startedByProgram.Find("\\cmd.exe"), 0u) << "a prompt started";

    ASSERT_TRUE(Drop(page, {folder + "\\plan.txt"}));
    ASSERT_TRUE(WaitFor([&] { return ItemText(page, IDC_CAP_PATH) == folder + "\\plan.txt"; }));
    PressButton(page, IDC_CAP_GO);
    EXPECT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; })) << "the options window closes";
    DWORD prompt = 0;
    ASSERT_TRUE(WaitFor([&] { return (prompt = startedByProgram.Find("\\cmd.exe")) != 0; }))
        << "no command prompt started";
    const PromptEnder endPrompt{prompt};
    // A 32-bit program on 64-bit Windows sees the system folder's 32-bit twin.
    const std::string image = SameFolder(ImageOf(prompt));
    bool fromSystem = false;
    for (auto get : {&::GetSystemDirectoryA, &::GetSystemWow64DirectoryA}) {
        char buf[MAX_PATH] = "";
        fromSystem |= get(buf, MAX_PATH) && image == SameFolder(std::string(buf) + "\\cmd.exe");
    }
    EXPECT_TRUE(fromSystem) << image;
    // Read once the prompt has set itself up: at first its process may have no folder yet.
    EXPECT_TRUE(WaitFor([&] { return SameFolder(CurrentFolderOf(prompt)) == SameFolder(folder); }))
        << CurrentFolderOf(prompt);
    EXPECT_FALSE(FileExists(folder + "\\ran.txt")) << "a planted program ran";
    EXPECT_EQ(SameFolder(CurrentFolderOf(p.Pid())), SameFolder(programFolder));
    page = OpenPage(p, kCapturePage, IDC_CAP_PATH);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ItemText(page, IDC_CAP_PATH), folder + "\\plan.txt");
}
