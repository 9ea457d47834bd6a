// Proves that the Windows tests really run, under Wine, with the build's text encoding.
#include "editor/document/textroutine.h"
#include "editor/system/whole_file.h"
#include "editor/win32/win32_file_port.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(WineRunner, RunsUnderWine) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    ASSERT_NE(ntdll, nullptr);
    using VersionFunction = const char* (*)();
    auto version = reinterpret_cast<VersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")));
    ASSERT_NE(version, nullptr) << "not running under Wine";
    EXPECT_STRNE(version(), "");
    std::printf("Wine %s\n", version());
}

TEST(WineRunner, UsesThePrivatePrefixAndAWindowsCodePage) {
    char windowsFolder[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windowsFolder, MAX_PATH), 0u);
    EXPECT_STRCASEEQ(windowsFolder, "C:\\windows");
    EXPECT_EQ(std::string("Schöne").size(), 6u);
    EXPECT_EQ(std::string("Schöne")[3], '\xF6');
}

TEST(WineRunner, SettingsFileBytesSurviveAnAnsiPath) {
    char folder[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "Stra\xDF"
                                                   "e settings.xml";
    const std::string bytes = "<Routing>\r\n\xE4\xF6\xFC\x80\n</Routing>\x1A";
    marlwick::Win32FilePort files;
    // A replacement replaces a file that is there.
    const marlwick::NewFile laid = marlwick::writeNewFileIn(files, folder, "old");
    ASSERT_TRUE(MoveFileExA(laid.path.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    ASSERT_EQ(marlwick::replaceWholeFile(files, path, bytes, "old").outcome,
              marlwick::ReplaceOutcome::Replaced);
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(marlwick::readWholeFile(files, path), bytes);
    EXPECT_EQ(marlwick::zerlege(bytes, "", "<Routing>", "", "</Routing>")[1],
              "\r\n\xE4\xF6\xFC\x80\n");
    DeleteFileA(path.c_str());
}

} // namespace
