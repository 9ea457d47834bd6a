// An editor over in-memory files, host, registry and dialogs, as operation tests need it.
#pragma once

#include "editor/operations/main_window_events.h"
#include "tests/fakes/memory_machine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace marlwick {

// The settings file the editor changes, and one it imports from.
inline const std::string kTargetPath = "E:\\Navi\\ApplicationSettings.xml";
inline const std::string kImportPath = "C:\\Sicherung\\ApplicationSettings.xml";

class EditorFixture : public ::testing::Test {
  protected:
    MainWindowModel model;
    MemoryMachine machine;
    fakes::MemoryFiles& files = machine.files;
    fakes::MemoryHost& host = machine.host;
    MemoryDialogs& dialogs = machine.dialogPort;
    EditorContext editor = machine.contextFor(model);

    // The editor's stored value as text (its closing NUL dropped), if there is one.
    std::optional<std::string> stored(std::string_view name) const {
        const auto value = machine.registryPort.storedValue(RegistryPort::kHkeyCurrentUser,
                                                            "Software\\Marlwick", name);
        if (!value)
            return std::nullopt;
        std::string text = value->data;
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        return text;
    }

    // As the user types into the value box Text1(box).
    void type(int box, std::string_view text) {
        onTextTyped(model, {ControlArray::Text1, box}, text);
    }

    // The target holds the text and is chosen; the titles show this vehicle and the fast route.
    void chooseTarget(const std::string& text, std::string vehicle = "PKW sch.") {
        files.addFile(kTargetPath, text);
        model.state.targetPath = kTargetPath;
        model.form.label3[0].text = std::move(vehicle);
        model.form.label3[1].text = "Schnelle";
    }

    void store(std::string_view name, const std::string& text) {
        machine.registryPort.putValue(RegistryPort::kHkeyCurrentUser, "Software\\Marlwick", name,
                                      RegistryPort::kRegExpandSz, text + '\0');
    }
};

} // namespace marlwick
