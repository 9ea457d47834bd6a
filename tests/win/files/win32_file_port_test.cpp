// The file replacement against the real file system.
#include "editor/settings_file.h"
#include "editor/win32/win32_file_port.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace marlwick {
namespace {

class RealFiles : public ::testing::Test {
  protected:
    Win32FilePort files;
    std::string folder;
    std::string target;

    void SetUp() override {
        // Tests run in parallel: a folder each.
        folder = temporaryFolder(files) + "marlwick " +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder.c_str(), nullptr);
        target = folder + "\\ApplicationSettings.xml";
        ASSERT_EQ(replaceWholeFile(files, target, "old\r\n", "").outcome, ReplaceOutcome::Replaced);
    }
    void TearDown() override {
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        for (const std::string& name : filesInFolder())
            DeleteFileA((folder + "\\" + name).c_str());
        RemoveDirectoryA(folder.c_str());
    }
    std::vector<std::string> filesInFolder() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
    bool temporaryLeft() { return filesInFolder().size() != 1; }
};

TEST_F(RealFiles, ReplacesOverAnExistingFile) {
    const std::string text(100000, '\xE4');
    EXPECT_EQ(replaceWholeFile(files, target, text, "old\r\n").outcome, ReplaceOutcome::Replaced);
    EXPECT_EQ(readWholeFile(files, target), text);
    EXPECT_FALSE(temporaryLeft());
}

TEST_F(RealFiles, ReadOnlyFileKeepsItsBytes) {
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    const auto result = replaceWholeFile(files, target, "new", "old\r\n");
    EXPECT_EQ(result.outcome, ReplaceOutcome::Unchanged);
    EXPECT_EQ(result.failedStep, ReplaceStep::ReadOnly);
    EXPECT_EQ(readWholeFile(files, target), "old\r\n");
    EXPECT_FALSE(temporaryLeft());
}

TEST_F(RealFiles, MissingFolderFailsAtTheStart) {
    const std::string elsewhere = folder + "\\missing\\ApplicationSettings.xml";
    const auto result = replaceWholeFile(files, elsewhere, "new", "");
    EXPECT_EQ(result.outcome, ReplaceOutcome::Unchanged);
    EXPECT_EQ(result.failedStep, ReplaceStep::CreateTemporary);
    EXPECT_EQ(result.error, static_cast<std::uint32_t>(ERROR_DIRECTORY));
}

TEST_F(RealFiles, FileOpenElsewhereIsReadButNotReplaced) {
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(readWholeFile(files, target), "old\r\n");
    EXPECT_EQ(replaceWholeFile(files, target, "new", "old\r\n").outcome, ReplaceOutcome::Unchanged);
    CloseHandle(held);
    EXPECT_EQ(readWholeFile(files, target), "old\r\n");
    EXPECT_FALSE(temporaryLeft());
}

} // namespace
} // namespace marlwick
