// The editor's host as a test sees it: message boxes answered from a list and recorded,
// pauses added up, processes recorded instead of started, a clock that stands still.
#pragma once

#include "editor/system/editor_host.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace marlwick::fakes {

class MemoryHost : public EditorHost {
  public:
    struct Box {
        std::string text;
        std::string caption;
        std::uint32_t type;
    };
    struct Process {
        std::string commandLine;
        std::uint16_t showWindow;
        std::uint32_t afterMilliseconds; // pauses before the start, added up
    };

    // Answers for the coming message boxes, in order; an OK box takes none. A question
    // without an answer left is a test fault and answered No.
    void answer(std::initializer_list<int> answers) { answers_.insert(answers_.end(), answers); }
    void failProcessStarts() { processStartsFail_ = true; }
    // Done while the next question is open, as another program may meanwhile.
    void duringNextQuestion(std::function<void()> action) { duringQuestion_ = std::move(action); }
    void setModuleFileName(std::string path) { moduleFileName_ = std::move(path); }

    const std::vector<Box>& boxes() const { return boxes_; }
    const std::vector<Process>& processes() const { return processes_; }
    std::uint32_t sleptMilliseconds() const { return slept_; }
    int unansweredQuestions() const { return unanswered_; }

    int messageBox(const std::string& text, const std::string& caption,
                   std::uint32_t type) override;
    void sleep(std::uint32_t milliseconds) override { slept_ += milliseconds; }
    bool createProcess(const std::string& commandLine, std::uint16_t showWindow) override;
    std::string moduleFileName() override { return moduleFileName_; }
    void getLocalTime(SystemTime* time) override { *time = localTime_; }

  private:
    std::deque<int> answers_;
    std::function<void()> duringQuestion_;
    std::vector<Box> boxes_;
    std::vector<Process> processes_;
    std::string moduleFileName_ = "C:\\Programme\\Marlwick\\Marlwick.exe";
    SystemTime localTime_{2026, 12, 1, 7, 23, 59, 59, 0};
    std::uint32_t slept_ = 0;
    int unanswered_ = 0;
    bool processStartsFail_ = false;
};

} // namespace marlwick::fakes
