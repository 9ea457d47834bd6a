// An in-memory model of the system calls behind SystemPort: a message table with the texts the
// Wine test runs see, an environment for expansion, and icon source files with a number of
// icons each. Extracted icons are recorded so that tests can tell which one was asked for.
#pragma once

#include "services/system_port.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace marlwick {

class MemorySystem final : public SystemPort {
  public:
    struct Extraction {
        std::string file;
        std::uint32_t index = 0;
        IconHandle icon = 0;
    };

    MemorySystem();

    std::uint32_t formatMessage(std::uint32_t flags, std::uint32_t messageId,
                                std::uint32_t languageId, char* buffer,
                                std::uint32_t size) override;
    std::uint32_t expandEnvironmentStrings(const char* source, char* destination,
                                           std::uint32_t size) override;
    IconHandle extractIcon(const char* file, std::uint32_t index) override;
    std::uint32_t getLastError() override { return lastError_; }

    // The text is stored as the system gives it, "\r\n" included.
    void setMessage(std::uint32_t messageId, std::string text);
    void removeMessage(std::uint32_t messageId);

    // Variable names are compared without regard to case.
    void setEnvironmentVariable(const std::string& name, const std::string& value);
    // Every expansion from now on fails with this error.
    void failExpansion(std::uint32_t error);

    // A file (path compared without regard to case) holding count icons.
    void addIconSource(const std::string& file, std::uint32_t count);
    // A file that is no icon source at all, for which Windows (not Wine) gives 1.
    void addFileWithoutIcons(const std::string& file);
    const std::vector<Extraction>& extractions() const { return extractions_; }

  private:
    std::optional<std::string> variable(const std::string& name) const;
    std::string expanded(const std::string& text) const;

    std::map<std::uint32_t, std::string> messages_;
    std::map<std::string, std::string> environment_;
    std::map<std::string, std::uint32_t> iconSources_;
    std::set<std::string> filesWithoutIcons_;
    std::vector<Extraction> extractions_;
    std::optional<std::uint32_t> expansionFailure_;
    std::uint32_t lastError_ = 0;
    IconHandle nextIcon_ = 0x10030;
};

} // namespace marlwick
