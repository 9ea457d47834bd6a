#include "services/win32/win32_system.h"

#include <windows.h>

#include <shellapi.h>

namespace marlwick {
namespace {

// The port restates the platform's numbers so that portable code needs no <windows.h>.
static_assert(SystemPort::kFormatMessageIgnoreInserts == FORMAT_MESSAGE_IGNORE_INSERTS);
static_assert(SystemPort::kFormatMessageFromSystem == FORMAT_MESSAGE_FROM_SYSTEM);
static_assert(SystemPort::kErrorInvalidParameter == ERROR_INVALID_PARAMETER);
static_assert(SystemPort::kErrorInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);
static_assert(SystemPort::kErrorMrMidNotFound == ERROR_MR_MID_NOT_FOUND);

} // namespace

std::uint32_t Win32System::formatMessage(std::uint32_t flags, std::uint32_t messageId,
                                         std::uint32_t languageId, char* buffer,
                                         std::uint32_t size) {
    return FormatMessageA(flags, nullptr, messageId, languageId, buffer, size, nullptr);
}

std::uint32_t Win32System::expandEnvironmentStrings(const char* source, char* destination,
                                                    std::uint32_t size) {
    return ExpandEnvironmentStringsA(source, destination, size);
}

SystemPort::IconHandle Win32System::extractIcon(const char* file, std::uint32_t index) {
    return reinterpret_cast<IconHandle>(ExtractIconA(GetModuleHandleA(nullptr), file, index));
}

std::uint32_t Win32System::getLastError() {
    return GetLastError();
}

} // namespace marlwick
