// What every scenario starts from: a machine that has never seen the programs, the programs
// unpacked into a folder of their own, and the user's settings file where the user keeps it.
#pragma once

#include "tests/e2e/editor_window.h"
#include "tests/e2e/machine.h"
#include "tests/e2e/programs.h"
#include "tests/e2e/user.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace e2e {

class Scenario : public testing::Test {
  protected:
    static constexpr const char* kSettingsFolder = "C:\\Navi";
    static constexpr const char* kEditorKey = "Software\\Marlwick";
    static constexpr const char* kEjectToolKey = "Software\\Quillon\\Vandrel";

    void SetUp() override {
        ASSERT_NE(std::getenv("E2E_FRESH_PREFIX"), nullptr)
            << "a scenario needs a machine of its own: run it through tests/e2e/fresh-prefix";
        ASSERT_FALSE(keyExists(kEditorKey));
        ASSERT_FALSE(keyExists(kEjectToolKey));
        programFolder = programsReadyIn("C:\\Marlwick");
        makeFolder(kSettingsFolder);
        settings = placeSettings("ApplicationSettings.xml", sampleSettings());
    }

    std::string marlwick() const { return joinPath(programFolder, "Marlwick.exe"); }
    std::string vandrl() const { return joinPath(programFolder, "Vandrl.exe"); }

    // The user's settings file, holding the bytes.
    static std::string placeSettings(const std::string& name, const std::string& bytes) {
        const std::string path = joinPath(kSettingsFolder, name);
        writeFile(path, bytes);
        return path;
    }

    // An editor value as text; empty when it is not stored.
    static std::string editorValue(const char* name) {
        const auto value = storedValue(kEditorKey, name);
        return value ? value->data : std::string();
    }

    static std::string quoted(const std::string& path) { return "\"" + path + "\""; }

    // The editor's main window once its grid shows a loaded file; no window when it did not.
    static EditorWindow loadedEditor(const Program& program) {
        const EditorWindow editor = EditorWindow::find(program);
        const bool loaded = editor.handle() && waitUntil([&] {
                                const std::string shown = textOf(editor.valueBox(20));
                                return !shown.empty() && shown != "Text1" && shown != "- - - -";
                            });
        return EditorWindow(loaded ? editor.handle() : nullptr);
    }

    // The user closes the window with its close box; the program's exit code once it ended.
    static DWORD closeAndWait(const Program& program, const EditorWindow& editor) {
        PostMessageA(editor.handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return program.exitCode();
    }

    std::string programFolder;
    std::string settings; // the sample settings file, where the user keeps it
};

} // namespace e2e
