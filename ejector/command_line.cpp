#include "ejector/command_line.h"

#include "ejector/eject_engine.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace vandrel {
namespace {

constexpr std::string_view kDelimiters = " /;,-";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t start = text.find_first_not_of(kDelimiters);
    while (start != std::string_view::npos) {
        const std::size_t end = text.find_first_of(kDelimiters, start);
        tokens.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(kDelimiters, end);
    }
    return tokens;
}

bool EqualsIgnoringCase(std::string_view token, std::string_view word) {
    return std::ranges::equal(token, word, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// A to Z from the token's first character, in either case; 0 for anything else.
int DriveOfToken(std::string_view token) {
    const char first = token.front();
    if (first >= 'a' && first <= 'z')
        return first - 'a' + 1;
    if (first >= 'A' && first <= 'Z')
        return first - 'A' + 1;
    return 0;
}

} // namespace

std::string_view ArgumentText(std::string_view commandLine) {
    std::size_t end = 0;
    if (commandLine.starts_with('"')) {
        const std::size_t closing = commandLine.find('"', 1);
        end = closing == std::string_view::npos ? commandLine.size() : closing + 1;
    } else {
        while (end < commandLine.size() && !IsBlank(commandLine[end]))
            ++end;
    }
    while (end < commandLine.size() && IsBlank(commandLine[end]))
        ++end;
    return commandLine.substr(end);
}

bool ProcessCommandLine(EjectDevicePort& devices, std::string_view arguments) {
    if (arguments.empty())
        return false;
    bool checkMedia = false;
    for (const std::string_view token : Tokens(arguments)) {
        if (EqualsIgnoringCase(token, "all")) {
            for (int drive = 1; drive <= kDriveCount; ++drive)
                EjectDrive(devices, drive, checkMedia);
            break;
        }
        if (EqualsIgnoringCase(token, "check")) {
            checkMedia = true;
            continue;
        }
        if (const int drive = DriveOfToken(token))
            EjectDrive(devices, drive, checkMedia);
    }
    return true;
}

} // namespace vandrel
