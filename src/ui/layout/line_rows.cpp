#include "ui/layout/line_rows.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace numvora {

void replace_lines(LineRows& known, std::size_t first, std::size_t removed, std::size_t added) {
    const std::size_t end = known.first + known.rows.size();
    if (first >= end) return;
    if (first < known.first) {
        known.rows.clear();
        return;
    }
    const auto at = known.rows.begin() + static_cast<std::ptrdiff_t>(first - known.first);
    if (removed == 1 && added == 1) {
        *at = -std::abs(*at);
        return;
    }
    known.rows.insert(known.rows.erase(at, at + static_cast<std::ptrdiff_t>(std::min(removed, end - first))), added, 0);
}

namespace {

struct Screen {
    std::int32_t bottom = 0;
    std::size_t lines = 0;  // of the text
};

// The rows of a line whose first row's top is y, which took `before` rows before an
// edit within it (0: not known).
std::int32_t rows_of(const LineRows& known, std::size_t line, std::int32_t y, std::int32_t row_height,
                     std::int32_t before, const Screen& screen, const RowQuestions& ask) {
    if (known.counted && ask.one_row(line)) return 1;
    // Its rows are kept when a repaint within them shows nothing moved: that needs a
    // line below to move, and the line's end on the screen.
    const std::int32_t end = y + before * row_height;
    if (known.counted && before > 0 && line + 1 < screen.lines && end < screen.bottom && ask.repainted_within(y, end))
        return before;
    std::optional<std::int32_t> last = known.counted ? ask.caret_last_row(line) : std::nullopt;
    if (last && *last >= y && (*last - y) % row_height == 0) return (*last - y) / row_height + 1;
    return std::max(1, (ask.last_row_top(line) - y) / row_height + 1);
}

// The walk down from the first line known; nothing when the screen lies more than a
// screen below it, where asking afresh costs less than counting down.
std::optional<std::vector<LaidLine>> walk(LineRows& known, std::int32_t top, std::int32_t bottom,
                                          std::int32_t row_height, std::size_t lines, const RowQuestions& ask) {
    const std::size_t far = static_cast<std::size_t>((bottom - top) / row_height) + 1;
    std::vector<LaidLine> laid;
    std::int32_t y = known.top;
    std::size_t i = 0;
    std::size_t above = 0;
    for (std::size_t line = known.first; line < lines && y < bottom; ++line, ++i) {
        if (i == known.rows.size()) known.rows.push_back(0);
        if (!known.counted) {
            y = ask.first_row_top(line);
            known.rows[i] = 0;
        }
        if (known.rows[i] <= 0)
            known.rows[i] = rows_of(known, line, y, row_height, -known.rows[i], {bottom, lines}, ask);
        const std::int32_t last = y + (known.rows[i] - 1) * row_height;
        if (last + row_height > top && last < bottom) {
            laid.push_back({line, last});
        } else if (++above > far) {
            return std::nullopt;
        }
        y += known.rows[i] * row_height;
    }
    known.rows.resize(i);
    // The lines wholly above the screen are forgotten: a scroll back counts them again.
    std::size_t gone = 0;
    while (gone + 1 < known.rows.size() && known.top + known.rows[gone] * row_height <= top) {
        known.top += known.rows[gone] * row_height;
        ++gone;
    }
    known.rows.erase(known.rows.begin(), known.rows.begin() + static_cast<std::ptrdiff_t>(gone));
    known.first += gone;
    return laid;
}

// The lines just above the first known, up to the screen's top; false when that is more
// than a screen of lines.
bool extend_up(LineRows& known, std::int32_t top, std::int32_t bottom, std::int32_t row_height,
               const RowQuestions& ask) {
    const std::size_t far = static_cast<std::size_t>((bottom - top) / row_height) + 1;
    for (std::size_t added = 0; known.top > top && known.first > 0; ++added) {
        if (added > far) return false;
        const std::size_t line = known.first - 1;
        const std::int32_t rows =
            known.counted && ask.one_row(line) ? 1 : std::max(1, (known.top - ask.first_row_top(line)) / row_height);
        known.rows.insert(known.rows.begin(), rows);
        known.top -= rows * row_height;
        known.first = line;
    }
    return true;
}

}  // namespace

std::vector<LaidLine> lay_out_screen(LineRows& known, std::int32_t top, std::int32_t bottom, std::int32_t row_height,
                                     std::size_t lines, const RowQuestions& ask) {
    if (lines == 0) return {};
    row_height = std::max(known.row_height > 0 ? known.row_height : row_height, 1);
    if (!known.rows.empty() && known.counted && extend_up(known, top, bottom, row_height, ask)) {
        std::optional<std::vector<LaidLine>> laid = walk(known, top, bottom, row_height, lines, ask);
        if (laid && !laid->empty()) return *laid;
    }
    const std::size_t line = std::min(ask.line_at(std::max(top, 0)), lines - 1);
    const LineRows fresh{line, ask.first_row_top(line), {}, known.row_height, known.counted};
    known = fresh;
    std::vector<LaidLine> laid = *walk(known, top, bottom, row_height, lines, ask);
    // Laid out afresh, the rows counted are checked once against the control's. Rows of
    // another height than the font's: the control's own between two rows, checked in
    // turn; rows of no one height: every line asked from then on.
    if (!known.counted || laid.size() < 2 || ask.last_row_top(laid.back().line) == laid.back().last_row_top)
        return laid;
    const std::size_t first = laid.front().line;
    const std::int32_t height = ask.first_row_top(first + 1) - ask.last_row_top(first);
    if (fresh.row_height == 0 && height > 0 && height != row_height) {
        known = fresh;
        known.row_height = height;
        return lay_out_screen(known, top, bottom, height, lines, ask);
    }
    known = fresh;
    known.counted = false;
    return *walk(known, top, bottom, row_height, lines, ask);
}

namespace {

struct TopSpan {
    RowSpan span;
    std::int32_t top = 0;
};

// A run of characters on the row at top, joined to the row before when it is the same.
void add_span(std::vector<TopSpan>& rows, std::size_t first, std::size_t last, std::int32_t top) {
    if (!rows.empty() && rows.back().top == top)
        rows.back().span.last = std::max(rows.back().span.last, last);
    else
        rows.push_back({{first, last}, top});
}

// The rows of [first, last], whose ends' tops are known, appended in order.
void split_rows(std::size_t first, std::int32_t first_top, std::size_t last, std::int32_t last_top,
                const std::function<std::int32_t(std::size_t)>& row_top, std::vector<TopSpan>& rows) {
    if (first_top == last_top) return add_span(rows, first, last, first_top);
    if (last - first <= 1) {
        add_span(rows, first, first, first_top);
        return add_span(rows, last, last, last_top);
    }
    const std::size_t middle = first + (last - first) / 2;
    const std::int32_t middle_top = row_top(middle);
    split_rows(first, first_top, middle, middle_top, row_top, rows);
    split_rows(middle, middle_top, last, last_top, row_top, rows);
}

}  // namespace

std::vector<RowSpan> rows_of_characters(std::size_t first, std::size_t last,
                                        const std::function<std::int32_t(std::size_t)>& row_top) {
    if (last < first) return {};
    std::vector<TopSpan> rows;
    const std::int32_t first_top = row_top(first);
    split_rows(first, first_top, last, first == last ? first_top : row_top(last), row_top, rows);
    std::vector<RowSpan> spans(rows.size());
    std::transform(rows.begin(), rows.end(), spans.begin(), [](const TopSpan& row) { return row.span; });
    return spans;
}

}  // namespace numvora
