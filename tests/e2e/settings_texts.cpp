#include "tests/e2e/settings_texts.h"

#include "tests/e2e/machine.h"

#include <stdexcept>

namespace e2e {

namespace {

constexpr const char* kRoutingStart = "<Routing>";
constexpr const char* kRoutingEnd = "</Routing>";

std::size_t findOrThrow(const std::string& text, const std::string& what, std::size_t from) {
    const auto at = text.find(what, from);
    if (at == std::string::npos)
        throw std::runtime_error("the settings text holds no " + what);
    return at;
}

} // namespace

std::string replacedAfter(const std::string& text, const std::string& anchor,
                          const std::string& from, const std::string& to) {
    const auto at = findOrThrow(text, from, findOrThrow(text, anchor, 0));
    std::string replaced = text;
    replaced.replace(at, from.size(), to);
    return replaced;
}

std::string routingSectionOf(const std::string& text) {
    const auto start = findOrThrow(text, kRoutingStart, 0) + std::string(kRoutingStart).size();
    return text.substr(start, findOrThrow(text, kRoutingEnd, start) - start);
}

std::string withRoutingSection(const std::string& text, const std::string& section) {
    const auto start = findOrThrow(text, kRoutingStart, 0) + std::string(kRoutingStart).size();
    std::string replaced = text;
    replaced.replace(start, findOrThrow(text, kRoutingEnd, start) - start, section);
    return replaced;
}

std::string withOtherCarFastVehicle(const std::string& text) {
    const std::string carFast = "<Name>Car Fast</Name>";
    std::string changed = text;
    changed = replacedAfter(changed, carFast, "<City>50|50|50|50|40|30|20|10</City>",
                            "<City>55|55|52|50|40|30|20|10</City>");
    changed = replacedAfter(changed, carFast, "<Open>130|110|100|90|80|60|30|15</Open>",
                            "<Open>140|120|100|90|80|60|30|15</Open>");
    changed =
        replacedAfter(changed, carFast, "<Special>0|1|0|1</Special>", "<Special>1|1|0|1</Special>");
    changed = replacedAfter(changed, carFast, "<City>1.2|1.15|", "<City>1.25|1.15|");
    changed = replacedAfter(changed, carFast, "<Open>1.3|1.2|", "<Open>1.35|1.2|");
    return changed;
}

std::string secondSettingsFile() {
    std::string text = withOtherCarFastVehicle(sampleSettings());
    text = replacedAfter(text, "<Name>Fastest</Name>", "<City>1.0|1.0|", "<City>1.1|1.0|");
    text = replacedAfter(text, kRoutingStart, "<AvoidTollRoads>false", "<AvoidTollRoads>true");
    return replacedAfter(text, "<General>", "<Language>Deutsch", "<Language>English");
}

} // namespace e2e
