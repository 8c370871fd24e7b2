// What the lines of notes add up to: the one rule for a block and its total line, and
// the total of a selection. The margin, F9, the total lines and the selection total all
// take their figures from here, so that they always agree.
//
// A total line (합계, 소계, 총계 …) is the sum of the line results above it, back to the
// previous empty line or total line. A total line other than 소계 that follows 소계
// lines adds their results too: the sections above it, each ending in a 소계, with empty
// lines allowed between them. Counts are added only where nothing else is.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "notes/line_reading.h"

namespace numvora {

// A total line adds at most this many lines above it: the margin reads no further.
inline constexpr std::size_t BLOCK_LINES_MAX = 1000;

// The figures a total passed over, for the status line.
struct PassedFigures {
    std::size_t dates = 0;
    std::size_t counts = 0;
    std::size_t rates = 0;
    std::size_t ranges = 0;
    std::size_t foreign = 0;
    std::size_t several = 0;  // lines with more than one amount and no operator
};

struct NotesSum {
    std::vector<std::string> added;  // plain decimal text, in order
    std::string value;               // their sum; empty when nothing was added
    bool grouped = false;            // how a sum written into the memo looks
    PassedFigures passed;
};

// Line results in the making: amounts and counts apart, and what was passed over.
class ResultSum {
public:
    // A line that is no total line.
    void take(const LineReading& reading);
    // The amounts of one line's figures: a selection inside a line.
    void take_figures(const LineReading& reading);
    NotesSum sum() const;
    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        std::string value;
        bool count = false;
        bool grouped = false;
    };
    void pass_over(const Figure& figure);
    void add(std::string value, bool count, bool grouped);
    std::vector<Entry> entries_;
    PassedFigures passed_;
    // Kept as the entries come, so that a total on every screen does not read them all again.
    double amount_sum_ = 0.0;
    double count_sum_ = 0.0;
    std::size_t amounts_ = 0;
};

// Reads lines in order and knows, at each, what a total line there would be.
class BlockTally {
public:
    // Takes the next line and gives its result: a total line's sum, or the line's own.
    std::optional<std::string> take(std::string_view line);
    // The same for a line already read (empty: nothing but white space on it).
    std::optional<std::string> take(const LineReading& reading, bool empty);
    // What a total line with this word would add here (status and all).
    NotesSum total(TotalWord word) const;

private:
    ResultSum block_;                // the results since the block began
    std::optional<NotesSum> chain_;  // the 소계 results of the sections above
    bool gap_ = false;               // an empty line since the chain's last 소계
    bool after_sub_ = false;         // the nearest line above with text is a 소계
};

// The result of each line, in order, as plain decimal text; tally: what the lines above
// these left (tally_of).
std::vector<std::optional<std::string>> line_results(std::span<const std::string_view> lines, BlockTally tally = {});

// The tally after the lines, read from the last line that ends every block above (a
// total line other than 소계, or an empty line after a line that is no total line).
BlockTally tally_of(std::span<const std::string_view> lines);

// Where reading may start afresh: just after the last total line other than 소계, or the
// last empty line below a line that is no total line; nothing when there is none.
// is_empty(i): line i is white space alone; word_of(i): its total word, None for a line
// that is no total line.
template <class IsEmpty, class WordOf>
std::optional<std::size_t> after_block_end(std::size_t count, IsEmpty is_empty, WordOf word_of) {
    enum class Above { Unknown, Text, Total } above = Above::Unknown;
    std::optional<std::size_t> start;
    for (std::size_t i = 0; i < count; ++i) {
        if (is_empty(i)) {
            if (above == Above::Text) start = i + 1;
            continue;
        }
        const TotalWord word = word_of(i);
        if (word == TotalWord::Grand) start = i + 1;
        above = word == TotalWord::None ? Above::Text : Above::Total;
    }
    return start;
}

// The lines of a text, broken at "\r", "\n" or "\r\n"; a text without a break is one line.
std::vector<std::string_view> note_lines(std::string_view text);

// What a total line written right after the text adds: F9 on a total line. A piece of
// a line at the text's end belongs to the block; at most BLOCK_LINES_MAX lines count.
NotesSum total_after(std::string_view text, TotalWord word);

// Whether the lines hold such an end, so that nothing above them counts below them.
bool has_block_end(std::span<const std::string_view> lines);

// Whether the first total line among the lines needs the lines above them.
bool first_total_reaches_above(std::span<const std::string_view> lines);

// The total of a selection: the results of the lines it covers (total lines are sums
// already and are passed over), or within one line, the amounts it covers.
NotesSum selection_total(std::string_view text);
// The same with each of its lines read by read(n, line): the nth line of the selection,
// with the names above it.
using LineReader = std::function<LineReading(std::size_t, std::string_view)>;
NotesSum selection_total(std::string_view text, const LineReader& read);

// "a + b - c" for the engine: a negative value after the first is subtracted.
std::string sum_expression(const std::vector<std::string>& values);

// The status line after a total: "3개를 더했습니다 (날짜·시간 3개, 개수 1개 제외)", or
// "더할 숫자가 없습니다".
std::string total_status_text(const NotesSum& sum);

}  // namespace numvora
