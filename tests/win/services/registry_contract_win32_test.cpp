// The registry contract on the real registry and system, under Wine. The keys the tests
// create are removed before and after each test; ctest runs tests in parallel processes, so a
// named mutex lets one test at a time use them.
#include "services/win32/win32_registry.h"
#include "services/win32/win32_system.h"
#include "tests/services/registry_contract.h"

#include <windows.h>

namespace marlwick {
namespace {

HKEY rootHandle(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

class Win32Target final : public RegistryTarget {
  public:
    Win32Target() : turn_(CreateMutexA(nullptr, FALSE, "MarlwickRegistryContract")) {
        WaitForSingleObject(turn_, INFINITE);
        removeTestKeys();
    }
    ~Win32Target() override {
        removeTestKeys();
        for (const std::string& file : copies_)
            DeleteFileA(file.c_str());
        ReleaseMutex(turn_);
        CloseHandle(turn_);
    }
    Win32Target(const Win32Target&) = delete;
    Win32Target& operator=(const Win32Target&) = delete;

    RegistryPort& registry() override { return registry_; }
    SystemPort& system() override { return system_; }
    void setEnvironmentVariable(const std::string& name, const std::string& value) override {
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    // A copy of the shell's library, which holds many icons, under the wanted extension.
    std::string iconFile(const std::string& extension) override {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        const std::string file = std::string(folder) + "mwkcontract icons." + extension;
        if (!CopyFileA("C:\\windows\\system32\\shell32.dll", file.c_str(), FALSE))
            ADD_FAILURE() << "cannot copy the icon source";
        copies_.push_back(file);
        return file;
    }
    void releaseIcon(SystemPort::IconHandle icon) override {
        DestroyIcon(reinterpret_cast<HICON>(icon));
    }
    std::optional<std::size_t> openHandles() override { return std::nullopt; }

  private:
    static void removeTestKeys() {
        for (const auto& [root, path] : contract::kCreatedKeys)
            RegDeleteTreeA(rootHandle(root), path.c_str());
    }

    HANDLE turn_;
    Win32Registry registry_;
    Win32System system_;
    std::vector<std::string> copies_;
};

const RegistryTargetKind kWin32{"Win32", [] { return std::make_unique<Win32Target>(); }};

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract, testing::Values(kWin32),
                         [](const auto&) { return std::string("Win32"); });
INSTANTIATE_TEST_SUITE_P(Win32, FileTypeContract, testing::Values(kWin32),
                         [](const auto&) { return std::string("Win32"); });

} // namespace
} // namespace marlwick
