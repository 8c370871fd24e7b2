// What the memo shares: its lines as text with each line's result after it, for a chat
// or a mail, and each line beside its result, for the printed page. The lines come from
// the notebook as the margin reads them; nothing here reads a line again.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "notes/book/notebook.h"

namespace numvora {

// Lines [first, first + count) of the book.
struct LineSpan {
    std::size_t first = 0;
    std::size_t count = 0;
    bool operator==(const LineSpan&) const = default;
};

// The lines with text around the line, out to an empty line (or the book's end) on each
// side: what a share takes at the caret when nothing is selected. None on an empty line.
LineSpan block_at(const NoteBook& book, std::size_t line);

// The line as a chat reads it: a line that calculates (an expression, a total line, a line
// ending in "=") gets " = result" as the margin writes it, in place of the result written
// after it before, right or stale; any other line stays as written, a lone amount
// included, since its figure already shows its value.
std::string line_with_result(const NoteBook& book, std::size_t line, ResultView view);

// The lines so, joined by CR LF (the clipboard's breaks), without a break after the last.
std::string text_with_results(const NoteBook& book, LineSpan lines, ResultView view);

// A line as written beside the result the margin shows for it (empty: none).
struct LineAndResult {
    std::string text;
    std::string result;
    bool operator==(const LineAndResult&) const = default;
};
std::vector<LineAndResult> lines_and_results(const NoteBook& book, LineSpan lines, ResultView view);

}  // namespace numvora
