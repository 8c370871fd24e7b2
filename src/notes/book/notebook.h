// The memo's lines with their readings, kept as the memo changes. Names make a line
// depend on the lines above it ("월세 = 55만원", then "월세 * 12"), so each line keeps
// what it defines and what its reading asked of the lines above; an edit re-reads the
// edited lines and then only the lines below that asked for a changed name, a changed
// result above, or a changed block. A new day re-reads the lines that asked for today.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "notes/book/line_order.h"
#include "notes/book/note_blocks.h"
#include "notes/reading/line_reading.h"

namespace numvora {

// A line longer than this (in bytes) is not read for a result.
inline constexpr std::size_t LINE_READ_MAX = 1 << 17;

class NoteBook {
public:
    // The whole text anew: a memo read, a document opened, a version restored.
    void assign(std::string_view text);
    // Lines [first, first + count) become the lines of text (a text without a line break
    // is one line; count may be 0 to insert). Answers how many lines it read again.
    std::size_t replace(std::size_t first, std::size_t count, std::string_view text);

    std::size_t size() const { return order_.size(); }
    std::string_view text(std::size_t line) const { return line_at(line).text; }
    const LineReading& reading(std::size_t line) const { return line_at(line).reading; }
    // The line's result, a total line's total included, as plain decimal text counted in
    // its unit.
    std::optional<std::string> result(std::size_t line) const {
        const Line& at = line_at(line);
        return at.has_result() ? std::optional<std::string>(at.value()) : std::nullopt;
    }
    // The result with its unit, currency and writing, for the writer.
    std::optional<NoteResult> note_result(std::size_t line) const;
    // The same as the margin shows it: "49,500" (grouped), "9시간 30분", "2027-03-18 (목)".
    std::optional<std::string> shown(std::size_t line, ResultView view) const;
    // What a total line at the line would add (F9 on it, its status); before_on_line: text
    // before a total word on its own line, part of the block.
    NotesSum total_at(std::size_t line, std::string_view before_on_line = {}) const;
    // A text read as if it stood at the line: a selection, with the names above it.
    LineReading read_at(std::size_t line, std::string_view text, bool selected) const;
    // The total of a selection that begins on the line, each of its lines read with the
    // names above it.
    NotesSum selection_total(std::size_t line, std::string_view text) const;
    // Today's date, for "오늘", D-days and dates without a year; none at first, and then
    // such lines have no result. A change reads again the lines that asked for it, and
    // answers how many.
    std::size_t set_today(std::optional<DayNumber> today);

private:
    using Handle = LineOrder::Handle;
    // What a line's reading asked of the lines above it and of the book.
    struct Asked {
        std::vector<std::string> names;
        bool previous = false;  // the result above
        bool block = false;     // its block
        bool today = false;
        bool paragraph = false;  // what its paragraph holds
        bool across = false;     // the totals right above its empty block
        bool operator==(const Asked&) const = default;
    };
    struct Line {
        std::string text;
        LineReading reading;
        // A total line's total with its unit (a total of durations is one), currency,
        // writing and won; any other line's result is its reading's. Kept apart, as few lines
        // are totals and a memo's lines are many.
        std::shared_ptr<const NoteResult> total;
        LineTraits traits;
        ParagraphFacts paragraph;    // of the paragraph it stands in, kept as lines come and go
        Handle paragraph_first = 0;  // and that paragraph's first line
        Asked asked;

        // The result, no value for none.
        const std::string& value() const { return total ? total->value : reading.value; }
        ResultUnit unit() const { return total ? total->unit : reading.unit; }
        const std::string& currency() const { return total ? total->currency : reading.currency; }
        AmountWriting writing() const { return total ? total->writing : reading.writing; }
        NoteResult written() const { return total ? *total : reading.result(); }
        bool has_result() const { return !value().empty(); }
    };
    // The lines by handle, in blocks that stay where they are: a memo read on at its end
    // moves none of the lines read before it, as a growing vector would move them all.
    class LineStore {
    public:
        LineStore() = default;
        LineStore(const LineStore&) = delete;
        LineStore(LineStore&&) noexcept = default;
        LineStore& operator=(const LineStore&) = delete;
        LineStore& operator=(LineStore&&) noexcept = default;
        ~LineStore() = default;

        Line& operator[](Handle line) { return (*blocks_[line / BLOCK])[line % BLOCK]; }
        const Line& operator[](Handle line) const { return (*blocks_[line / BLOCK])[line % BLOCK]; }
        // A clear line after the others.
        Handle add() {
            // Every member of a line has its own initializer: no block is zeroed first.
            if (size_ == blocks_.size() * BLOCK) blocks_.push_back(std::make_unique_for_overwrite<Block>());
            return static_cast<Handle>(size_++);
        }
        void clear() {
            blocks_.clear();
            size_ = 0;
        }

    private:
        static constexpr std::size_t BLOCK = 256;
        using Block = std::array<Line, BLOCK>;
        std::vector<std::unique_ptr<Block>> blocks_;
        std::size_t size_ = 0;
    };
    class ScopeAt;

    const Line& line_at(std::size_t line) const { return lines_[order_.at(line)]; }
    Line& line_at(std::size_t line) { return lines_[order_.at(line)]; }
    BlockMark mark(std::size_t line) const;
    bool ends_blocks_at(std::size_t line) const;
    // The tally of the lines above the line, from where its block begins.
    BlockTally tally_before(std::size_t line) const;
    // A grand total's sum; across: whether it had nothing of its own, so that it may take
    // the totals right above it.
    NotesSum total_of(std::size_t line, std::string_view before_on_line, bool* across) const;
    // "지급 합계 / … / 공제 합계 / 실수령": the totals of opposite signs right above a grand
    // total that adds nothing of its own, or that only sees the last of them.
    std::optional<NotesSum> totals_above(std::size_t line, const NotesSum& own) const;

    // Lines [first, first + count) give way to the added ones, unread and with no traits.
    void lay(std::size_t first, std::size_t count, const std::vector<std::string_view>& added);
    // A line's traits; memo, when given, keeps its tokens for its reading.
    static void take_traits(Line& line, notes_detail::TokenMemo* memo = nullptr);
    // Lines added at the memo's end are laid, given their traits and read, a paragraph at
    // a time, each line cut into tokens once for both.
    void read_added(const std::vector<std::string_view>& added);
    // count lines after the last, clear, their texts still to come.
    void lay_ahead(std::size_t count);
    static constexpr std::size_t LAY_AHEAD = 256;
    // The paragraphs around lines [first, last] after a change: each line takes what its
    // paragraph now holds; the lines that asked and now see otherwise are read again, those
    // above first from the returned line on. old: the facts the changed lines' paragraphs had.
    std::size_t settle_paragraphs(std::size_t first, std::size_t last);
    void read_again(std::size_t line, notes_detail::TokenMemo* memo = nullptr);
    void read_pending();
    void follow(std::size_t line, bool result_changed, const std::vector<std::string>& names);
    void follow_block(std::size_t line);
    // The lines below that take a rate of exchange, where a paragraph between may have changed.
    void follow_rates(std::size_t line);
    void pend(std::size_t line);
    // Files the line under the names it gives and what it asked for, or takes it out (in: false).
    void file(Handle line, const std::vector<std::string>& names, const Asked& asked, bool in);
    std::optional<std::size_t> definition_before(std::string_view name, std::size_t line) const;
    // The names a line gives the lines below it: what it defines, and a total line's word.
    static std::vector<std::string> names_of(const Line& line);

    // Lists of handles kept in the memo's order.
    void insert_sorted(std::vector<Handle>& lines, Handle line) const;
    void erase_sorted(std::vector<Handle>& lines, Handle line) const;
    std::vector<Handle>::const_iterator first_from(const std::vector<Handle>& lines, std::size_t line) const;
    std::vector<Handle>::const_iterator first_after(const std::vector<Handle>& lines, std::size_t line) const;

    LineStore lines_;
    std::vector<Handle> free_;
    LineOrder order_;
    // By name, the lines that define it (a total line defines its word) and the lines
    // that take it, in order.
    std::unordered_map<std::string, std::vector<Handle>> definitions_;
    std::unordered_map<std::string, std::vector<Handle>> takers_;
    std::vector<Handle> previous_takers_;  // lines that take the result above
    std::vector<Handle> today_takers_;     // lines that asked for today's date
    std::optional<DayNumber> today_;
    // While a change is read: the lines still to read from pend_from_ on; the edited lines
    // above it are read anyway.
    std::set<std::size_t> pending_;
    std::size_t pend_from_ = 0;
    std::size_t reread_ = 0;
};

}  // namespace numvora
