// The hint of an empty memo: grey words drawn over its empty text area, never text of
// its own, so that memo.txt, the undo steps and documents know nothing of it. It goes
// with the first character and comes back when the memo is emptied.
#pragma once

#include "platform/windows/memo/memo_message.h"

namespace numvora {

// Whether the memo's last paint drew the hint.
struct MemoHint {
    bool shown = false;
};

// Every paint of an empty memo draws the hint after the text.
void hint_after(AppState& state, const MemoMessage& message);

// EN_CHANGE: the hint shows or goes at once, the whole memo painted again when it does
// (the control repaints only the line it changed).
void follow_memo_hint(AppState& state);

}  // namespace numvora
