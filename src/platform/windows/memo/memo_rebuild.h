// A change of most of a large memo made by a fresh control: Wine's rich edit takes
// minutes to delete or replace most of a large text in place, a fresh control takes the
// new text in seconds (ui/memo/memo_pieces.h). The fresh control takes the old one's
// place, font, colours and text area; the old one stays hidden with its undo history,
// so that Ctrl+Z brings the old text back in one step (and the undo goes on in it), and
// Ctrl+Y goes forward again until the memo changes. A large new text goes into the fresh
// control a piece per message, as the saved memo goes in (memo_load.h): the window answers
// meanwhile with the old text shown, keys wait in the input queue, and a command or a save
// puts the rest in first.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/memo/memo_message.h"
#include "session/selection_state.h"

namespace numvora {

inline constexpr UINT WM_MEMO_REBUILD_PIECE = WM_APP + 5;

// What follows a change once the memo holds its text.
using AfterMemoChange = std::function<void(AppState&)>;

// A fresh control taking its text, hidden until the last piece.
struct RebuildFill {
    HWND control = nullptr;
    std::wstring text;
    std::size_t put_in = 0;
    std::int32_t caret = 0;
    std::string progress;  // on the status line meanwhile
    AfterMemoChange then;
};

struct MemoRebuild {
    HWND before = nullptr;  // the control a rebuild replaced, hidden
    HWND after = nullptr;   // the control an undo of a rebuild left, hidden, for redo
    bool swapping = false;  // the memo's change now is a swap, not an edit
    std::optional<RebuildFill> filling;
    std::vector<HWND> retired;  // hidden and no longer reachable: destroyed once the user pauses
};

// The range of the memo becomes text as one undo step, in a fresh control when that is
// quicker; the caret after the text. Done when it returns.
void replace_memo_range(AppState& state, MemoSelection range, const std::wstring& text);
// The same for a change the user waits for: a fresh control takes a large text while the
// window answers, the status line saying progress; then runs once the memo holds the text.
void replace_memo_range_in_pieces(AppState& state, MemoSelection range, const std::wstring& text,
                                  std::string_view progress, AfterMemoChange then = {});
// WM_MEMO_REBUILD_PIECE: the next piece, and the swap after the last.
void continue_memo_rebuild(AppState& state);
// The rest at once, for what needs the memo whole now.
void finish_memo_rebuild(AppState& state);

// The memo part: a key, a cut, a deletion or a typed character that would remove a large
// selection removes it first through replace_memo_range, and an undo or a redo that the
// control has no step for crosses a rebuild.
std::optional<LRESULT> rebuild_before(AppState& state, const MemoMessage& message);

// Any change of the memo but a swap: the control a redo would go forward to is gone, and
// the controls no longer reachable wait a second more without a change to be destroyed.
void follow_memo_rebuild(AppState& state);

}  // namespace numvora
