// The status line and the operation buttons as the record says they are.
#pragma once

#include "platform/windows/state/app_state.h"

namespace numvora {

// Writes the status text; a status line that cannot change keeps its text.
void show_status_line(const AppState& state);

// A selection check's message on the status line, and the operation buttons enabled
// exactly when an operand is pending.
void show_selection_outcome(AppState& state, const SelectionMessage& message);

}  // namespace numvora
