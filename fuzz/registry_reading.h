// What a stored registry value must read as through clsSysRegistry, by the type rules.
#pragma once

#include "services/registry_variant.h"
#include "tests/fakes/memory_registry.h"

#include <optional>

namespace fuzz {

// The variant a value of this type and these bytes reads as; nothing when reading it must
// fail (a number stored in more than 4 bytes). Expandable strings are read as plain ones:
// the caller compares them only when they hold no "%".
std::optional<marlwick::RegistryVariant>
expectedRead(const marlwick::MemoryRegistry::StoredValue& stored);

} // namespace fuzz
