#include "editor/operations/eject_command.h"
#include "tests/editor/editor_fixture.h"

namespace marlwick {
namespace {

using fakes::MemoryFiles;
using fakes::MemoryHost;

class EjectCommand : public EditorFixture {
  protected:
    void SetUp() override {
        model.state.temporaryFolderPath = "C:\\Temp";
        model.state.targetPath = "E:\\Navi\\ApplicationSettings.xml";
        host.setModuleFileName("E:\\Marlwick.exe");
        files.addFile("E:\\Vandrl.exe", "new tool");
    }
};

TEST_F(EjectCommand, StartsTheToolFromTheTemporaryFolderAfterOneSecond) {
    EjectButtonClick(editor);
    ASSERT_EQ(host.processes().size(), 1u);
    EXPECT_EQ(host.processes()[0].commandLine, "\"C:\\Temp\\Vandrl.exe\" E:");
    EXPECT_EQ(host.processes()[0].showWindow, EditorHost::kSwShowMaximized);
    EXPECT_EQ(host.processes()[0].afterMilliseconds, 1000u);
    EXPECT_EQ(files.contents("C:\\Temp\\Vandrl.exe"), "new tool");
    EXPECT_TRUE(host.boxes().empty());
}

TEST_F(EjectCommand, CommandLineTakesTheFirstTwoCharacters) {
    EXPECT_EQ(ejectCommandLine("C:\\Temp\\", "E:\\x.xml"), "\"C:\\Temp\\Vandrl.exe\" E:");
    EXPECT_EQ(ejectCommandLine("C:\\Temp", ""), "\"C:\\Temp\\Vandrl.exe\" ");
    EXPECT_EQ(ejectCommandLine("C:\\Temp", "E"), "\"C:\\Temp\\Vandrl.exe\" E");
    EXPECT_EQ(ejectCommandLine("C:\\Dokumente und Einstellungen\\Temp", "\\\\server\\n\\a.xml"),
              "\"C:\\Dokumente und Einstellungen\\Temp\\Vandrl.exe\" \\\\");
}

TEST_F(EjectCommand, OlderCopyInTheTemporaryFolderIsReplaced) {
    files.addFile("C:\\Temp\\Vandrl.exe", "old tool");
    files.setLastWriteTime("C:\\Temp\\Vandrl.exe", 1);
    EjectButtonClick(editor);
    EXPECT_EQ(files.contents("C:\\Temp\\Vandrl.exe"), "new tool");
    EXPECT_EQ(host.processes().size(), 1u);
}

TEST_F(EjectCommand, NewerCopyInTheTemporaryFolderIsKept) {
    files.addFile("C:\\Temp\\Vandrl.exe", "newer tool");
    files.setLastWriteTime("E:\\Vandrl.exe", 1);
    EjectButtonClick(editor);
    EXPECT_EQ(files.contents("C:\\Temp\\Vandrl.exe"), "newer tool");
}

TEST_F(EjectCommand, CopyThatFailsStartsTheOneThere) {
    files.addFile("C:\\Temp\\Vandrl.exe", "running tool");
    files.setLastWriteTime("C:\\Temp\\Vandrl.exe", 1);
    files.failCall(MemoryFiles::Call::CopyFile, 32);
    EjectButtonClick(editor);
    EXPECT_EQ(files.contents("C:\\Temp\\Vandrl.exe"), "running tool");
    EXPECT_EQ(host.processes().size(), 1u);
}

TEST_F(EjectCommand, ToolFoundNowhereIsReported) {
    host.setModuleFileName("C:\\Programme\\Marlwick.exe");
    EjectButtonClick(editor);
    EXPECT_TRUE(host.processes().empty());
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_NE(host.boxes()[0].text.find("C:\\Temp\\Vandrl.exe"), std::string::npos);
}

TEST_F(EjectCommand, FailedStartIsReported) {
    host.failProcessStarts();
    EjectButtonClick(editor);
    EXPECT_EQ(host.boxes().size(), 1u);
}

} // namespace
} // namespace marlwick
