// The editor's ports for a scripted session, each over the machine's in-memory one: file calls
// counted per action and bounded, questions answered as the script says, and the open-file
// dialog answered as the script says once per action.
#pragma once

#include "editor/editor_host.h"
#include "editor/file_port.h"
#include "fuzz/fuzz_support.h"
#include "services/dialog_port.h"
#include "tests/fakes/memory_dialogs.h"
#include "tests/fakes/memory_host.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace fuzz {

// A start-up, a file choice, a write with its read-back and restore, or an import with its
// load take a few dozen calls; a replay that runs away takes thousands.
inline constexpr int kMostFileCallsPerAction = 400;

class BoundedFiles final : public marlwick::FilePort {
  public:
    explicit BoundedFiles(marlwick::FilePort& files) : files_(files) {}

    void startAction() { calls_ = 0; }

    std::uint32_t getFileAttributes(const std::string& path) override {
        return counted().getFileAttributes(path);
    }
    bool getFileAttributesEx(const std::string& path, FileAttributeData* data) override {
        return counted().getFileAttributesEx(path, data);
    }
    Handle createFile(const std::string& path, std::uint32_t access, std::uint32_t shareMode,
                      std::uint32_t disposition, std::uint32_t flags) override {
        return counted().createFile(path, access, shareMode, disposition, flags);
    }
    bool getFileSize(Handle file, std::uint64_t* size) override {
        return counted().getFileSize(file, size);
    }
    bool readFile(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t* read) override {
        return counted().readFile(file, buffer, toRead, read);
    }
    bool writeFile(Handle file, const void* data, std::uint32_t toWrite,
                   std::uint32_t* written) override {
        return counted().writeFile(file, data, toWrite, written);
    }
    bool flushFileBuffers(Handle file) override { return counted().flushFileBuffers(file); }
    bool closeHandle(Handle file) override { return counted().closeHandle(file); }
    bool moveFileEx(const std::string& from, const std::string& to, std::uint32_t flags) override {
        return counted().moveFileEx(from, to, flags);
    }
    bool deleteFile(const std::string& path) override { return counted().deleteFile(path); }
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
        return counted().copyFile(from, to, failIfExists);
    }
    std::uint32_t getLastError() override { return files_.getLastError(); }
    std::uint32_t getTempPath(std::uint32_t bufferLength, char* buffer) override {
        return counted().getTempPath(bufferLength, buffer);
    }
    std::uint32_t getTempFileName(const std::string& folder, const std::string& prefix,
                                  std::uint32_t unique, char* name) override {
        return counted().getTempFileName(folder, prefix, unique, name);
    }
    std::uint32_t getFullPathName(const std::string& path, std::uint32_t bufferLength,
                                  char* buffer) override {
        return counted().getFullPathName(path, bufferLength, buffer);
    }
    std::int32_t shGetFolderPath(std::int32_t folder, char* path) override {
        return counted().shGetFolderPath(folder, path);
    }
    bool createDirectory(const std::string& path) override {
        return counted().createDirectory(path);
    }
    Handle findFirstFile(const std::string& pattern, FindData* data) override {
        return counted().findFirstFile(pattern, data);
    }
    bool findNextFile(Handle find, FindData* data) override {
        return counted().findNextFile(find, data);
    }
    bool findClose(Handle find) override { return counted().findClose(find); }
    std::uint32_t getLongPathName(const std::string& path, std::uint32_t bufferLength,
                                  char* buffer) override {
        return counted().getLongPathName(path, bufferLength, buffer);
    }
    bool getFileInformationByHandle(Handle file, FileInformation* information) override {
        return counted().getFileInformationByHandle(file, information);
    }

  private:
    marlwick::FilePort& counted() {
        require(++calls_ <= kMostFileCallsPerAction, "the work of one action is bounded");
        return files_;
    }

    marlwick::FilePort& files_;
    int calls_ = 0;
};

// Every Yes/No question gets the answer the script gave the action, the first one after the
// world did what it does while that question is open; message boxes are recorded by the
// memory host.
class ScriptedHost final : public marlwick::EditorHost {
  public:
    explicit ScriptedHost(marlwick::fakes::MemoryHost& host) : host_(host) {}

    int answer = kIdNo;
    std::function<void()> whileAsked;

    int messageBox(const std::string& text, const std::string& caption,
                   std::uint32_t type) override {
        if ((type & 0xF) != kMbYesNo)
            return host_.messageBox(text, caption, type);
        host_.answer({answer});
        const int answered = host_.messageBox(text, caption, type);
        if (const auto change = std::exchange(whileAsked, nullptr))
            change();
        return answered;
    }
    void sleep(std::uint32_t milliseconds) override { host_.sleep(milliseconds); }
    bool createProcess(const std::string& commandLine, std::uint16_t showWindow) override {
        return host_.createProcess(commandLine, showWindow);
    }
    std::string moduleFileName() override { return host_.moduleFileName(); }
    void getLocalTime(SystemTime* time) override { host_.getLocalTime(time); }

  private:
    marlwick::fakes::MemoryHost& host_;
};

// The first open-file dialog of an action gets the script's answer; any further one, and
// every dialog of an action without an answer, is cancelled.
class ScriptedDialogs final : public marlwick::DialogPort {
  public:
    explicit ScriptedDialogs(marlwick::MemoryDialogs& dialogs) : dialogs_(dialogs) {}

    std::optional<std::string> fileAnswer;

    bool getOpenFileName(FileDialogRecord& record) override {
        dialogs_.answerFileDialog(std::exchange(fileAnswer, std::nullopt));
        return dialogs_.getOpenFileName(record);
    }
    bool getSaveFileName(FileDialogRecord& record) override {
        dialogs_.answerFileDialog(std::exchange(fileAnswer, std::nullopt));
        return dialogs_.getSaveFileName(record);
    }
    bool chooseColor(ColorDialogRecord& record) override { return dialogs_.chooseColor(record); }
    ItemIdList browseForFolder(const FolderDialogRecord& info) override {
        return dialogs_.browseForFolder(info);
    }
    bool getPathFromIdList(ItemIdList item, char* path) override {
        return dialogs_.getPathFromIdList(item, path);
    }
    void freeIdList(ItemIdList item) override { dialogs_.freeIdList(item); }

  private:
    marlwick::MemoryDialogs& dialogs_;
};

} // namespace fuzz
