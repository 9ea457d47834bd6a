// The file port's contract on the in-memory model.
#include "tests/editor/file_contract.h"
#include "tests/fakes/memory_files.h"

namespace marlwick {
namespace {

class MemoryTarget final : public FileTarget {
  public:
    MemoryTarget() { files_.addFolder(kFolder); }

    FilePort& files() override { return files_; }
    std::string folder() override { return kFolder; }
    void makeFolder(const std::string& path) override { files_.addFolder(path); }
    void setReadOnly(const std::string& path) override { files_.setReadOnly(path); }
    void setLastWriteTime(const std::string& path, std::uint64_t time) override {
        files_.setLastWriteTime(path, time);
    }
    bool guardsReadOnlyFiles() override { return true; }
    std::optional<int> openHandles() override { return files_.openHandles(); }
    std::string shortPathOf(const std::string& path) override { return files_.shortPathOf(path); }

  private:
    static constexpr const char* kFolder = "E:\\Contract";
    fakes::MemoryFiles files_;
};

INSTANTIATE_TEST_SUITE_P(Memory, FileContract,
                         testing::Values(FileTargetKind{
                             "Memory", [] { return std::make_unique<MemoryTarget>(); }}),
                         [](const auto&) { return std::string("Memory"); });

} // namespace
} // namespace marlwick
