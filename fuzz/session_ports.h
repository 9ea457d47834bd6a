// The editor's ports for a scripted session, each over the machine's in-memory one: file calls
// counted per action and bounded, with the files the action read and the world acting while a
// backup is made; and questions answered as the script says.
#pragma once

#include "editor/system/editor_host.h"
#include "editor/system/file_port.h"
#include "fuzz/fuzz_support.h"
#include "tests/fakes/memory_host.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace fuzz {

// A start-up, a file choice, a write with its read-back and restore, or an import with its
// load take a few dozen calls; a replay that runs away takes thousands.
inline constexpr int kMostFileCallsPerAction = 400;

class BoundedFiles final : public marlwick::FilePort {
  public:
    explicit BoundedFiles(marlwick::FilePort& files) : files_(files) {}

    // Runs once, when the editor next asks for the folder that keeps the backups.
    std::function<void()> whileBackingUp;

    void startAction() {
        calls_ = 0;
        read_.clear();
        loadBegan_ = wrote_ = false;
    }
    // The action called for a change of the files.
    bool wrote() const { return wrote_; }
    // Every load asks for the temporary folder first: the action loaded from there on.
    bool loadBegan() const { return loadBegan_; }
    // Whether the action (since its load began) opened the file for reading.
    bool hasRead(const std::string& path) const { return read_.contains(path); }

    std::uint32_t getFileAttributes(const std::string& path) override {
        return counted().getFileAttributes(path);
    }
    bool getFileAttributesEx(const std::string& path, FileAttributeData* data) override {
        return counted().getFileAttributesEx(path, data);
    }
    Handle createFile(const std::string& path, std::uint32_t access, std::uint32_t shareMode,
                      std::uint32_t disposition, std::uint32_t flags) override {
        if (access & kGenericRead)
            read_.insert(path);
        return counted((access & kGenericWrite) || disposition != kOpenExisting)
            .createFile(path, access, shareMode, disposition, flags);
    }
    bool getFileSize(Handle file, std::uint64_t* size) override {
        return counted().getFileSize(file, size);
    }
    bool readFile(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t* read) override {
        return counted().readFile(file, buffer, toRead, read);
    }
    bool writeFile(Handle file, const void* data, std::uint32_t toWrite,
                   std::uint32_t* written) override {
        return counted(true).writeFile(file, data, toWrite, written);
    }
    bool flushFileBuffers(Handle file) override { return counted().flushFileBuffers(file); }
    bool closeHandle(Handle file) override { return counted().closeHandle(file); }
    bool moveFileEx(const std::string& from, const std::string& to, std::uint32_t flags) override {
        return counted(true).moveFileEx(from, to, flags);
    }
    bool deleteFile(const std::string& path) override { return counted(true).deleteFile(path); }
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
        return counted(true).copyFile(from, to, failIfExists);
    }
    std::uint32_t getLastError() override { return files_.getLastError(); }
    std::uint32_t getTempPath(std::uint32_t bufferLength, char* buffer) override {
        loadBegan_ = true;
        read_.clear();
        return counted().getTempPath(bufferLength, buffer);
    }
    std::uint32_t getTempFileName(const std::string& folder, const std::string& prefix,
                                  std::uint32_t unique, char* name) override {
        return counted(true).getTempFileName(folder, prefix, unique, name);
    }
    std::uint32_t getFullPathName(const std::string& path, std::uint32_t bufferLength,
                                  char* buffer) override {
        return counted().getFullPathName(path, bufferLength, buffer);
    }
    std::int32_t shGetFolderPath(std::int32_t folder, char* path) override {
        if (const auto change = std::exchange(whileBackingUp, nullptr))
            change();
        return counted().shGetFolderPath(folder, path);
    }
    bool createDirectory(const std::string& path) override {
        return counted(true).createDirectory(path);
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
    marlwick::FilePort& counted(bool writes = false) {
        require(++calls_ <= kMostFileCallsPerAction, "the work of one action is bounded");
        wrote_ = wrote_ || writes;
        return files_;
    }

    marlwick::FilePort& files_;
    int calls_ = 0;
    std::set<std::string> read_;
    bool loadBegan_ = false;
    bool wrote_ = false;
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

} // namespace fuzz
