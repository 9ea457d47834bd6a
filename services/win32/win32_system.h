// The system port on the real system: each call forwards to its Win32 namesake.
#pragma once

#include "services/system_port.h"

namespace marlwick {

class Win32System final : public SystemPort {
  public:
    std::uint32_t formatMessage(std::uint32_t flags, std::uint32_t messageId,
                                std::uint32_t languageId, char* buffer,
                                std::uint32_t size) override;
    std::uint32_t expandEnvironmentStrings(const char* source, char* destination,
                                           std::uint32_t size) override;
    IconHandle extractIcon(const char* file, std::uint32_t index) override;
    std::uint32_t getLastError() override;
};

} // namespace marlwick
