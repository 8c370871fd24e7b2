// Calculating with what is written in the memo (memo_calculate.cpp), and a result copied
// as an amount (amount_copy.cpp): what the memo's menu and its commands share, apart
// from the other commands' handlers, which need no notes.
#pragma once

#include <cstdint>
#include <string>

#include "notes/book/note_blocks.h"
#include "notes/reading/line_reading.h"
#include "platform/windows/base/system_error.h"
#include "session/selection_state.h"

namespace numvora {

struct AppState;

// What "선택한 식 계산" reads: the selection, or without one the caret's paragraph.
MemoSelection memo_expression_range(const AppState& state);
// That text as the notes read it, with the names above it: its reading, and for a total
// line what it adds.
struct NotesAtRange {
    MemoSelection range;
    std::string text;
    LineReading reading;
    NotesSum total;
};
NotesAtRange read_notes_at_range(AppState& state);
// A result onto the clipboard as the copy command with this id writes it.
SystemStatus copy_amount_of(AppState& state, const NoteResult& result, std::int32_t id);

}  // namespace numvora
