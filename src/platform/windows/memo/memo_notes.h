// The memo read as notes, kept in step with the control: a copy of its text and the
// notebook of its lines, with the names each defines and takes. While the margin shows
// results it follows every edit, from a window of text around the caret; otherwise the
// memo is read again, whole, when a command needs it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "notes/book/notebook.h"
#include "notes/figures/note_calendar.h"
#include "platform/windows/memo/memo_message.h"
#include "ui/memo/memo_mirror.h"

namespace numvora {

struct AppState;

struct MemoNotes {
    TextMirror<wchar_t> mirror;
    NoteBook book;
    bool in_step = false;            // false: read the whole memo before the next use
    bool after_first_paint = false;  // before it, a paint shows the text without reading it
    std::optional<DayNumber> today;  // the day the book reads "오늘" and D-days as
    // The character being typed: the edit it makes were it to go in as typed at the
    // caret, and the margin's paints before it.
    struct Typing {
        TextEdit<wchar_t> edit;
        std::uint64_t paints = 0;
    };
    std::optional<Typing> typing;
};

// A character typed with the margin on: its edit is known before the control makes it,
// and taken at EN_CHANGE once the memo's length and caret show that it went in.
std::optional<LRESULT> typing_before(AppState& state, const MemoMessage& message);
void typing_after(AppState& state, const MemoMessage& message);

// EN_CHANGE: the edit told to the notebook, or, with the margin off, only noted.
void follow_memo_change(AppState& state);
// The notes as the memo holds them now.
const MemoNotes& memo_notes(AppState& state);
// The whole memo as the auto-save read it (UTF-8, CR LF breaks): a copy that went out of
// step is read again at its next use.
void check_memo_notes(AppState& state, std::string_view memo);
// The line a position of the control lies on.
std::size_t memo_line_of(const MemoNotes& notes, std::int32_t position);

}  // namespace numvora
