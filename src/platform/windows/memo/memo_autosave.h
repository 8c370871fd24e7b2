// The memo's auto-save: every change of its text marks it, and the tick (auto_save_memo,
// a timer of timers.h) writes it when it is not what was saved.
#pragma once

namespace numvora {

struct AppState;

// EN_CHANGE, whoever made the change: typed, undone or set from outside.
void mark_memo_unsaved(AppState& state);

}  // namespace numvora
