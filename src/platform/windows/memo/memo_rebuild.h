// A change of most of a large memo made by a fresh control: Wine's rich edit takes
// minutes to delete or replace most of a large text in place, a fresh control takes the
// new text in seconds (ui/memo/memo_pieces.h). The fresh control takes the old one's
// place, font, colours and text area; the old one stays hidden with its undo history,
// so that Ctrl+Z brings the old text back in one step (and the undo goes on in it), and
// Ctrl+Y goes forward again until the memo changes.
#pragma once

#include <windows.h>

#include <string>

#include "platform/windows/memo/memo_message.h"
#include "session/selection_state.h"

namespace numvora {

struct MemoRebuild {
    HWND before = nullptr;  // the control a rebuild replaced, hidden
    HWND after = nullptr;   // the control an undo of a rebuild left, hidden, for redo
    bool swapping = false;  // the memo's change now is a swap, not an edit
};

// The range of the memo becomes text as one undo step, in a fresh control when that is
// quicker; the caret after the text.
void replace_memo_range(AppState& state, MemoSelection range, const std::wstring& text);

// The memo part: a key, a cut, a deletion or a typed character that would remove a large
// selection removes it first through replace_memo_range, and an undo or a redo that the
// control has no step for crosses a rebuild.
std::optional<LRESULT> rebuild_before(AppState& state, const MemoMessage& message);

// Any change of the memo but a swap: the control a redo would go forward to is gone.
void follow_memo_rebuild(AppState& state);

}  // namespace numvora
