// The system's values that more than one port passes on, each stated once here: error codes
// and the arguments of opening a file. A port names those it uses; its Win32 implementation
// checks them against the platform's headers.
#pragma once

#include <cstdint>

namespace marlwick::system_codes {

using Handle = std::uintptr_t;
inline constexpr Handle kInvalidHandle = ~Handle{0};

inline constexpr std::uint32_t kGenericRead = 0x80000000;
inline constexpr std::uint32_t kOpenExisting = 3;

inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorNotEnoughMemory = 8;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;

} // namespace marlwick::system_codes
