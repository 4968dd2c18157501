// The About page's "&Web Page": the product's address goes to the browser once the options
// window has gone. (Tip of the Day has its own tests; Exit under it is among the ways out.)
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// Makes a program the handler of a URL scheme in this test's Wine prefix, as a browser
// registers itself, and puts the handler that was there back afterwards. (Wine reads the
// classes of the machine, not the user's own, so the command goes there.)
class UrlHandler {
public:
    UrlHandler(const std::string& scheme, const std::string& command)
        : m_key(scheme + "\\shell\\open\\command") {
        DWORD made = 0;
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, m_key.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                              nullptr, &m_hkey, &made) != ERROR_SUCCESS)
            return;
        char old[1024] = "";
        DWORD size = sizeof old;
        m_hadOld = made == REG_OPENED_EXISTING_KEY &&
                   ::RegQueryValueExA(m_hkey, nullptr, nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        m_old = old;
        m_ok = Set(command);
    }
    ~UrlHandler() {
        if (!m_hkey)
            return;
        if (m_hadOld)
            Set(m_old);
        else
            ::RegDeleteValueA(m_hkey, nullptr);
        ::RegCloseKey(m_hkey);
    }
    bool Registered() const { return m_ok; }

private:
    bool Set(const std::string& command) {
        return ::RegSetValueExA(m_hkey, nullptr, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
    }
    std::string m_key, m_old;
    HKEY m_hkey = nullptr;
    bool m_hadOld = false, m_ok = false;
};

std::string ProgramString(const Program& p, UINT id) {
    char buf[512] = "";
    if (HMODULE exe = ::LoadLibraryExA((p.Folder() + "\\Zentrova.exe").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE)) {
        ::LoadStringA(exe, id, buf, sizeof buf);
        ::FreeLibrary(exe);
    }
    return buf;
}

} // namespace

// The address kept in the program's strings reaches the browser, asked to open maximised, and
// the options window had left the screen by the time the browser started.
TEST(AboutPage, WebPageClosesTheOptionsWindowThenOpensTheProductsAddress) {
    Program p;
    ASSERT_TRUE(::CopyFileA((TestFolder() + "\\zen_recorder.exe").c_str(),
                            (p.Folder() + "\\zen_recorder.exe").c_str(), FALSE));
    const std::string address = ProgramString(p, IDS_WEB_ADDRESS);
    ASSERT_EQ(address.rfind("https://", 0), 0u) << address;
    UrlHandler handler("https", "\"" + p.Folder() + "\\zen_recorder.exe\" \"%1\"");
    ASSERT_TRUE(handler.Registered());
    ASSERT_TRUE(p.StartAndWaitForTray());

    HWND page = OpenPage(p, kAboutPage, IDC_ABOUT_WEB);
    ASSERT_NE(page, nullptr);
    PressButton(page, IDC_ABOUT_WEB);
    const std::string recorded = p.Folder() + "\\recorded.txt";
    ASSERT_TRUE(WaitFor([&] { return FileExists(recorded); }, 20000)) << "no browser started";
    std::ifstream in(recorded);
    std::string url;
    int show = 0, sheetShown = -1;
    std::getline(in, url);
    in >> show >> sheetShown;
    EXPECT_EQ(url, address);
    EXPECT_EQ(show, SW_SHOWMAXIMIZED);
    EXPECT_EQ(sheetShown, 0) << "the options window was still on screen";
    EXPECT_TRUE(WaitFor([&] { return p.Sheet() == nullptr; }));
}
