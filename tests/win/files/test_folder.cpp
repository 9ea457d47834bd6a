#include "tests/win/files/test_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>

namespace marlwick {
namespace {

// The wide calls with the "\\?\" prefix reach paths of any length, also ones a test made too
// long for the ANSI calls. Test paths are plain ASCII.
std::wstring longPath(const std::string& path) {
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring inner = folder + L"\\" + name;
            SetFileAttributesW(inner.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(inner);
            else
                DeleteFileW(inner.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::string runningTestName() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + " " + test->name();
    std::ranges::replace(name, '/', ' ');
    return name;
}

} // namespace

TestFolder::TestFolder() {
    std::array<char, MAX_PATH + 1> temporary{};
    GetTempPathA(static_cast<DWORD>(temporary.size()), temporary.data());
    path_ = std::string(temporary.data()) + "mwk " + runningTestName();
    // Whatever an earlier run that crashed left behind.
    removeTree(longPath(path_));
    if (!CreateDirectoryA(path_.c_str(), nullptr))
        ADD_FAILURE() << "cannot create " << path_ << ": error " << GetLastError();
}

TestFolder::~TestFolder() {
    removeTree(longPath(path_));
}

std::vector<std::string> TestFolder::fileNames() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

} // namespace marlwick
