#include "tests/fakes/memory_host.h"

#include <utility>

namespace marlwick::fakes {

int MemoryHost::messageBox(const std::string& text, const std::string& caption,
                           std::uint32_t type) {
    boxes_.push_back({text, caption, type});
    if ((type & 0xF) != kMbYesNo)
        return kIdOk;
    if (duringQuestion_)
        std::exchange(duringQuestion_, nullptr)();
    if (answers_.empty()) {
        ++unanswered_;
        return kIdNo;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool MemoryHost::createProcess(const std::string& commandLine, std::uint16_t showWindow) {
    if (processStartsFail_)
        return false;
    processes_.push_back({commandLine, showWindow, slept_});
    return true;
}

} // namespace marlwick::fakes
