#include "ejector/win32/process_state.h"

namespace vandrel {

ProcessState& Process() {
    static ProcessState state;
    return state;
}

std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    // A path that filled the buffer may have been cut short: try again with more room.
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace vandrel
