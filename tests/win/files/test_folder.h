// A fresh folder for the running test under the temporary folder, removed with everything
// in it afterwards: ctest runs the tests in parallel processes, each needs a place of its own.
#pragma once

#include <string>
#include <vector>

namespace marlwick {

class TestFolder {
  public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // Without a trailing backslash.
    const std::string& path() const { return path_; }
    std::vector<std::string> fileNames() const;

  private:
    std::string path_;
};

} // namespace marlwick
