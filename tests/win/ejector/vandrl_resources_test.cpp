// The version record of the built Vandrl.exe, and the icons of both built programs.
#include "editor/win32/resource.h"
#include "ejector/resource.h"
#include "tests/win/ejector/vandrl_program.h"
#include "tests/win_support/wine_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vandrel {
namespace {

// version.dll's calls, found at run time: the test program does not link it.
struct VersionLibrary {
    using SizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
    using InfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
    using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

    VersionLibrary() : module(LoadLibraryA("version.dll")) {}
    template <typename F> F find(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    HMODULE module;
};

class VandrlVersion : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto size = version.find<VersionLibrary::SizeFunction>("GetFileVersionInfoSizeA");
        const auto info = version.find<VersionLibrary::InfoFunction>("GetFileVersionInfoA");
        ASSERT_TRUE(size && info);
        const std::string path = VandrlPath();
        DWORD ignored = 0;
        data.resize(size(path.c_str(), &ignored));
        ASSERT_FALSE(data.empty()) << path;
        ASSERT_TRUE(info(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    }

    std::string Text(const char* name) {
        const auto query = version.find<VersionLibrary::QueryFunction>("VerQueryValueA");
        char* value = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
        if (!query(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            return "(missing)";
        return value;
    }

    VS_FIXEDFILEINFO Fixed() {
        const auto query = version.find<VersionLibrary::QueryFunction>("VerQueryValueA");
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        query(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length);
        return fixed ? *fixed : VS_FIXEDFILEINFO{};
    }

    VersionLibrary version;
    std::vector<char> data;
};

TEST_F(VandrlVersion, NamesTheProgramAndItsVersions) {
    const VS_FIXEDFILEINFO fixed = Fixed();
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00020000u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010002u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(Text("FileVersion"), "1.22");
    EXPECT_EQ(Text("ProductVersion"), "1.2");
    EXPECT_EQ(Text("ProductName"), "Vandrel");
    EXPECT_EQ(Text("InternalName"), "Vandrel");
    EXPECT_EQ(Text("OriginalFilename"), "Vandrl.exe");
}

// The image sizes of an icon resource, from its group directory.
std::vector<int> IconSizes(HMODULE module, int id) {
    const HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    if (!group)
        return {};
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const WORD count = *reinterpret_cast<const WORD*>(bytes + 4);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const BYTE width = bytes[6 + i * 14];
        sizes.push_back(width == 0 ? 256 : width);
    }
    return sizes;
}

TEST(ProgramIcons, HaveTheirSizes) {
    const HMODULE editor =
        LoadLibraryExA(wintest::builtProgram("Marlwick.exe").c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    struct Icon {
        const char* name;
        HMODULE program;
        int id;
        std::vector<int> sizes;
    };
    const std::vector<Icon> icons = {
        {"main", VandrlResources(), IDI_MAIN, {32, 16}},
        {"small", VandrlResources(), IDI_SMALL, {16}},
        {"icon click", VandrlResources(), IDI_ICON_CLICK, {16}},
        {"shutdown", VandrlResources(), IDI_SHUTDOWN, {16}},
        // The editor's window icon of 32 by 32 pixels, and its small one.
        {"editor", editor, IDI_MARLWICK, {32, 16}},
    };
    for (const Icon& icon : icons) {
        SCOPED_TRACE(icon.name);
        ASSERT_NE(icon.program, nullptr);
        EXPECT_EQ(IconSizes(icon.program, icon.id), icon.sizes);
    }
    FreeLibrary(editor);
}

} // namespace
} // namespace vandrel
