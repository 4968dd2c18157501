// The About page's "&Web Page": the product's address goes to the browser once the options
// window has gone. (Tip of the Day has its own tests; Exit under it is among the ways out.)
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>

#include "tests/e2e/pages.h"

using namespace e2e;

namespace {

// Makes a program the handler of https addresses in this test's Wine prefix, as a browser
// registers itself, and puts back the handler that was there. (Wine reads the classes of the
// machine, not the user's own, so the command goes there.)
class HttpsHandler {
public:
    explicit HttpsHandler(const std::string& command) {
        DWORD size = sizeof m_old;
        m_hadOld = ::RegGetValueA(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr, m_old,
                                  &size) == ERROR_SUCCESS;
        m_ok = Set(command.c_str());
    }
    ~HttpsHandler() {
        if (m_hadOld)
            Set(m_old);
        else
            ::RegDeleteKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr);
    }
    bool Registered() const { return m_ok; }

private:
    static constexpr char kKey[] = "https\\shell\\open\\command";
    static bool Set(const char* command) {
        return ::RegSetKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, command,
                                 static_cast<DWORD>(std::strlen(command) + 1)) == ERROR_SUCCESS;
    }
    char m_old[1024] = "";
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
    HttpsHandler handler("\"" + p.Folder() + "\\zen_recorder.exe\" \"%1\"");
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
