// The registry port on the real registry: each call forwards to its Win32 namesake.
#pragma once

#include "services/registry_port.h"

namespace marlwick {

class Win32Registry final : public RegistryPort {
  public:
    Status openKey(Key key, const char* subKey, std::uint32_t options, std::uint32_t samDesired,
                   Key* result) override;
    Status createKey(Key key, const char* subKey, const char* className, std::uint32_t options,
                     std::uint32_t samDesired, Key* result, std::uint32_t* disposition) override;
    Status queryValue(Key key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* dataSize) override;
    Status setValue(Key key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t dataSize) override;
    Status deleteValue(Key key, const char* valueName) override;
    Status queryInfoKey(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                        std::uint32_t* values, std::uint32_t* maxValueNameLen,
                        std::uint32_t* maxValueLen) override;
    Status enumKey(Key key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
    Status enumValue(Key key, std::uint32_t index, char* valueName, std::uint32_t* valueNameSize,
                     std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
    Status closeKey(Key key) override;
};

} // namespace marlwick
