#include "ejector/win32/process_state.h"

namespace vandrel {

ProcessState& Process() {
    static ProcessState state;
    return state;
}

} // namespace vandrel
