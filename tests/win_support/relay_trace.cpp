#include "tests/win_support/relay_trace.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <sstream>

namespace wintest {
namespace {

// What leads the call, "3476.934:0024:00f4": the time stamp and the process where they are
// logged, then the thread.
RelayCall callHeadedBy(const std::string& leading) {
    RelayCall call;
    unsigned seconds = 0, milliseconds = 0;
    int stampLength = 0;
    if (std::sscanf(leading.c_str(), "%u.%u:%n", &seconds, &milliseconds, &stampLength) == 2)
        call.milliseconds = seconds * 1000 + milliseconds;
    unsigned long process = 0, thread = 0;
    if (std::sscanf(leading.c_str() + stampLength, "%lx:%lx", &process, &thread) == 2)
        call.processId = process;
    return call;
}

// Other lines of the relay channel ("Call PE DLL (...)", "Call window proc ...") name no
// function with its module.
std::optional<RelayCall> callOf(const std::string& line) {
    const std::string marker = ":Call ";
    const auto call = line.find(marker);
    if (call == std::string::npos)
        return std::nullopt;
    const std::string named = line.substr(call + marker.size());
    const auto dot = named.find('.');
    const auto end = named.rfind(") ret=");
    if (dot == std::string::npos || end == std::string::npos || named.find(' ') < dot)
        return std::nullopt;
    RelayCall found = callHeadedBy(line.substr(0, call));
    found.text = named.substr(dot + 1, end - dot);
    return found;
}

} // namespace

std::vector<RelayCall> relayCalls(const std::string& trace) {
    std::vector<RelayCall> calls;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        if (auto call = callOf(line))
            calls.push_back(std::move(*call));
    }
    return calls;
}

std::vector<RelayCall> callsOf(const std::vector<RelayCall>& calls, const std::string& function) {
    std::vector<RelayCall> matching;
    std::ranges::copy_if(calls, std::back_inserter(matching), [&](const RelayCall& call) {
        return call.text.starts_with(function + "(");
    });
    return matching;
}

// The volume \\.\E: stands escaped: "\\\\.\\E:".
std::string ejectRequests(const std::vector<RelayCall>& calls) {
    const std::string volumePrefix = "\"\\\\\\\\.\\\\";
    const std::string ejectMedia = ",00074808,";
    std::string drives;
    char opened = '?';
    for (const RelayCall& call : calls) {
        const auto volume = call.text.find(volumePrefix);
        if (call.text.starts_with("CreateFileA(") && volume != std::string::npos)
            opened = call.text[volume + volumePrefix.size()];
        else if (call.text.starts_with("DeviceIoControl(") &&
                 call.text.find(ejectMedia) != std::string::npos)
            drives += opened;
    }
    return drives;
}

void traceOnly(const std::string& calls) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\Debug", "RelayInclude", REG_SZ,
                    calls.c_str(), static_cast<DWORD>(calls.size() + 1));
}

} // namespace wintest
