// clsSysRegistry decoding arbitrary stored types and bytes, through the in-memory registry.
// Fields: the key path under HKEY_CURRENT_USER, subkey names joined by "|", then triples of
// value name, type (its first byte) and data (0x01 for a NUL, see withNuls).
// Each value reads back as its type says; a value that cannot be read fails with the class's
// error and nothing else; what was read writes back and reads the same; the enumerations list
// what is stored; no key stays open after any call.
#include "fuzz/fuzz_support.h"
#include "fuzz/registry_reading.h"
#include "services/cls_sys_registry.h"
#include "tests/fakes/memory_registry.h"
#include "tests/fakes/memory_system.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

using namespace marlwick;
using Port = RegistryPort;

constexpr std::uint32_t kRoot = Port::kHkeyCurrentUser;
constexpr std::size_t kFirstValueField = 2;
constexpr std::size_t kMostValues = 16;

struct Machine {
    Machine() { system.setEnvironmentVariable("NAVI", "E:\\Navi"); }
    MemoryRegistry port;
    MemorySystem system;
    clsSysRegistry registry{port, system};
};

// Runs a call of the class; an error may come only as the class's own, named after one of its
// operations; afterwards no key is open.
template <typename Call> std::optional<RegistryVariant> attempt(Machine& on, Call&& call) {
    std::optional<RegistryVariant> result;
    try {
        result = call();
    } catch (const ServiceError& error) {
        fuzz::require(error.source.starts_with("cSysRegistry:"), "an error names the operation");
        fuzz::require(!error.description.empty(), "an error carries a description");
    }
    fuzz::require(on.port.openHandleCount() == 0, "no key stays open");
    return result;
}

// A path that starts with a backslash names no key: every read fails or finds nothing.
void requireUnusablePath(Machine& on, const std::string& key, const std::string& name) {
    fuzz::require(!attempt(on, [&] { return on.registry.GetRegistryValue(kRoot, key, name); }),
                  "a bad path fails the read");
    fuzz::require(!on.registry.HasKey(kRoot, key, name), "a bad path has no key");
    fuzz::require(on.port.openHandleCount() == 0, "no key stays open");
}

void requireValueReads(Machine& on, const std::string& key, const std::string& name) {
    const auto stored = on.port.storedValue(kRoot, key, name);
    fuzz::require(stored.has_value(), "a value put is stored");
    const auto read = attempt(on, [&] { return on.registry.GetRegistryValue(kRoot, key, name); });
    fuzz::require(on.registry.HasKey(kRoot, key, name), "HasKey finds a stored value");
    const auto expected = fuzz::expectedRead(*stored);
    if (stored->type == Port::kRegExpandSz) {
        if (std::get<std::string>(*expected).find('%') == std::string::npos)
            fuzz::require(read == expected, "an expandable string without % reads as stored");
        return;
    }
    fuzz::require(read == expected, "a value reads as its type says");
    if (!read || isEmpty(*read))
        return;
    attempt(on, [&] {
        on.registry.SetRegistryValue(kRoot, key, name, static_cast<std::int32_t>(stored->type),
                                     *read);
        return RegistryVariant{};
    });
    fuzz::require(attempt(on, [&] { return on.registry.GetRegistryValue(kRoot, key, name); }) ==
                      read,
                  "what was read writes back and reads the same");
}

void requireEnumerations(Machine& on, const std::string& key, std::size_t created) {
    const auto values = attempt(on, [&] { return on.registry.EnumValues(kRoot, key); });
    if (values && !isEmpty(*values)) {
        for (const auto& [name, type] : std::get<RegistryTable>(*values)) {
            const auto stored = on.port.storedValue(kRoot, key, name);
            fuzz::require(stored && std::to_string(stored->type) == type,
                          "each listed value is stored with the listed type");
        }
    }
    const auto keys = attempt(on, [&] { return on.registry.EnumKeys(kRoot, key); });
    if (keys && !isEmpty(*keys)) {
        const auto& names = std::get<RegistryList>(*keys);
        fuzz::require(names.size() <= created, "no subkey is listed twice");
        for (const std::string& name : names)
            fuzz::require(on.port.keyExists(kRoot, key + "\\" + name), "each listed subkey exists");
    }
}

std::vector<std::string> subkeyNames(std::string_view joined) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= joined.size()) {
        const std::size_t end = std::min(joined.find('|', start), joined.size());
        std::string name(joined.substr(start, end - start));
        std::ranges::replace(name, '\\', '/');
        if (!name.empty())
            names.push_back(name);
        start = end + 1;
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    Machine on;
    const std::string key(fields[0]);
    const std::vector<std::string> subkeys = subkeyNames(fields[1]);

    for (const std::string& name : subkeys)
        on.port.putValue(kRoot, key + "\\" + name, "", Port::kRegSz, "x");
    std::vector<std::string> names;
    for (std::size_t field = kFirstValueField; field < fields.count() && names.size() < kMostValues;
         field += 3) {
        names.emplace_back(fields[field]);
        on.port.putValue(kRoot, key, names.back(), fields.option(field + 1, 0),
                         fuzz::withNuls(fields[field + 2]));
    }
    for (const std::string& name : names)
        key.starts_with('\\') ? requireUnusablePath(on, key, name)
                              : requireValueReads(on, key, name);
    requireEnumerations(on, key, subkeys.size());
    return 0;
}
