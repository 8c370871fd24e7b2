// The rows of the lines about the screen, kept between paints, against a control whose
// rows are known: every paint places each result where a layout from scratch would,
// and asks the control only about what an edit or a scroll brought.
#include "ui/layout/line_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

namespace numvora {

void PrintTo(const LaidLine& laid, std::ostream* out) { *out << "line " << laid.line << " at " << laid.last_row_top; }
void PrintTo(const RowSpan& span, std::ostream* out) { *out << span.first << ".." << span.last; }

namespace {

// A control that lays out lines of the given rows each, and counts the position
// questions asked of it. A line marked long is one the margin cannot tell from its
// width alone.
struct FakeMemo {
    std::vector<std::int32_t> rows;
    std::int32_t height = 10;
    std::vector<bool> long_line = std::vector<bool>(rows.size(), false);
    std::optional<std::size_t> caret_at_end;  // of this line
    std::int32_t repainted_top = 0;           // since the last paint: what an edit moved
    std::int32_t repainted_bottom = 0;
    int asked = 0;

    std::int32_t top_of(std::size_t line) const {
        std::int32_t y = 0;
        for (std::size_t i = 0; i < line; ++i) y += rows[i] * height;
        return y;
    }
    RowQuestions questions() {
        return {[this](std::int32_t y) {
                    ++asked;
                    std::size_t line = 0;
                    while (line + 1 < rows.size() && top_of(line + 1) <= y) ++line;
                    return line;
                },
                [this](std::size_t line) { return ++asked, top_of(line); },
                [this](std::size_t line) { return ++asked, top_of(line) + (rows[line] - 1) * height; },
                [this](std::size_t line) { return rows[line] == 1 && !long_line[line]; },
                [this](std::size_t line) -> std::optional<std::int32_t> {
                    if (line != caret_at_end) return std::nullopt;
                    return top_of(line) + (rows[line] - 1) * height;
                },
                [this](std::int32_t top, std::int32_t bottom) {
                    return repainted_top >= top && repainted_bottom <= bottom;
                }};
    }
    std::vector<LaidLine> screen(std::int32_t top, std::int32_t bottom) const {
        std::vector<LaidLine> laid;
        for (std::size_t line = 0; line < rows.size(); ++line) {
            const std::int32_t last = top_of(line) + (rows[line] - 1) * height;
            if (last + height > top && last < bottom) laid.push_back({line, last});
        }
        return laid;
    }
    // The control repaints the lines an edit changed, and all below them when their rows
    // changed.
    void replace(std::size_t first, std::size_t removed, const std::vector<std::int32_t>& added) {
        const std::int32_t before = top_of(first + removed);
        repainted_top = top_of(first);
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(first),
                   rows.begin() + static_cast<std::ptrdiff_t>(first + removed));
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(first), added.begin(), added.end());
        long_line.assign(rows.size(), false);
        const std::int32_t after = top_of(first + added.size());
        repainted_bottom = after == before ? after : std::max(before, top_of(rows.size()));
    }
};

TEST(LineRows, EachPaintPlacesAsAFreshLayoutAndAsksOnlyAboutWhatChanged) {
    const std::vector<std::int32_t> memo = {1, 1, 2, 1, 1, 1, 3, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1,
                                            1, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3};
    struct Row {
        const char* what;
        std::int32_t first_top;  // the screen of the first paint, 100 pixels high
        std::size_t edit_at;     // the edit between the paints; no lines removed or added: none
        std::size_t removed;
        std::vector<std::int32_t> added;
        std::int32_t second_top;  // the screen of the second paint
        int questions;            // asked by the second paint at most
        std::int32_t true_height = 10;
        bool caret_at_end = false;  // of the last line the edit added
    };
    const Row rows[] = {
        {"nothing changed", 40, 0, 0, {}, 40, 0},
        {"a keystroke in a line that stays on one row", 40, 5, 1, {1}, 40, 0},
        {"a keystroke in a wrapped line that keeps its rows", 40, 6, 1, {3}, 40, 0},
        {"a wrapped line typed until it wraps once more", 40, 6, 1, {4}, 40, 1},
        {"a wrapped line shortened by a row", 40, 6, 1, {2}, 40, 2},
        {"the last line shortened by a row", 400, 39, 1, {2}, 400, 1},
        {"a line typed until it wraps moves the rows below", 40, 5, 1, {2}, 40, 1},
        {"the caret at the end of the wrapped line shows its last row", 40, 5, 1, {2}, 40, 0, 10, true},
        {"a wrapped line broken in two", 40, 6, 1, {1, 2}, 40, 1},
        {"two lines joined into a wrapped one", 40, 4, 2, {2}, 40, 1},
        {"an edit below the screen", 0, 30, 1, {3}, 0, 0},
        {"a scroll by a row", 0, 0, 0, {}, 10, 0},
        {"a scroll down past a wrapped line", 40, 0, 0, {}, 120, 1},
        {"a scroll up past a wrapped line", 120, 0, 0, {}, 60, 1},
        {"an edit above the screen moves it by rows not known", 200, 1, 1, {4}, 200, 4},
        {"a jump far down", 0, 0, 0, {}, 300, 4},
        {"rows taller than the font's", 40, 5, 1, {2}, 90, 40, 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeMemo control;
        control.rows = memo;
        control.height = row.true_height;
        control.long_line.assign(memo.size(), false);
        LineRows known;
        const RowQuestions ask = control.questions();
        EXPECT_EQ(lay_out_screen(known, row.first_top, row.first_top + 100, 10, control.rows.size(), ask),
                  control.screen(row.first_top, row.first_top + 100));
        if (row.removed + row.added.size() > 0) {
            control.replace(row.edit_at, row.removed, row.added);
            replace_lines(known, row.edit_at, row.removed, row.added.size());
            if (row.caret_at_end) control.caret_at_end = row.edit_at + row.added.size() - 1;
        }
        control.asked = 0;
        EXPECT_EQ(lay_out_screen(known, row.second_top, row.second_top + 100, 10, control.rows.size(), ask),
                  control.screen(row.second_top, row.second_top + 100));
        EXPECT_LE(control.asked, row.questions);
    }
}

// A figure's rows from the tops of a few of its characters: right however its rows
// break, and a row break costs a few questions, not one for each character.
TEST(LineRows, AFiguresRowsAreFoundByHalvingWhereTheyBreak) {
    struct Row {
        const char* what;
        std::vector<std::size_t> breaks;  // the first character of each row after the first
        std::size_t first;
        std::size_t last;
        std::vector<RowSpan> rows;
        int questions;  // at most
    };
    const Row rows[] = {
        {"one character", {}, 7, 7, {{7, 7}}, 1},
        {"on one row", {}, 3, 90, {{3, 90}}, 2},
        {"a break just after the first character", {4}, 3, 90, {{3, 3}, {4, 90}}, 9},
        {"a break before the last character", {90}, 3, 90, {{3, 89}, {90, 90}}, 9},
        {"across three rows", {30, 60}, 3, 90, {{3, 29}, {30, 59}, {60, 90}}, 16},
        {"two characters on two rows", {4}, 3, 4, {{3, 3}, {4, 4}}, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        int asked = 0;
        const auto top_of = [&](std::size_t character) {
            ++asked;
            return static_cast<std::int32_t>(std::upper_bound(row.breaks.begin(), row.breaks.end(), character) -
                                             row.breaks.begin()) *
                   20;
        };
        EXPECT_EQ(rows_of_characters(row.first, row.last, top_of), row.rows);
        EXPECT_LE(asked, row.questions);
    }
}

}  // namespace
}  // namespace numvora
