#include "editor/system/whole_file.h"
#include "tests/fakes/memory_files.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace marlwick {
namespace {

using fakes::MemoryFiles;
using Call = MemoryFiles::Call;

const std::string kTarget = "E:\\Navi\\ApplicationSettings.xml";
const std::string kOld = "<Routing>\r\n<City>1|2</City>\r\n</Routing>\xE4";
const std::string kNew = "<Routing>\r\n<City>1|3</City>\r\n</Routing>\xE4";

class WholeFile : public ::testing::Test {
  protected:
    MemoryFiles files;
    void SetUp() override { files.addFile(kTarget, kOld); }

    void expectOldBytesAndNoLeftovers() {
        EXPECT_EQ(files.contents(kTarget), kOld);
        EXPECT_EQ(files.filesIn("E:\\Navi"), std::vector<std::string>{"ApplicationSettings.xml"});
        EXPECT_EQ(files.openHandles(), 0);
    }
};

TEST_F(WholeFile, ReadsEveryByteAsItIs) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += std::string_view("\r\n\n\r\x1A\0tail\0", 11);
    files.addFile("C:\\x.xml", bytes);
    EXPECT_EQ(readWholeFile(files, "C:\\x.xml"), bytes);
    EXPECT_EQ(readWholeFile(files, "C:\\missing.xml"), std::nullopt);
    EXPECT_EQ(readWholeFile(files, "C:\\Temp"), std::nullopt);
    EXPECT_EQ(files.openHandles(), 0);
}

TEST_F(WholeFile, FoldersAreNoFiles) {
    EXPECT_TRUE(fileExists(files, kTarget));
    EXPECT_TRUE(fileExists(files, "e:\\navi\\applicationsettings.XML"));
    EXPECT_FALSE(fileExists(files, "E:\\Navi"));
    EXPECT_FALSE(fileExists(files, ""));
}

TEST_F(WholeFile, FailedReadGivesNothing) {
    files.failCall(Call::ReadFile, 23);
    EXPECT_EQ(readWholeFile(files, kTarget), std::nullopt);
    EXPECT_EQ(files.openHandles(), 0);
}

TEST_F(WholeFile, TemporaryFolderOfAnyLength) {
    EXPECT_EQ(temporaryFolder(files), "C:\\Temp\\");
    const std::string deep = "C:\\" + std::string(300, 'd') + "\\";
    files.setTempFolder(deep);
    EXPECT_EQ(temporaryFolder(files), deep);
}

TEST_F(WholeFile, ReplacesAndVerifies) {
    const auto result = replaceWholeFile(files, kTarget, kNew, kOld);
    EXPECT_EQ(result.outcome, ReplaceOutcome::Replaced);
    EXPECT_EQ(files.contents(kTarget), kNew);
    EXPECT_EQ(files.filesIn("E:\\Navi"), std::vector<std::string>{"ApplicationSettings.xml"});
    EXPECT_EQ(files.openHandles(), 0);
}

TEST_F(WholeFile, EveryFailingStepLeavesTheOldBytes) {
    // Each call that the replacement makes, failed in turn, occurrence by occurrence.
    const Call calls[] = {Call::GetFullPathName, Call::GetTempFileName,  Call::CreateFile,
                          Call::WriteFile,       Call::FlushFileBuffers, Call::CloseHandle,
                          Call::MoveFileEx};
    int tried = 0;
    for (const Call call : calls) {
        for (int occurrence = 1; occurrence <= 3; ++occurrence) {
            MemoryFiles fresh;
            fresh.addFile(kTarget, kOld);
            fresh.failCall(call, FilePort::kErrorDiskFull, occurrence);
            const auto result = replaceWholeFile(fresh, kTarget, kNew, kOld);
            if (result.outcome == ReplaceOutcome::Replaced)
                continue; // the call did not happen that often before the end
            ++tried;
            SCOPED_TRACE(testing::Message()
                         << "call " << static_cast<int>(call) << " #" << occurrence);
            EXPECT_EQ(fresh.contents(kTarget), kOld);
            EXPECT_EQ(fresh.filesIn("E:\\Navi").size(), 1u);
            EXPECT_EQ(fresh.openHandles(), 0);
        }
    }
    std::printf("faults tried: %d\n", tried);
    EXPECT_GE(tried, 6);
}

TEST_F(WholeFile, PowerCutAtAnyCallLeavesOldOrNewNeverPartial) {
    int cuts = 0;
    for (int call = 1;; ++call) {
        MemoryFiles fresh;
        fresh.addFile(kTarget, kOld);
        fresh.cutPowerAtCall(call);
        try {
            replaceWholeFile(fresh, kTarget, kNew, kOld);
            break; // the whole replacement ran before this call number
        } catch (const fakes::PowerCut&) {
            ++cuts;
        }
        const auto after = fresh.contents(kTarget);
        ASSERT_TRUE(after == kOld || after == kNew) << "cut at call " << call;
    }
    std::printf("power cuts tried: %d\n", cuts);
    EXPECT_GE(cuts, 6);
}

TEST_F(WholeFile, FullMediumLeavesTheOldBytes) {
    files.setFreeBytes(kOld.size() + 5);
    const auto result = replaceWholeFile(files, kTarget, kNew, kOld);
    EXPECT_EQ(result.outcome, ReplaceOutcome::Unchanged);
    EXPECT_EQ(result.failedStep, ReplaceStep::Write);
    EXPECT_EQ(result.error, FilePort::kErrorDiskFull);
    expectOldBytesAndNoLeftovers();
}

TEST_F(WholeFile, ReadOnlyFileIsNotReplaced) {
    MemoryFiles readOnly;
    readOnly.addFile(kTarget, kOld, true);
    const auto result = replaceWholeFile(readOnly, kTarget, kNew, kOld);
    EXPECT_EQ(result.outcome, ReplaceOutcome::Unchanged);
    EXPECT_EQ(result.failedStep, ReplaceStep::ReadOnly);
    EXPECT_EQ(readOnly.contents(kTarget), kOld);
    EXPECT_EQ(readOnly.filesIn("E:\\Navi").size(), 1u);
}

TEST_F(WholeFile, WrongReadBackPutsTheOldBytesBack) {
    files.damageReadsOf(kTarget, 1, 1); // the compare before the move reads well
    const auto result = replaceWholeFile(files, kTarget, kNew, kOld);
    EXPECT_EQ(result.outcome, ReplaceOutcome::RestoredOld);
    expectOldBytesAndNoLeftovers();
}

TEST_F(WholeFile, MediumThatNeverReadsBackIsReported) {
    files.damageReadsOf(kTarget, 1000, 1);
    const auto result = replaceWholeFile(files, kTarget, kNew, kOld);
    EXPECT_EQ(result.outcome, ReplaceOutcome::RestoreFailed);
    EXPECT_EQ(files.openHandles(), 0);
}

TEST_F(WholeFile, AnotherProgramsBytesBeforeTheMoveAreNeverReplaced) {
    // Written at any step before the move, or after a read-back that went wrong and before the
    // old bytes would go back.
    const std::string kOther = "<Settings>of another program</Settings>";
    const struct {
        Call call;
        int occurrence;
        ReplaceOutcome outcome;
    } cases[] = {
        {Call::GetFullPathName, 1, ReplaceOutcome::ChangedMeanwhile},
        {Call::WriteFile, 1, ReplaceOutcome::ChangedMeanwhile},
        {Call::CloseHandle, 1, ReplaceOutcome::ChangedMeanwhile},
        {Call::GetFullPathName, 2, ReplaceOutcome::LeftAsFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "call " << static_cast<int>(c.call) << " #" << c.occurrence);
        MemoryFiles fresh;
        fresh.addFile(kTarget, kOld);
        fresh.damageReadsOf(kTarget, 1, 1);
        fresh.duringCall(
            c.call, [&] { fresh.addFile(kTarget, kOther); }, c.occurrence);
        EXPECT_EQ(replaceWholeFile(fresh, kTarget, kNew, kOld).outcome, c.outcome);
        EXPECT_EQ(fresh.contents(kTarget), kOther);
        EXPECT_EQ(fresh.filesIn("E:\\Navi").size(), 1u);
        EXPECT_EQ(fresh.openHandles(), 0);
    }
}

TEST_F(WholeFile, FilesBesideTheTargetKeepTheirBytes) {
    // Whatever they are called, also after a replacement that had to put the old bytes back.
    for (const char* name : {"ApplicationSettings.xml.tmp", "mwk3A8.tmp", "mwk3A9.tmp"})
        files.addFile("E:\\Navi\\" + std::string(name), name);
    files.damageReadsOf(kTarget, 1, 1);
    EXPECT_EQ(replaceWholeFile(files, kTarget, kNew, kOld).outcome, ReplaceOutcome::RestoredOld);
    EXPECT_EQ(replaceWholeFile(files, kTarget, kNew, kOld).outcome, ReplaceOutcome::Replaced);
    EXPECT_EQ(files.contents(kTarget), kNew);
    EXPECT_EQ(files.filesIn("E:\\Navi").size(), 4u);
    for (const char* name : {"ApplicationSettings.xml.tmp", "mwk3A8.tmp", "mwk3A9.tmp"})
        EXPECT_EQ(files.contents("E:\\Navi\\" + std::string(name)), name);
}

TEST_F(WholeFile, TemporaryFileLiesInTheTargetsFolderHoweverThePathIsWritten) {
    // The longest path the system opens, a medium's root folder, other spellings of a folder,
    // and one too long for the system's temporary names.
    const std::string longFolder = "E:\\" + std::string(FilePort::kMaxTempFolder, 'd');
    const struct {
        std::string target;
        std::string folder;
    } cases[] = {
        {"E:\\" + std::string(FilePort::kMaxPath - 1 - 27, 'd') + "\\ApplicationSettings.xml",
         "E:\\" + std::string(FilePort::kMaxPath - 1 - 27, 'd')},
        {"E:\\ApplicationSettings.xml", "E:\\"},
        {"E:/Navi/ApplicationSettings.xml", "E:\\Navi"},
        {"E:ApplicationSettings.xml", "E:\\Navi"},
        {"\\\\pc\\card\\ApplicationSettings.xml", "\\\\pc\\card"},
        {longFolder + "\\a.xml", longFolder},
    };
    files.setCurrentFolder("E:\\Navi");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        files.addFile(c.target, kOld);
        EXPECT_EQ(replaceWholeFile(files, c.target, kNew, kOld).outcome, ReplaceOutcome::Replaced);
        EXPECT_EQ(files.contents(c.target), kNew);
        EXPECT_EQ(files.filesIn(c.folder).size(), 1u);
        EXPECT_TRUE(files.filesIn("C:\\").empty());
    }
}

} // namespace
} // namespace marlwick
