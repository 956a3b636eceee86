// KIVOLA.exe's version resource, read back as Explorer's Properties read it: the numbers and the
// texts must be the project's version (CMakeLists.txt), which the release is named after.

#include <gtest/gtest.h>

#include "platform/win32/WindowsApi.h"

#include <string>
#include <vector>

namespace {

std::wstring Wide(const char* text) {
    return {text, text + std::char_traits<char>::length(text)};
}

std::wstring StringValue(std::vector<unsigned char>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || length == 0) {
        return L"(none)";
    }
    return static_cast<const wchar_t*>(value);
}

TEST(VersionResource, NamesTheProjectVersionInNumbersAndTexts) {
    const std::wstring program = Wide(KIVOLA_PROGRAM);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource in " << KIVOLA_PROGRAM;
    std::vector<unsigned char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));

    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &fixed, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto& info = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    const auto numbers = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
               std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
    };
    const std::string expected = std::string(KIVOLA_VERSION) + ".0";
    EXPECT_EQ(numbers(info.dwFileVersionMS, info.dwFileVersionLS), expected);
    EXPECT_EQ(numbers(info.dwProductVersionMS, info.dwProductVersionLS), expected);

    EXPECT_EQ(StringValue(block, L"FileVersion"), Wide(KIVOLA_VERSION));
    EXPECT_EQ(StringValue(block, L"ProductVersion"), Wide(KIVOLA_VERSION));
    EXPECT_EQ(StringValue(block, L"ProductName"), L"KIVOLA");
    EXPECT_EQ(StringValue(block, L"OriginalFilename"), L"KIVOLA.exe");
}

}  // namespace
