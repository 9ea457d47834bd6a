// The system calls around the registry that the registry class needs, modelled on their Win32
// namesakes: message texts (FormatMessageA), environment expansion
// (ExpandEnvironmentStringsA) and icon extraction (ExtractIconA), with the same arguments,
// results and size rules.
#pragma once

#include "services/system_codes.h"

#include <cstdint>

namespace marlwick {

class SystemPort {
  public:
    using IconHandle = std::uintptr_t;

    static constexpr std::uint32_t kFormatMessageIgnoreInserts = 0x0200;
    static constexpr std::uint32_t kFormatMessageFromSystem = 0x1000;

    static constexpr std::uint32_t kErrorInvalidParameter = system_codes::kErrorInvalidParameter;
    static constexpr std::uint32_t kErrorInsufficientBuffer = 122;
    static constexpr std::uint32_t kErrorMrMidNotFound = 317;

    virtual ~SystemPort() = default;

    // FormatMessageA without a source and without arguments: the number of characters written
    // (without the NUL), 0 on failure with the reason in getLastError.
    virtual std::uint32_t formatMessage(std::uint32_t flags, std::uint32_t messageId,
                                        std::uint32_t languageId, char* buffer,
                                        std::uint32_t size) = 0;

    // ExpandEnvironmentStringsA: the size needed in characters, NUL included; when that is
    // more than size the buffer holds no complete result. 0 on failure.
    virtual std::uint32_t expandEnvironmentStrings(const char* source, char* destination,
                                                   std::uint32_t size) = 0;

    // ExtractIconA with the program's own module as the instance: the icon at index of the
    // file, 0 when there is none; the platform may give 1 for a file that is no icon source.
    // The caller owns the icon.
    virtual IconHandle extractIcon(const char* file, std::uint32_t index) = 0;

    // GetLastError.
    virtual std::uint32_t getLastError() = 0;
};

} // namespace marlwick
