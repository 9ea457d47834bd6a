// An editor over in-memory files and host, as most operation tests need it.
#pragma once

#include "editor/editor_context.h"
#include "tests/fakes/memory_files.h"
#include "tests/fakes/memory_host.h"

#include <gtest/gtest.h>

namespace marlwick {

class EditorFixture : public ::testing::Test {
  protected:
    MainWindowModel model;
    fakes::MemoryFiles files;
    fakes::MemoryHost host;
    EditorContext editor{model, files, host};
};

} // namespace marlwick
