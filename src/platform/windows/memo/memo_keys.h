// Where the memo's undo groups end: after a key or a character that ends a word or an
// operation (ui/shortcuts.h decides which), so that Ctrl+Z takes back what was typed a
// piece at a time, not the whole of a sitting.
#pragma once

#include "platform/windows/memo/memo_message.h"

namespace numvora {

// After the control has handled a key-down or a character: the space, the operator or
// the deletion belongs to the group it ends.
void keys_after(AppState& state, const MemoMessage& message);

}  // namespace numvora
