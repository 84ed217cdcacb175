// The start-up flags.
#include "app/startup_state.h"

namespace kvx {

TStartupState& StartupState() {
    static TStartupState state;
    return state;
}

}  // namespace kvx
