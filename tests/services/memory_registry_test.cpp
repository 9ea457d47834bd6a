// What the registry model offers tests beyond the port: injected failures, keys that refuse
// writing, and direct seeding and inspection.
#include "tests/fakes/memory_registry.h"

#include <gtest/gtest.h>

namespace marlwick {
namespace {

using Call = MemoryRegistry::Call;
using Port = RegistryPort;

constexpr Port::Key kUser = Port::kHkeyCurrentUser;

TEST(MemoryRegistryModel, AnInjectedFailureStartsAfterTheGivenCallsAndChangesNothing) {
    MemoryRegistry registry;
    registry.failCall(Call::setValue, Port::kErrorAccessDenied, 1);
    Port::Key key = 0;
    ASSERT_EQ(registry.createKey(kUser, "Software\\M", "", 0, Port::kKeyWrite, &key, nullptr), 0);
    const std::uint8_t data[2] = {'1', 0};
    EXPECT_EQ(registry.setValue(key, "a", Port::kRegSz, data, 2), 0);
    EXPECT_EQ(registry.setValue(key, "b", Port::kRegSz, data, 2), Port::kErrorAccessDenied);
    EXPECT_EQ(registry.setValue(key, "c", Port::kRegSz, data, 2), Port::kErrorAccessDenied);
    EXPECT_FALSE(registry.storedValue(kUser, "Software\\M", "b"));
    registry.clearFailures();
    EXPECT_EQ(registry.setValue(key, "b", Port::kRegSz, data, 2), 0);
    EXPECT_EQ(registry.closeKey(key), 0);
    EXPECT_EQ(registry.openHandleCount(), 0u);
}

TEST(MemoryRegistryModel, AWriteDeniedKeyRefusesChangesBelowItButStillReads) {
    MemoryRegistry registry;
    registry.putValue(kUser, "Software\\Q\\V", "ShowIcon", Port::kRegDword, "\1\0\0\0");
    registry.denyWriteAccess(kUser, "Software\\Q");
    Port::Key key = 0;
    EXPECT_EQ(registry.openKey(kUser, "Software\\Q\\V", 0, Port::kKeySetValue, &key),
              Port::kErrorAccessDenied);
    EXPECT_EQ(
        registry.createKey(kUser, "Software\\Q\\Neu", "", 0, Port::kKeySetValue, &key, nullptr),
        Port::kErrorAccessDenied);
    EXPECT_FALSE(registry.keyExists(kUser, "Software\\Q\\Neu"));
    ASSERT_EQ(registry.openKey(kUser, "software\\q\\v", 0, Port::kKeyQueryValue, &key), 0);
    std::uint32_t value = 0, size = sizeof value;
    EXPECT_EQ(registry.queryValue(key, "showicon", nullptr, reinterpret_cast<std::uint8_t*>(&value),
                                  &size),
              0);
    EXPECT_EQ(value, 1u);
    registry.closeKey(key);
    EXPECT_EQ(registry.openHandleCount(), 0u);
}

TEST(MemoryRegistryModel, GenericRightsGrantTheKeyRightsTheyStandFor) {
    MemoryRegistry registry;
    Port::Key key = 0;
    constexpr std::uint32_t genericRead = 0x80000000;
    ASSERT_EQ(registry.createKey(kUser, "Software\\G", "", 0, genericRead, &key, nullptr), 0);
    const std::uint8_t data[1] = {0};
    EXPECT_EQ(registry.setValue(key, "x", Port::kRegBinary, data, 1), Port::kErrorAccessDenied);
    char name[4];
    std::uint32_t nameSize = sizeof name;
    EXPECT_EQ(registry.enumKey(key, 0, name, &nameSize), Port::kErrorNoMoreItems);
    registry.closeKey(key);
}

} // namespace
} // namespace marlwick
