// The memo's lines with their readings, kept as the memo changes. Names make a line
// depend on the lines above it ("월세 = 55만원", then "월세 * 12"), so each line keeps
// what it defines and what it takes; an edit re-reads the edited lines and then only
// the lines below that take a changed name, a changed result above, or a changed block.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "notes/line_reading.h"
#include "notes/note_blocks.h"

namespace numvora {

// A line longer than this (in bytes) is not read for a result.
inline constexpr std::size_t LINE_READ_MAX = 1 << 17;

class NoteBook {
public:
    // The whole text anew: a memo read, a document opened, a version restored.
    void assign(std::string_view text);
    // Lines [first, first + count) become the lines of text (a text without a line break
    // is one line; count may be 0 to insert).
    void replace(std::size_t first, std::size_t count, std::string_view text);

    std::size_t size() const { return lines_.size(); }
    std::string_view text(std::size_t line) const { return lines_[line].text; }
    const LineReading& reading(std::size_t line) const { return lines_[line].reading; }
    // What the margin shows beside the line, a total line's total included.
    const std::optional<std::string>& result(std::size_t line) const { return lines_[line].result; }
    // What a total line at the line would add (F9 on it, its status); before_on_line: text
    // before a total word on its own line, part of the block.
    NotesSum total_at(std::size_t line, std::string_view before_on_line = {}) const;
    // A text read as if it stood at the line: a selection, with the names above it.
    LineReading read_at(std::size_t line, std::string_view text, bool selected) const;
    // The total of a selection that begins on the line, each of its lines read with the
    // names above it.
    NotesSum selection_total(std::size_t line, std::string_view text) const;
    // How many lines the last change read again.
    std::size_t last_reread() const { return reread_; }

private:
    struct Line {
        std::string text;
        LineReading reading;
        std::optional<std::string> result;
        bool empty = true;
    };
    class ScopeAt;

    void read_again(std::size_t line, std::set<std::size_t>& pending);
    void follow(std::size_t line, bool result_changed, const std::vector<std::string>& names,
                std::set<std::size_t>& pending) const;
    void unindex(std::size_t line);
    void index(std::size_t line);
    void shift_index(std::size_t from, std::ptrdiff_t by);
    std::optional<std::size_t> definition_before(std::string_view name, std::size_t line) const;
    TotalWord word_of(std::size_t line) const;
    // The names a line gives the lines below it: what it defines, and a total line's word.
    std::vector<std::string> names_of(std::size_t line) const;

    std::vector<Line> lines_;
    // By name, the lines that define it (a total line defines its word) and the lines
    // that take it, in order.
    std::unordered_map<std::string, std::vector<std::size_t>> definitions_;
    std::unordered_map<std::string, std::vector<std::size_t>> takers_;
    std::vector<std::size_t> previous_takers_;  // lines that take the result above
    std::size_t reread_ = 0;
};

}  // namespace numvora
