// The thread's message loop, where the keyboard shortcuts live.
#pragma once

#include "platform/windows/base/system_error.h"

namespace numvora {

// Runs until WM_QUIT. Shortcut keys become WM_COMMAND messages posted to the key's
// top-level window and are not dispatched. Fails only when GetMessageW fails.
SystemStatus run_message_loop();

}  // namespace numvora
