// Pasting into the memo is the insertion of the clipboard's text at the selection, as one
// undo step. Wine's rich edit streams a paste into a plain-text control over the whole
// text, so Ctrl+V there replaced the entire memo with the clipboard; the control's own
// paste is therefore never used.
#pragma once

#include "platform/windows/memo/memo_message.h"

namespace numvora {

// WM_PASTE, Ctrl+V and Shift+Insert.
std::optional<LRESULT> paste_before(AppState& state, const MemoMessage& message);

}  // namespace numvora
