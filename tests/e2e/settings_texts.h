// Settings files the scenarios hand to the editor, and the bytes a file must hold afterwards,
// made from the sample by plain text replacement, the way a person would edit it.
#pragma once

#include <string>

namespace e2e {

// The text with the first occurrence of from after the first occurrence of anchor replaced;
// throws when either is missing, so that a scenario never compares against a wrong file.
std::string replacedAfter(const std::string& text, const std::string& anchor,
                          const std::string& from, const std::string& to);

// What lies between "<Routing>" and "</Routing>", and the text with that part exchanged.
std::string routingSectionOf(const std::string& text);
std::string withRoutingSection(const std::string& text, const std::string& section);

// The sample with Car Fast's five vehicle lists changed.
std::string withOtherCarFastVehicle(const std::string& text);

// A second settings file: the sample with other Car Fast vehicle values, another Fastest
// route, another toll-road setting, and another language outside the routing section.
std::string secondSettingsFile();

} // namespace e2e
