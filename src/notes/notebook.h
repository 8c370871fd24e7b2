// The memo's lines with their readings, kept as the memo changes. Names make a line
// depend on the lines above it ("월세 = 55만원", then "월세 * 12"), so each line keeps
// what it defines and what its reading asked of the lines above; an edit re-reads the
// edited lines and then only the lines below that asked for a changed name, a changed
// result above, or a changed block.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "notes/line_order.h"
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

    std::size_t size() const { return order_.size(); }
    std::string_view text(std::size_t line) const { return line_at(line).text; }
    const LineReading& reading(std::size_t line) const { return line_at(line).reading; }
    // What the margin shows beside the line, a total line's total included.
    const std::optional<std::string>& result(std::size_t line) const { return line_at(line).result; }
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
    using Handle = LineOrder::Handle;
    struct Line {
        std::string text;
        LineReading reading;
        std::optional<std::string> result;
        bool empty = true;
        // What its reading asked of the lines above: names, the result above, its block.
        std::vector<std::string> takes;
        bool takes_previous = false;
        bool takes_block = false;
    };
    class ScopeAt;

    const Line& line_at(std::size_t line) const { return lines_[order_.at(line)]; }
    Line& line_at(std::size_t line) { return lines_[order_.at(line)]; }
    BlockMark mark(std::size_t line) const;
    bool ends_blocks_at(std::size_t line) const;
    // The tally of the lines above the line, from where its block begins.
    BlockTally tally_before(std::size_t line) const;

    // Lines [first, first + count) give way to the added ones, unread.
    void lay(std::size_t first, std::size_t count, const std::vector<std::string_view>& added);
    void read_again(std::size_t line);
    void follow(std::size_t line, bool result_changed, const std::vector<std::string>& names);
    void follow_block(std::size_t line);
    void pend(std::size_t line);
    // Files the line under the names it gives and takes, or takes it out (in: false).
    void file(Handle line, const std::vector<std::string>& names, const std::vector<std::string>& takes,
              bool takes_previous, bool in);
    std::optional<std::size_t> definition_before(std::string_view name, std::size_t line) const;
    // The names a line gives the lines below it: what it defines, and a total line's word.
    static std::vector<std::string> names_of(const Line& line);

    // Lists of handles kept in the memo's order.
    void insert_sorted(std::vector<Handle>& lines, Handle line) const;
    void erase_sorted(std::vector<Handle>& lines, Handle line) const;
    std::vector<Handle>::const_iterator first_from(const std::vector<Handle>& lines, std::size_t line) const;
    std::vector<Handle>::const_iterator first_after(const std::vector<Handle>& lines, std::size_t line) const;

    std::vector<Line> lines_;  // by handle
    std::vector<Handle> free_;
    LineOrder order_;
    // By name, the lines that define it (a total line defines its word) and the lines
    // that take it, in order.
    std::unordered_map<std::string, std::vector<Handle>> definitions_;
    std::unordered_map<std::string, std::vector<Handle>> takers_;
    std::vector<Handle> previous_takers_;  // lines that take the result above
    // While a change is read: the lines still to read below the edited ones, which are
    // read anyway.
    std::set<std::size_t> pending_;
    std::size_t edited_last_ = 0;
    std::size_t reread_ = 0;
};

}  // namespace numvora
