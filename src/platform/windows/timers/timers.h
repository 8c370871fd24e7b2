// The main window's two timers, each handled on its WM_TIMER.
#pragma once

#include "platform/windows/state/app_state.h"

namespace numvora {

// Timer 1: the memo selection as an operand, and the expression box's grouping refresh.
void check_memo_selection(AppState& state);

// Timer 2: writes the memo when it differs from the saved one; a failure is logged and
// stays on the status line until a write succeeds. Only a memo changed since the last
// tick is read and compared.
void auto_save_memo(AppState& state);

}  // namespace numvora
