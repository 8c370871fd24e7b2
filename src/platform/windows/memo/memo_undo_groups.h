// Where the memo's undo groups end: after a key or a character that ends a word or an
// operation (ui/shortcuts.h decides which), and when the memo loses the focus, so that
// Ctrl+Z takes back what was typed a piece at a time, not the whole of a sitting. Each
// insertion of the program's own is a step of its own (memo_undo_step).
#pragma once

#include "platform/windows/memo/memo_message.h"

namespace numvora {

// A paste key ends the group before the paste, which answers it (memo_paste.h) so that
// nothing after it sees the key.
std::optional<LRESULT> undo_groups_before(AppState& state, const MemoMessage& message);
// After the control has handled a key-down or a character (the space, the operator or
// the deletion belongs to the group it ends) or the loss of the focus.
void undo_groups_after(AppState& state, const MemoMessage& message);

}  // namespace numvora
