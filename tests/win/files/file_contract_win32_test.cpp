// The file port's contract on the real file system, under Wine.
#include "editor/win32/win32_file_port.h"
#include "tests/editor/file_contract.h"
#include "tests/win/files/test_folder.h"

#include <windows.h>

namespace marlwick {
namespace {

class Win32Target final : public FileTarget {
  public:
    FilePort& files() override { return files_; }
    std::string folder() override { return folder_.path(); }
    void makeFolder(const std::string& path) override {
        if (!CreateDirectoryA(path.c_str(), nullptr))
            ADD_FAILURE() << "cannot create " << path << ": error " << GetLastError();
    }
    void setReadOnly(const std::string& path) override {
        if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY))
            ADD_FAILURE() << "cannot make " << path << " read-only: error " << GetLastError();
    }
    void setLastWriteTime(const std::string& path, std::uint64_t time) override {
        HANDLE file =
            CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, 0, nullptr);
        const FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
        if (file == INVALID_HANDLE_VALUE || !SetFileTime(file, nullptr, nullptr, &stamp))
            ADD_FAILURE() << "cannot set the time of " << path << ": error " << GetLastError();
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    // Tried once on a file of the test's own.
    bool guardsReadOnlyFiles() override {
        const std::string probe = folder_.path() + "\\read-only probe";
        const std::string other = folder_.path() + "\\probe";
        for (const std::string& file : {probe, other})
            CloseHandle(
                CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        setReadOnly(probe);
        HANDLE writer =
            CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        const bool writeRefused = writer == INVALID_HANDLE_VALUE;
        if (!writeRefused)
            CloseHandle(writer);
        const bool replaceRefused =
            !MoveFileExA(other.c_str(), probe.c_str(), MOVEFILE_REPLACE_EXISTING);
        SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(probe.c_str());
        DeleteFileA(other.c_str());
        return writeRefused && replaceRefused;
    }
    std::optional<int> openHandles() override { return std::nullopt; }
    std::string shortPathOf(const std::string& path) override {
        char buffer[MAX_PATH] = {};
        const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            ADD_FAILURE() << "no short name for " << path << ": error " << GetLastError();
        return buffer;
    }

  private:
    TestFolder folder_;
    Win32FilePort files_;
};

INSTANTIATE_TEST_SUITE_P(Win32, FileContract,
                         testing::Values(FileTargetKind{
                             "Win32", [] { return std::make_unique<Win32Target>(); }}),
                         [](const auto&) { return std::string("Win32"); });

} // namespace
} // namespace marlwick
