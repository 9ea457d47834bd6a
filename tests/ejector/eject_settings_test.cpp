#include "ejector/eject_settings.h"
#include "tests/fakes/memory_registry.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace vandrel {
namespace {

using marlwick::MemoryRegistry;
using marlwick::RegistryPort;

constexpr auto kHkcu = RegistryPort::kHkeyCurrentUser;
const char* const kNames[] = {"ShowIcon",     "CheckForMedia",  "EjectOnShutdown",
                              "EjectOnClick", "ShutdownDrives", "IconClickDrives"};

std::string Dword(std::uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

EjectSettings Loaded(MemoryRegistry& registry) {
    EjectSettings settings;
    settings.ShowIcon = 42; // whatever was there before is replaced
    LoadSettings(registry, settings);
    EXPECT_EQ(registry.openHandleCount(), 0u);
    return settings;
}

EjectSettings Sample() {
    EjectSettings settings;
    settings.ShowIcon = 0;
    settings.CheckForMedia = 0;
    settings.EjectOnShutdown = 0;
    settings.EjectOnClick = 1;
    settings.ShutdownDrives = 0x10;
    settings.IconClickDrives = 0;
    return settings;
}

struct Stored {
    const char* name;
    std::uint32_t type;
    std::string data;
};

std::vector<Stored> SixDwords(const std::array<std::uint32_t, 6>& values) {
    std::vector<Stored> stored;
    for (std::size_t i = 0; i < values.size(); ++i)
        stored.push_back({kNames[i], RegistryPort::kRegDword, Dword(values[i])});
    return stored;
}

TEST(LoadSettings, TakesUpToFourBytesOfEachValueOverItsDefault) {
    struct Row {
        const char* what;
        std::vector<Stored> stored;
        EjectSettings expected;
    };
    const Row rows[] = {
        // The defaults, in the order of the fields.
        {"no key", {}, {1, 1, 1, 2, 0xFFFFFFFF, 0xFFFFFFFF}},
        {"six dwords", SixDwords({0, 0, 0, 1, 0x10, 0}), Sample()},
        {"missing or oversized",
         {{"ShowIcon", RegistryPort::kRegSz, std::string("0\0ab", 5)},
          {"EjectOnClick", RegistryPort::kRegDword, Dword(0)},
          {"ShutdownDrives", RegistryPort::kRegBinary, Dword(8) + "x"}},
         {.EjectOnClick = 0}},
        // A text of one character and its NUL: two bytes laid over the default 1.
        {"whatever the type",
         {{"ShowIcon", RegistryPort::kRegSz, std::string("0\0", 2)},
          {"CheckForMedia", RegistryPort::kRegBinary, std::string("\0", 1)},
          {"IconClickDrives", RegistryPort::kRegBinary, Dword(0x20)}},
         {.ShowIcon = 0x30, .CheckForMedia = 0, .IconClickDrives = 0x20}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        MemoryRegistry registry;
        for (const Stored& value : row.stored)
            registry.putValue(kHkcu, kSettingsKey, value.name, value.type, value.data);
        EXPECT_EQ(Loaded(registry), row.expected);
    }
}

TEST(LoadSettings, ReadsInTheOrderOfTheTable) {
    MemoryRegistry registry;
    for (const char* name : kNames)
        registry.putValue(kHkcu, kSettingsKey, name, RegistryPort::kRegDword, Dword(0));
    // From the third read on every read fails: the first two come from the registry.
    registry.failCall(MemoryRegistry::Call::queryValue, RegistryPort::kErrorFileNotFound, 2);
    const EjectSettings settings = Loaded(registry);
    EXPECT_EQ(settings.ShowIcon, 0);
    EXPECT_EQ(settings.CheckForMedia, 0);
    EXPECT_EQ(settings.EjectOnShutdown, 1);
    EXPECT_EQ(settings.IconClickDrives, kAllDrives);
}

TEST(SaveSettings, WritesSixFourByteDwordsThatLoadBack) {
    MemoryRegistry registry;
    SaveSettings(registry, Sample());
    EXPECT_EQ(registry.openHandleCount(), 0u);
    const std::uint32_t expected[] = {0, 0, 0, 1, 0x10, 0};
    for (int i = 0; i < 6; ++i) {
        const auto stored = registry.storedValue(kHkcu, kSettingsKey, kNames[i]);
        ASSERT_TRUE(stored) << kNames[i];
        EXPECT_EQ(stored->type, RegistryPort::kRegDword);
        EXPECT_EQ(stored->data, Dword(expected[i])) << kNames[i];
    }
    EXPECT_EQ(Loaded(registry), Sample());
}

TEST(SaveSettings, DefaultsStoreAllOnesMasks) {
    MemoryRegistry registry;
    SaveSettings(registry, EjectSettings{});
    EXPECT_EQ(registry.storedValue(kHkcu, kSettingsKey, "ShutdownDrives")->data, Dword(0xFFFFFFFF));
    EXPECT_EQ(registry.storedValue(kHkcu, kSettingsKey, "EjectOnClick")->data, Dword(2));
}

TEST(SaveSettings, AKeyThatCannotBeWrittenIsPassedOverSilently) {
    MemoryRegistry registry;
    registry.denyWriteAccess(kHkcu, "Software\\Quillon");
    SaveSettings(registry, Sample());
    EXPECT_FALSE(registry.keyExists(kHkcu, kSettingsKey));
    EXPECT_EQ(registry.openHandleCount(), 0u);
}

TEST(SaveSettings, FailedWritesDoNotStopTheOthers) {
    MemoryRegistry registry;
    registry.failCall(MemoryRegistry::Call::setValue, RegistryPort::kErrorAccessDenied);
    SaveSettings(registry, Sample());
    EXPECT_EQ(registry.openHandleCount(), 0u);
    registry.clearFailures();
    SaveSettings(registry, Sample());
    EXPECT_EQ(Loaded(registry), Sample());
}

} // namespace
} // namespace vandrel
