// What Windows shows of the released files in their Properties: both name
// the product, one version (the build's), a description and a copyright line.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "version.h"

using namespace e2e;

namespace {

std::string VersionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT size = 0;
    std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &size) ||
        size == 0)
        return "";
    return value;
}

} // namespace

TEST(Release, BothFilesCarryTheProductVersionDescriptionAndCopyright) {
    for (const char* file : {"Zentrova.exe", "Quillet.dll"}) {
        SCOPED_TRACE(file);
        const std::string path = BinDir() + "\\" + file;
        DWORD ignored = 0, size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource";
        std::vector<char> info(size);
        ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT len = 0;
        ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
        EXPECT_EQ(fixed->dwFileVersionMS, DWORD(ZEN_VERSION_MAJOR << 16 | ZEN_VERSION_MINOR));
        EXPECT_EQ(fixed->dwFileVersionLS, DWORD(ZEN_VERSION_PATCH << 16));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
        EXPECT_EQ(ZEN_VERSION_MAJOR, 3);
        EXPECT_EQ(ZEN_VERSION_MINOR, 0);

        EXPECT_EQ(VersionString(info, "ProductName"), "Zentrova");
        EXPECT_EQ(VersionString(info, "FileVersion"), ZEN_VERSION_TEXT);
        EXPECT_EQ(VersionString(info, "ProductVersion"), ZEN_VERSION_TEXT);
        EXPECT_EQ(VersionString(info, "OriginalFilename"), file);
        EXPECT_NE(VersionString(info, "FileDescription"), "");
        EXPECT_EQ(VersionString(info, "LegalCopyright").rfind("Copyright (C) ", 0), 0u);
    }
}
