// The file replacement against the real file system.
#include "editor/system/whole_file.h"
#include "editor/win32/win32_file_port.h"
#include "tests/win/files/test_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace marlwick {
namespace {

class RealFiles : public ::testing::Test {
  protected:
    Win32FilePort files;
    TestFolder testFolder;
    std::string folder = testFolder.path();
    std::string target = folder + "\\ApplicationSettings.xml";

    void SetUp() override {
        // A replacement replaces a file that is there, so the test lays it down itself.
        const NewFile laid = writeNewFileIn(files, folder, "old\r\n");
        ASSERT_TRUE(MoveFileA(laid.path.c_str(), target.c_str()));
    }
    bool temporaryLeft() { return testFolder.fileNames().size() != 1; }
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
    // The system, asked for a temporary name there, says the folder is none.
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
