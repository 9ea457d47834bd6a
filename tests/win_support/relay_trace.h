// Wine's relay trace read as the calls it records, for the tests that check which requests a
// program made of the system. A call's line reads
// "3476.934:0024:00f4:Call KERNEL32.CreateFileA(0021fb50 "\\\\.\\E:",...) ret=7b012345", the
// time stamp and the process only where WINEDEBUG asks for them (+timestamp, +pid), then the
// thread; texts stand escaped, as in C.
#pragma once

#include <string>
#include <vector>

namespace wintest {

struct RelayCall {
    unsigned milliseconds = 0;   // Wine's tick count at the call; 0 without time stamps
    unsigned long processId = 0; // 0 where the process is not logged
    std::string text;            // from the function's name on: DeviceIoControl(00000044,...)
};

std::vector<RelayCall> relayCalls(const std::string& trace);
// The calls of one function, such as "CreateFileA".
std::vector<RelayCall> callsOf(const std::vector<RelayCall>& calls, const std::string& function);
// The drive letters of the eject requests (the volume's eject control code), in their order;
// each is the drive whose volume was opened last before it.
std::string ejectRequests(const std::vector<RelayCall>& calls);

// Limits relay tracing to these calls ("KERNEL32.DeviceIoControl;..."), for the processes
// started with the relay channel on from then on. The setting stays in the Wine prefix.
void traceOnly(const std::string& calls);

} // namespace wintest
