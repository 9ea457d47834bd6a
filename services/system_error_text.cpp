#include "services/system_error_text.h"

#include <algorithm>
#include <array>

namespace marlwick {

std::string systemErrorText(SystemPort& system, std::uint32_t code) {
    std::array<char, 512> text{};
    const std::uint32_t length = system.formatMessage(
        SystemPort::kFormatMessageFromSystem | SystemPort::kFormatMessageIgnoreInserts, code, 0,
        text.data(), static_cast<std::uint32_t>(text.size()));
    std::string shown(text.data(), std::min<std::size_t>(length, text.size()));
    shown.erase(shown.find_last_not_of(" \r\n") + 1);
    return shown;
}

} // namespace marlwick
