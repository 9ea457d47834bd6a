// The eject tool's command line with arbitrary text. Fields: the process command line, the
// drives (byte n for letter A + n: its type, and 0x08 for a medium), options (0x01 for the
// Windows 95 family).
// The argument text is what follows the program's name and its blanks; the requests reach the
// devices only for letters A to Z, in the order of the tokens, each after a media test once
// "check" was seen, and for "all" A to Z in order; nothing is left open and the error mode is
// put back.
#include "ejector/command_line.h"
#include "fuzz/eject_machine.h"
#include "fuzz/fuzz_support.h"

#include <string>
#include <vector>

namespace {

using namespace vandrel;

// The argument text by the rule: the program's name, quoted or up to the first blank, and the
// blanks after it go.
std::string_view expectedArguments(std::string_view line) {
    std::size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        at = line.find('"', 1);
        at = at == std::string_view::npos ? line.size() : at + 1;
    } else {
        while (at < line.size() && line[at] != ' ' && line[at] != '\t')
            ++at;
    }
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    return line.substr(at);
}

std::string lowered(std::string_view token) {
    std::string lower(token);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The ejections the tokens ask for, in order.
std::vector<fuzz::Ejection> expectedRequests(std::string_view arguments) {
    std::vector<fuzz::Ejection> requests;
    bool check = false;
    std::string token;
    const auto take = [&]() -> bool {
        if (token.empty())
            return true;
        const std::string word = lowered(token);
        const char first = word[0];
        token.clear();
        if (word == "all") {
            for (int drive = 1; drive <= 26; ++drive)
                requests.push_back({drive, check});
            return false;
        }
        if (word == "check")
            check = true;
        else if (first >= 'a' && first <= 'z')
            requests.push_back({first - 'a' + 1, check});
        return true;
    };
    for (char c : arguments) {
        if (std::string_view(" /;,-").find(c) != std::string_view::npos) {
            if (!take())
                return requests;
        } else {
            token += c;
        }
    }
    take();
    return requests;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    const std::string line(fields[0]);
    const bool nt = !(fields.option(2, 0) & 1);
    const auto drives = fuzz::drivesOf(fields[1]);
    EjectMemoryDevices devices(nt ? EjectDevicePort::kPlatformWin32Nt
                                  : EjectDevicePort::kPlatformWin32Windows);
    fuzz::addDrives(devices, drives);

    const std::string_view arguments = ArgumentText(line);
    fuzz::require(arguments == expectedArguments(line), "the arguments follow the program's name");
    fuzz::require(ProcessCommandLine(devices, arguments) == !arguments.empty(),
                  "the command-line mode runs whenever there are arguments");

    fuzz::requireLogged(devices, fuzz::expectedLog(expectedRequests(arguments), drives, nt));
    return 0;
}
