// Where the memo's lines about the screen lie, in rows, as the last paint found them.
// Each answer of the control about a position costs a walk of the text from its start
// under Wine, so a paint asks only about the lines an edit changed or a scroll brought
// in; a line that cannot wrap is known to take one row without asking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace numvora {

// Pixels are counted from the text's top (the first row's top is 0).
struct LineRows {
    std::size_t first = 0;  // the first line known
    std::int32_t top = 0;   // its first row's top
    // The rows of each line from `first` on; 0: not known; below 0: not known, and the
    // line took -rows before edits within it.
    std::vector<std::int32_t> rows;
    std::int32_t row_height = 0;  // the control's, when it is not the font's
    bool counted = true;          // false: rows of no one height, every line is asked
};

// The control's answers a layout needs, in pixels from the text's top.
struct RowQuestions {
    std::function<std::size_t(std::int32_t y)> line_at;           // the line on the row at y
    std::function<std::int32_t(std::size_t line)> first_row_top;  // the top of a line's first row
    std::function<std::int32_t(std::size_t line)> last_row_top;   // the top of its last row
    std::function<bool(std::size_t line)> one_row;                // a line too short to wrap
    // The top of a line's last row where the caret shows it without asking: the caret's
    // row, when the rest of its line fits beside it.
    std::function<std::optional<std::int32_t>(std::size_t line)> caret_last_row;
    // True when all the control repainted since the last paint lies in [top, bottom): an
    // edited line whose rows it was kept them, since whatever an edit moves is repainted.
    std::function<bool(std::int32_t top, std::int32_t bottom)> repainted_within;
};

// A line whose last row shows, and that row's top.
struct LaidLine {
    std::size_t line = 0;
    std::int32_t last_row_top = 0;
    bool operator==(const LaidLine&) const = default;
};

// An edit that replaced `removed` lines from `first` with `added` lines: the lines above
// keep their rows, the new ones are not known (an edit within one line keeps what it
// took), and the lines below follow them. An edit above the lines known moves them by
// rows not known: all are forgotten.
void replace_lines(LineRows& known, std::size_t first, std::size_t removed, std::size_t added);

// The lines of a text of `lines` lines whose last row meets the screen [top, bottom),
// the rows known kept for the next paint. A screen far from the lines known is laid out
// afresh from the line at its top.
std::vector<LaidLine> lay_out_screen(LineRows& known, std::int32_t top, std::int32_t bottom, std::int32_t row_height,
                                     std::size_t lines, const RowQuestions& ask);

// The characters of one row of a run of text, first to last.
struct RowSpan {
    std::size_t first = 0;
    std::size_t last = 0;
    bool operator==(const RowSpan&) const = default;
};

// The rows that the characters [first, last] take, where row_top(character) is the top
// of a character's row and never falls as the characters go on. Only where a row breaks
// is the run halved: a figure across two rows costs a handful of questions rather than
// one for each character.
std::vector<RowSpan> rows_of_characters(std::size_t first, std::size_t last,
                                        const std::function<std::int32_t(std::size_t)>& row_top);

}  // namespace numvora
