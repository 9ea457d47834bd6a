// The registry contract on the in-memory models.
#include "tests/fakes/memory_registry.h"
#include "tests/fakes/memory_system.h"
#include "tests/services/registry_contract.h"

namespace marlwick {
namespace {

class MemoryTarget final : public RegistryTarget {
  public:
    MemoryTarget() { system_.addFileWithoutIcons(contract::kFileWithoutIcons); }
    RegistryPort& registry() override { return registry_; }
    SystemPort& system() override { return system_; }
    void setEnvironmentVariable(const std::string& name, const std::string& value) override {
        system_.setEnvironmentVariable(name, value);
    }
    std::string iconFile(const std::string& extension) override {
        const std::string file = "C:\\Temp\\icons." + extension;
        system_.addIconSource(file, 4);
        return file;
    }
    void releaseIcon(SystemPort::IconHandle) override {}
    std::optional<std::size_t> openHandles() override { return registry_.openHandleCount(); }

  private:
    MemoryRegistry registry_;
    MemorySystem system_;
};

const RegistryTargetKind kMemory{"Memory", [] { return std::make_unique<MemoryTarget>(); }};

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract, testing::Values(kMemory),
                         [](const auto&) { return std::string("Memory"); });
INSTANTIATE_TEST_SUITE_P(Memory, FileTypeContract, testing::Values(kMemory),
                         [](const auto&) { return std::string("Memory"); });

} // namespace
} // namespace marlwick
