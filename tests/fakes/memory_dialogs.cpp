#include "tests/fakes/memory_dialogs.h"

#include <algorithm>
#include <cstring>

namespace marlwick {

namespace {

std::optional<std::string> textOrNothing(const char* text) {
    if (!text)
        return std::nullopt;
    return std::string(text);
}

// The filter's texts read as the system reads them: up to the first empty one.
std::optional<std::string> filterBytes(const char* filter) {
    if (!filter)
        return std::nullopt;
    std::string bytes;
    for (const char* text = filter;; text += std::strlen(text) + 1) {
        bytes.append(text, std::strlen(text) + 1);
        if (*text == '\0')
            return bytes;
    }
}

template <typename Answer> Answer nextAnswer(std::deque<Answer>& answers) {
    if (answers.empty())
        return Answer{};
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

bool MemoryDialogs::getOpenFileName(FileDialogRecord& record) {
    return showFileDialog(false, record);
}

bool MemoryDialogs::getSaveFileName(FileDialogRecord& record) {
    return showFileDialog(true, record);
}

bool MemoryDialogs::showFileDialog(bool save, FileDialogRecord& record) {
    FileDialogShown shown;
    shown.save = save;
    shown.structSize = record.structSize;
    shown.owner = record.owner;
    shown.filter = filterBytes(record.filter);
    shown.filterIndex = record.filterIndex;
    shown.file = std::string(record.file, strnlen(record.file, record.maxFile));
    shown.maxFile = record.maxFile;
    shown.separateFileTitle = record.fileTitle && record.fileTitle != record.file;
    shown.maxFileTitle = record.maxFileTitle;
    shown.initialDir = textOrNothing(record.initialDir);
    shown.title = textOrNothing(record.title);
    shown.flags = record.flags;
    fileDialogs_.push_back(shown);

    const std::optional<std::string> path = nextAnswer(fileAnswers_);
    if (!path)
        return false;
    if (path->size() + 1 > record.maxFile) {
        const auto needed = static_cast<std::uint16_t>(path->size() + 1);
        record.file[0] = static_cast<char>(needed & 0xFF);
        record.file[1] = static_cast<char>(needed >> 8);
        return false;
    }
    std::memcpy(record.file, path->c_str(), path->size() + 1);
    if (record.fileTitle) {
        const std::string name = path->substr(path->find_last_of("\\/") + 1);
        if (name.size() < record.maxFileTitle)
            std::memcpy(record.fileTitle, name.c_str(), name.size() + 1);
    }
    return true;
}

bool MemoryDialogs::chooseColor(ColorDialogRecord& record) {
    ColorDialogShown shown;
    shown.structSize = record.structSize;
    shown.owner = record.owner;
    shown.rgbResult = record.rgbResult;
    std::copy_n(record.customColors, shown.customColors.size(), shown.customColors.begin());
    shown.flags = record.flags;
    colorDialogs_.push_back(shown);

    const ColorAnswer answer = nextAnswer(colorAnswers_);
    for (const auto& [slot, colour] : answer.customColors)
        record.customColors[slot] = colour;
    if (!answer.colour)
        return false;
    record.rgbResult = *answer.colour;
    return true;
}

DialogPort::ItemIdList MemoryDialogs::browseForFolder(const FolderDialogRecord& info) {
    folderDialogs_.push_back(
        FolderDialogShown{info.owner, info.title ? info.title : "", info.flags});
    const std::optional<std::string> path = nextAnswer(folderAnswers_);
    if (!path)
        return 0;
    const ItemIdList item = nextItem_;
    nextItem_ += 0x10;
    items_[item] = *path;
    return item;
}

bool MemoryDialogs::getPathFromIdList(ItemIdList item, char* path) {
    auto it = items_.find(item);
    if (it == items_.end() || it->second.empty() || it->second.size() >= kMaxPath)
        return false;
    std::memcpy(path, it->second.c_str(), it->second.size() + 1);
    return true;
}

void MemoryDialogs::freeIdList(ItemIdList item) {
    items_.erase(item);
}

void MemoryDialogs::answerFileDialog(std::optional<std::string> path) {
    fileAnswers_.push_back(std::move(path));
}

void MemoryDialogs::answerColorDialog(std::optional<std::uint32_t> colour,
                                      std::map<std::size_t, std::uint32_t> customColors) {
    colorAnswers_.push_back(ColorAnswer{colour, std::move(customColors)});
}

void MemoryDialogs::answerFolderDialog(std::optional<std::string> path) {
    folderAnswers_.push_back(std::move(path));
}

} // namespace marlwick
