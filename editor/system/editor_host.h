// What the editor asks of the system besides files and the registry: message boxes,
// pausing, starting a program, its own path, the clock. Modelled on MessageBoxA, Sleep,
// CreateProcessA, GetModuleFileNameA and GetLocalTime.
#pragma once

#include <cstdint>
#include <string>

namespace marlwick {

class EditorHost {
  public:
    static constexpr std::uint32_t kMbOk = 0x0;
    static constexpr std::uint32_t kMbYesNo = 0x4;
    static constexpr std::uint32_t kMbDefButton1 = 0x0;

    static constexpr int kIdOk = 1;
    static constexpr int kIdYes = 6;
    static constexpr int kIdNo = 7;

    static constexpr std::uint16_t kSwShowMaximized = 3;

    // As SYSTEMTIME holds it.
    struct SystemTime {
        std::uint16_t year = 0;
        std::uint16_t month = 0;
        std::uint16_t dayOfWeek = 0;
        std::uint16_t day = 0;
        std::uint16_t hour = 0;
        std::uint16_t minute = 0;
        std::uint16_t second = 0;
        std::uint16_t milliseconds = 0;
    };

    virtual ~EditorHost() = default;

    // A modal box owned by the main window; the answer's identifier.
    virtual int messageBox(const std::string& text, const std::string& caption,
                           std::uint32_t type) = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // Starts the command line as a new process in the given show state, without waiting;
    // false when it could not be started.
    virtual bool createProcess(const std::string& commandLine, std::uint16_t showWindow) = 0;
    // The full path of the running program.
    virtual std::string moduleFileName() = 0;
    virtual void getLocalTime(SystemTime* time) = 0;
};

} // namespace marlwick
