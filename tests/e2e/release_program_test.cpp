// The program as the release zip carries it (release_zip_test unpacks it): the version information
// and the icon that Explorer shows for the file.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/gbk.h"
#include "ui/owned.h"

namespace {

const std::wstring program = UNPACKED_PROGRAM;

using OwnedModule = Owned<HMODULE, FreeLibrary>;

std::vector<BYTE> versionInfoOf(const std::wstring& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> info(size);
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, info.data())) info.clear();
    return info;
}

// A value of the version information's string table, as GBK bytes; "<none>" when it is missing.
std::string stringValue(std::vector<BYTE>& info, const std::wstring& table, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\" + table + L"\\" + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || !value) return "<none>";
    std::wstring_view text(static_cast<const wchar_t*>(value), length);
    if (!text.empty() && text.back() == L'\0') text.remove_suffix(1);
    return toGbk(text);
}

constexpr DWORD versionHigh =
    static_cast<DWORD>(PROGRAM_VERSION_MAJOR) << 16 | PROGRAM_VERSION_MINOR;
constexpr DWORD versionLow = static_cast<DWORD>(PROGRAM_VERSION_PATCH) << 16;

TEST(ReleaseProgram, CarriesItsVersionAndNameInChineseVersionInformation) {
    std::vector<BYTE> info = versionInfoOf(program);
    ASSERT_FALSE(info.empty()) << "no version information in the zipped program";

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    ASSERT_GE(size, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, versionHigh);
    EXPECT_EQ(fixed->dwFileVersionLS, versionLow);
    EXPECT_EQ(fixed->dwProductVersionMS, versionHigh);
    EXPECT_EQ(fixed->dwProductVersionLS, versionLow);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "no debug or pre-release flags";

    // One string table, Simplified Chinese in UTF-16, which Explorer's Details tab reads.
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translations), &size));
    ASSERT_EQ(size, sizeof(Translation));
    EXPECT_EQ(translations->language, 0x0804);
    EXPECT_EQ(translations->codePage, 1200);

    const std::wstring table = L"080404B0";
    const std::string title =
        "\xd1\xe3\xc7\xf0\xb3\xc7\xb0\xee\xb4\xf2\xd2\xb0\xb2\xbc\xd5\xf3\xb2\xe9"
        "\xd1\xaf";  // 雁丘城邦打野布阵查询
    EXPECT_EQ(stringValue(info, table, L"ProductName"), title);
    EXPECT_EQ(stringValue(info, table, L"FileDescription"), title);
    EXPECT_EQ(stringValue(info, table, L"FileVersion"), PROGRAM_VERSION);
    EXPECT_EQ(stringValue(info, table, L"ProductVersion"), PROGRAM_VERSION);
    EXPECT_EQ(stringValue(info, table, L"OriginalFilename"), "formation-finder.exe");
    EXPECT_EQ(stringValue(info, table, L"CompanyName"), SITE_HOST);
}

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;  // 1: icons
    WORD count;
};
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK takeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    auto& first = *reinterpret_cast<std::wstring*>(found);
    first = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
    return FALSE;
}

TEST(ReleaseProgram, ShowsItsOwnSixteenPixelIconFirst) {
    // Explorer shows the first icon group of the file.
    ASSERT_GE(ExtractIconExW(program.c_str(), -1, nullptr, nullptr, 0), 1u);
    HICON large = nullptr;
    HICON small = nullptr;
    ExtractIconExW(program.c_str(), 0, &large, &small, 1);
    const OwnedIcon largeIcon(large);
    const OwnedIcon smallIcon(small);
    ASSERT_TRUE(largeIcon);
    ASSERT_TRUE(smallIcon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(smallIcon.get(), &info));
    const OwnedBitmap colour(info.hbmColor);
    const OwnedBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    ASSERT_TRUE(GetObjectW(colour.get(), sizeof bitmap, &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 16);
    EXPECT_EQ(bitmap.bmHeight, 16);

    const OwnedModule module(LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
    std::wstring first;
    EnumResourceNamesW(module.get(), RT_GROUP_ICON, takeFirstName,
                       reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, L"DEFAULT_ICON");
    const HRSRC found = FindResourceW(module.get(), L"DEFAULT_ICON", RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    ASSERT_GE(SizeofResource(module.get(), found),
              sizeof(IconGroupHeader) + sizeof(IconGroupEntry));
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module.get(), found)));
    ASSERT_NE(group, nullptr);
    const auto* header = reinterpret_cast<const IconGroupHeader*>(group);
    const auto* entry = reinterpret_cast<const IconGroupEntry*>(group + sizeof(IconGroupHeader));
    EXPECT_EQ(header->type, 1);
    EXPECT_EQ(header->count, 1) << "one image";
    EXPECT_EQ(entry->width, 16);
    EXPECT_EQ(entry->height, 16);
    EXPECT_EQ(entry->bitCount, 32) << "with an alpha channel";
}

}  // namespace
