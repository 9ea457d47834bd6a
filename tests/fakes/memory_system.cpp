#include "tests/fakes/memory_system.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace marlwick {

namespace {

std::string lowerCased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

MemorySystem::MemorySystem()
    // The texts of the Wine runs, so that both see the same.
    : messages_{{0, "Success.\r\n"},
                {2, "File not found.\r\n"},
                {5, "Access denied.\r\n"},
                {6, "Invalid handle.\r\n"},
                {13, "Invalid data.\r\n"},
                {87, "Invalid parameter.\r\n"},
                {234, "More data available.\r\n"},
                {259, "No more data available.\r\n"}} {}

std::uint32_t MemorySystem::formatMessage(std::uint32_t flags, std::uint32_t messageId,
                                          std::uint32_t /*languageId*/, char* buffer,
                                          std::uint32_t size) {
    if (!(flags & kFormatMessageFromSystem) || !buffer) {
        lastError_ = kErrorInvalidParameter;
        return 0;
    }
    auto it = messages_.find(messageId);
    if (it == messages_.end()) {
        lastError_ = kErrorMrMidNotFound;
        return 0;
    }
    const std::string& text = it->second;
    if (text.size() + 1 > size) {
        lastError_ = kErrorInsufficientBuffer;
        return 0;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<std::uint32_t>(text.size());
}

std::uint32_t MemorySystem::expandEnvironmentStrings(const char* source, char* destination,
                                                     std::uint32_t size) {
    if (expansionFailure_) {
        lastError_ = *expansionFailure_;
        return 0;
    }
    const std::string result = expanded(source ? source : "");
    const auto needed = static_cast<std::uint32_t>(result.size() + 1);
    if (destination && size > 0) {
        const std::size_t copied = std::min<std::size_t>(result.size(), size - 1);
        std::memcpy(destination, result.data(), copied);
        destination[copied] = '\0';
    }
    return needed;
}

// A reference is a name between two "%"; an unknown name or a "%" without its partner is
// kept as it stands, and scanning goes on after it.
std::string MemorySystem::expanded(const std::string& text) const {
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            result.append(text, at, std::string::npos);
            break;
        }
        result.append(text, at, open - at);
        const auto value = variable(text.substr(open + 1, close - open - 1));
        result += value ? *value : text.substr(open, close - open + 1);
        at = close + 1;
    }
    return result;
}

std::optional<std::string> MemorySystem::variable(const std::string& name) const {
    if (name.empty())
        return std::nullopt;
    auto it = environment_.find(lowerCased(name));
    if (it == environment_.end())
        return std::nullopt;
    return it->second;
}

SystemPort::IconHandle MemorySystem::extractIcon(const char* file, std::uint32_t index) {
    constexpr std::uint32_t countRequest = 0xFFFFFFFF;
    const std::string name = file ? file : "";
    auto it = iconSources_.find(lowerCased(name));
    IconHandle icon = 0;
    if (filesWithoutIcons_.count(lowerCased(name)) != 0) {
        icon = 1;
    } else if (it != iconSources_.end()) {
        if (index == countRequest) {
            icon = it->second;
        } else if (index < it->second) {
            icon = nextIcon_;
            nextIcon_ += 0x10000;
        }
    }
    extractions_.push_back(Extraction{name, index, icon});
    return icon;
}

void MemorySystem::addFileWithoutIcons(const std::string& file) {
    filesWithoutIcons_.insert(lowerCased(file));
}

void MemorySystem::setMessage(std::uint32_t messageId, std::string text) {
    messages_[messageId] = std::move(text);
}

void MemorySystem::removeMessage(std::uint32_t messageId) {
    messages_.erase(messageId);
}

void MemorySystem::setEnvironmentVariable(const std::string& name, const std::string& value) {
    environment_[lowerCased(name)] = value;
}

void MemorySystem::failExpansion(std::uint32_t error) {
    expansionFailure_ = error;
}

void MemorySystem::addIconSource(const std::string& file, std::uint32_t count) {
    iconSources_[lowerCased(file)] = count;
}

} // namespace marlwick
