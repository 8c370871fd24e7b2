// The memo control's one route: every message the rich edit gets passes through its
// procedure first, the notifications it sends the main window come back here, and its
// right clicks open the menu of the part they fall on. Its parts, in the table's order,
// each beside its feature (headers under platform/windows/):
//   the undo groups of its keys and of the focus leaving it (memo/memo_undo_groups.h),
//   clicks and the menu on the margin's results (commands/memo/margin_clicks.h),
//   the paste (memo/memo_paste.h), large changes and their undo in a fresh control
//   (memo/memo_rebuild.h), Ctrl with the wheel (memo/memo_zoom.h),
//   the notes, which follow its edits (memo/notes/memo_notes.h),
//   the margin of line results (memo/notes/results_margin.h),
//   the marks of written results that no longer hold (memo/notes/stale_marks.h),
//   the hint of an empty memo (memo/memo_hint.h),
//   what the window keeps of its text: the auto-save's mark (memo/memo_autosave.h), the
//   find bar's copy (commands/find_bar.h) and the status line's word on an edit
//   (state/status_view.h),
//   and its own menu (commands/memo/memo_menu.h).
// It stands above all of them: the parts whose menus are command rows live with the
// commands.
#pragma once

#include <windows.h>

#include <optional>

namespace numvora {

struct AppState;

// For the rest of the control's life.
void take_over_memo(HWND memo);

// A notification of the memo to the main window (WM_COMMAND from it), handed to the
// parts that take it; nothing when none does.
std::optional<LRESULT> memo_notified(AppState& state, WORD code);

}  // namespace numvora
