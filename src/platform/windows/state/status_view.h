// The status line and the operation buttons as the record says they are.
#pragma once

#include <string>

#include "session/selection_state.h"

namespace numvora {

struct AppState;

// Writes the status text after the mark of a lasting trouble (the label's tooltip then
// gives the troubles' details); a status line that cannot change keeps its text.
void show_status_line(const AppState& state);

// A command's outcome on the status line, in the warning colour when it failed.
void show_command_outcome(AppState& state, std::string text, bool is_error);

// The outcome of a command that changed the memo, until the memo changes again (its
// undo among the changes) or the selection speaks.
void show_edit_outcome(AppState& state, std::string text);
// EN_CHANGE: an outcome shown of an edit before this one is no longer so.
void withdraw_edit_outcome(AppState& state);

// A selection check's message on the status line, and the operation buttons enabled
// exactly when an operand is pending.
void show_selection_outcome(AppState& state, const SelectionMessage& message);

// What the memo's history could not keep, as its keeper reported it, and its trouble's
// mark while it lasts.
void show_history_events(AppState& state);

// After the program moved the memo's caret: the next selection check sees no move, so
// an outcome shown next stays until the user moves the caret.
void settle_memo_selection(AppState& state);

}  // namespace numvora
