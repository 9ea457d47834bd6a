#include "fuzz/registry_reading.h"

namespace fuzz {
namespace {

using namespace marlwick;
using Port = RegistryPort;

RegistryList listOf(std::string_view bytes) {
    for (int i = 0; i < 2 && bytes.ends_with('\0'); ++i)
        bytes.remove_suffix(1);
    RegistryList texts;
    if (bytes.empty())
        return texts;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\0', start)) != std::string_view::npos;
         start = end + 1)
        texts.emplace_back(bytes.substr(start, end - start));
    texts.emplace_back(bytes.substr(start));
    return texts;
}

std::optional<RegistryVariant> numberOf(std::string_view bytes) {
    if (bytes.size() > 4)
        return std::nullopt;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

} // namespace

std::optional<RegistryVariant> expectedRead(const MemoryRegistry::StoredValue& stored) {
    const std::string_view data = stored.data;
    switch (stored.type) {
    case Port::kRegSz:
    case Port::kRegExpandSz:
        return std::string(data.ends_with('\0') ? data.substr(0, data.size() - 1) : data);
    case Port::kRegBinary:
        return std::string(data);
    case Port::kRegDword:
        return numberOf(data);
    case Port::kRegMultiSz:
        return listOf(data);
    default:
        return RegistryVariant{};
    }
}

} // namespace fuzz
