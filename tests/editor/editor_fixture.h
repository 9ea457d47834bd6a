// An editor over in-memory files, host, registry and dialogs, as operation tests need it.
#pragma once

#include "editor/editor_context.h"
#include "tests/fakes/memory_dialogs.h"
#include "tests/fakes/memory_files.h"
#include "tests/fakes/memory_host.h"
#include "tests/fakes/memory_registry.h"
#include "tests/fakes/memory_system.h"

#include <gtest/gtest.h>

namespace marlwick {

// The in-memory system an editor runs on.
struct MemoryMachine {
    fakes::MemoryFiles files;
    fakes::MemoryHost host;
    MemoryRegistry registryPort;
    MemorySystem system;
    MemoryDialogs dialogPort;
    clsSysRegistry registry{registryPort, system};
    clsSysDialogs dialogs{dialogPort, registryPort, system};

    EditorContext contextFor(MainWindowModel& model) {
        return {model, files, host, registry, dialogs, 0x1234};
    }
};

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

    void store(std::string_view name, const std::string& text) {
        machine.registryPort.putValue(RegistryPort::kHkeyCurrentUser, "Software\\Marlwick", name,
                                      RegistryPort::kRegExpandSz, text + '\0');
    }
};

} // namespace marlwick
