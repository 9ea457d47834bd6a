// What every fuzz target shares: the input cut into fields, the properties' check, and the
// texts a computed number must never hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// The input split at every NUL byte, so that seeds stay readable files: field 0 up to the
// first NUL, field 1 up to the second, and so on. A field that is not there reads as empty.
class Fields {
  public:
    Fields(const std::uint8_t* data, std::size_t size);

    std::string_view operator[](std::size_t index) const;
    std::size_t count() const { return fields_.size(); }
    // Byte `at` of a field, as a small option; 0 when the field is shorter.
    std::uint8_t option(std::size_t field, std::size_t at) const;

  private:
    std::vector<std::string_view> fields_;
};

// A script of operations: the bytes of field 0 in turn (0 once they are used up), and the
// fields from firstText on as the texts the operations take, in turn.
class Script {
  public:
    Script(const Fields& fields, std::size_t firstText) : fields_(fields), nextText_(firstText) {}
    bool done() const { return at_ >= fields_[0].size(); }
    std::uint8_t byte() { return done() ? 0 : static_cast<std::uint8_t>(fields_[0][at_++]); }
    std::string text() { return std::string(fields_[nextText_++]); }

  private:
    const Fields& fields_;
    std::size_t at_ = 0;
    std::size_t nextText_;
};

// A value list's values: the text between each two "|", all of it without one.
std::vector<std::string_view> splitAtBars(std::string_view list);

// Bytes that may hold NULs, from a field that cannot: 0x01 stands for a NUL, the pair
// 0x01 0x02 for 0x01 itself.
std::string withNuls(std::string_view field);

// A settings text around its routing section as plain finds see it: up to and with the first
// "<Routing>", the section, and from the first "</Routing>" after it on.
struct RoutingParts {
    std::string_view head, section, tail;
};
std::optional<RoutingParts> routingParts(std::string_view text);

// Ends the run with the property's name when it does not hold; libFuzzer keeps the input.
void require(bool holds, std::string_view property);

// A number the program wrote itself: optional "-", digits, and at most one separator with
// digits after it. Never "inf", "nan" or an exponent.
bool isPlainDecimal(std::string_view text, char separator);

} // namespace fuzz
