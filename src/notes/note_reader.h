// One reader of notes for everything that calculates with the memo's text: the total of
// a selection, F9 on a line, and a result beside each line. Platform-free; texts are UTF-8.
//
//   read_amounts(text)                 the amounts a total adds, with the dates, times and
//                                      counts it passed over (notes/note_amounts.h)
//   amounts_total(amounts)             their sum, as the engine writes results
//   line_result(text, begin, end)      what F9 gives the line [begin, end) of text: an
//                                      expression's value, or a total line's total
//   read_total_line(line)              whether a line is a total line ("합계", "소계: 3,000")
//   total_scope_begin(text, begin)     where the lines a total line adds begin
//
// Results are the engine's canonical text ("16500", "-0.5"); format them for display
// with format_result_text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "calculator/calc_error.h"
#include "common/result.h"
#include "notes/note_amounts.h"
#include "notes/note_expression.h"

namespace numvora {

// The sum of the added amounts; Empty when there is nothing to add.
Result<std::string, CalcError> amounts_total(const NoteAmounts& amounts);

// A line that reads only 합계, 합, 총합, 총계 or 소계, optionally followed by ":" or "="
// and an old result. " = total" replaces [word_end, line_end): the rest of the line,
// its trailing spaces included, its line break not.
struct TotalLine {
    std::size_t word_end = 0;
    std::size_t line_end = 0;
};
std::optional<TotalLine> read_total_line(std::string_view line);

// The start of the block a total line at line_begin adds: just after the previous
// empty line or total line, else the text's start. Text before line_begin on its line
// (a total word selected at a line's end) is part of the block.
std::size_t total_scope_begin(std::string_view text, std::size_t line_begin);

// What F9 gives the line [line_begin, line_end) of text (without its line break).
Result<std::string, CalcError> line_result(std::string_view text, std::size_t line_begin, std::size_t line_end);

}  // namespace numvora
