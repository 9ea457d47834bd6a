// The in-memory system an editor runs on: files, host, registry and dialogs, as the tests,
// fuzzers and benchmarks drive it.
#pragma once

#include "editor/operations/editor_context.h"
#include "tests/fakes/memory_dialogs.h"
#include "tests/fakes/memory_files.h"
#include "tests/fakes/memory_host.h"
#include "tests/fakes/memory_registry.h"
#include "tests/fakes/memory_system.h"

namespace marlwick {

struct MemoryMachine {
    fakes::MemoryFiles files;
    fakes::MemoryHost host;
    MemoryRegistry registryPort;
    MemorySystem system;
    MemoryDialogs dialogPort;
    clsSysRegistry registry{registryPort, system};
    clsSysDialogs dialogs{dialogPort, registryPort, system};

    EditorContext contextFor(MainWindowModel& model) {
        return {model, files, host, registry, dialogs, 0x1234, system};
    }
};

} // namespace marlwick
