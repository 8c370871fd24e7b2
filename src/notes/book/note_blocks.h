// What the lines of notes add up to: the one rule for a block and its total line, and
// the total of a selection. The margin, F9, the total lines and the selection total all
// take their figures from here, so that they always agree.
//
// A total line (합계, 소계, 총계 …) is the sum of the line results above it, back to the
// previous empty line or total line. A total line other than 소계 adds the 소계 results
// above it too, back to the previous such total, with empty lines allowed between the
// sections. A chain (a line and the lines under it that open with an operator) adds once,
// by its last value. Durations are added only where no amount is, counts only where
// nothing else is; foreign money, dates, days and areas never.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/reading/line_reading.h"

namespace numvora {

// A total line adds at most this many lines above it: the margin reads no further.
inline constexpr std::size_t BLOCK_LINES_MAX = 1000;

// The figures a total passed over, for the status line.
struct PassedFigures {
    std::size_t dates = 0;
    std::size_t counts = 0;
    std::size_t rates = 0;
    std::size_t ranges = 0;
    std::vector<NoteResult> foreign;  // foreign money no rate makes won, each as written
    std::size_t areas = 0;
    std::size_t several = 0;      // lines with more than one amount and no operator
    std::size_t totals = 0;       // lines that go on from a total ("합계 / x 12")
    std::size_t pay_rates = 0;    // "시급 10,030"
    std::size_t each = 0;         // "회비 3만씩"
    std::size_t unit_prices = 0;  // "평단 58,000"
    std::size_t per_units = 0;    // "1박당 12,000엔"
};

// What a sum adds: the amounts where there are any, else the durations, else the counts.
enum class SumOf : std::uint8_t { Amounts, Durations, Counts };

struct NotesSum {
    std::vector<std::string> added;  // plain decimal text, in order
    std::string value;               // their sum; empty when nothing was added
    SumOf of = SumOf::Amounts;
    ResultUnit unit = ResultUnit::Number;  // Duration for durations, Money for money
    bool grouped = false;                  // how a sum written into the memo looks
    AmountWriting writing;                 // the lines' own, when they all write money alike
    // A block of one foreign currency only totals in it: "$120 / $45.50 / 합계" is $165.50,
    // and its value in won where every line had a rate.
    std::string currency;
    std::string won;
    PassedFigures passed;
    // A line with money on it that could not be read: the sum gives no figure, and the
    // status line names the line.
    std::string unread;

    NoteResult result() const { return {value, unit, currency, writing, won, grouped}; }
};

// Line results in the making: amounts and counts apart, and what was passed over.
class ResultSum {
public:
    // The next line: an empty line (a default reading) or a total line adds nothing and
    // ends a chain; a line that goes on from the one above takes the place of its result.
    // text: the line as written, for the status line when it could not be read.
    void take(const LineReading& reading, std::string_view text = {});
    // The amounts of one line's figures: a selection inside a line.
    void take_figures(const LineReading& reading);
    // A 소계's sum as a section of a grand total: what it added and what it passed over.
    void take_section(const NotesSum& section);
    // won_only: foreign money is passed over, not a reason to give no sum.
    NotesSum sum(bool won_only = false) const;
    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        std::string value;
        // Counted already: a name alone whose definition this sum added, and the chain on it.
        double counted = 0.0;
        SumOf of = SumOf::Amounts;
        bool money = false;
        bool grouped = false;
        AmountWriting writing;
        std::string currency;  // foreign money, as written
        std::string won;       // and its value in won at a rate, if there was one
        // What it adds into a won total; nothing for foreign money without a rate.
        const std::string& in_won() const { return currency.empty() ? value : won; }
    };
    // What the line above gave: nothing, an entry, a figure passed over, or a total (whose
    // chain, "합계 / x 12", is made of sums already).
    enum class Last : std::uint8_t { Nothing, Entry, Passed, Total };
    void pass_over(const Figure& figure);
    void pass(std::size_t PassedFigures::*figures);
    void add(Entry entry);
    // The entries' sum when they are all foreign money of one currency.
    std::optional<NotesSum> foreign_sum(NotesSum out) const;
    void take_back(Last last);
    std::vector<Entry> entries_;
    std::vector<std::string> defined_;  // the names whose definitions were added
    std::string unread_;
    Last last_ = Last::Nothing;
    std::size_t PassedFigures::*last_passed_ = nullptr;
    PassedFigures passed_;
    // Kept as the entries come, so that a total on every screen does not read them all
    // again: by SumOf, the sums and how many entries.
    double sums_[3] = {};
    std::size_t counts_[3] = {};
};

// What of a line the block rule looks at.
struct BlockMark {
    bool empty = true;  // white space alone
    TotalWord word = TotalWord::None;
};

// The block rule: whether a line ends every block above it, so that nothing above it
// counts in a total below. A total line other than 소계 does, and so does an empty line
// right under a line with text that is no total line (below a 소계, sections go on).
bool ends_blocks(BlockMark line, BlockMark above);

// Reads lines in order and knows, at each, what a total line there would be. Starting
// just after a line that ends blocks is the same as starting at the top.
class BlockTally {
public:
    // Takes the next line and gives its result: a total line's sum, or the line's own.
    // empty: nothing but white space on it.
    std::optional<std::string> take(const LineReading& reading, bool empty, std::string_view text = {});
    // What a total line with this word would add here (status and all).
    NotesSum total(TotalWord word, bool won_only = false) const;
    // Whether a total line here would add anything of its own section: "일시불 소계 438,220"
    // under an earlier 소계 is an amount, named.
    bool has_result() const { return !block_.empty(); }

private:
    ResultSum block_;                 // the results since the block or section began
    std::optional<ResultSum> chain_;  // the 소계 results of the sections above
    bool gap_ = false;                // an empty line since they began
    bool opening_ = false;            // the next line opens a paragraph past that gap
    bool headed_ = false;             // and a line with no figure opened it
    ResultSum headed_chain_;          // the 소계 sections since that heading
    int headed_count_ = 0;            // and how many
    BlockMark above_;
};

// The lines of a text, broken at "\r", "\n" or "\r\n"; a text without a break is one line.
std::vector<std::string_view> note_lines(std::string_view text);

// The total of a selection: the results of the lines it covers (total lines are sums
// already and are passed over), or within one line, the amounts it covers; each of its
// lines read by read(n, line): the nth line of the selection, with the names above it.
using LineReader = std::function<LineReading(std::size_t, std::string_view)>;
NotesSum selection_total(std::string_view text, const LineReader& read);

// "a + b - c" for the engine: a negative value after the first is subtracted.
std::string sum_expression(const std::vector<std::string>& values);

// The status line after a total: "3개를 더했습니다 (날짜·시간 3개, 개수 1개 제외)", or
// "더할 숫자가 없습니다 (면적 1개 제외)".
std::string total_status_text(const NotesSum& sum);

}  // namespace numvora
