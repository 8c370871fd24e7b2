// The notebook kept edit by edit against the same text read whole on the same day: each
// line's reading, the margin, F9 on each total line and the selection total must be the
// same. Used by the notebook's tests and by the notes fuzz target.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/book/notebook.h"

namespace numvora::differential {

// An edit as the memo passes it on: lines [first, first + count) become text; or the
// next day begins.
struct LineEdit {
    std::size_t first = 0;
    std::size_t count = 0;
    std::string text;
    bool next_day = false;
};

inline std::string describe(const LineReading& r) {
    std::string out =
        std::to_string(static_cast<int>(r.kind)) + std::to_string(static_cast<int>(r.total)) + "|" + r.value +
        std::to_string(static_cast<int>(r.unit)) + "|" + r.defines + "|" + r.unknown + "|" + r.currency + "|" + r.won +
        "|" + r.gives + (r.continues ? "|c" : "|") + (r.sets_rate ? r.sets_rate->currency + r.sets_rate->won : "") +
        "|" + r.echoes + (r.signed_item ? std::to_string(static_cast<int>(*r.signed_item)) : "") +
        (r.unread ? "|u" : "|") + (r.parted ? "p" : "") + (r.writing.in_man ? "m" : "") + (r.writing.won ? "w" : "");
    for (const std::string& use : r.uses) out += use + ",";
    for (const Figure& f : r.figures)
        out += " " + f.value + std::to_string(static_cast<int>(f.role)) + (f.used ? "u" : "");
    return out;
}

inline std::string describe(const NotesSum& sum) {
    return margin_text(sum.result(), {true}) + std::to_string(static_cast<int>(sum.unit)) + "|" +
           total_status_text(sum);
}

class EditedNotes {
public:
    explicit EditedNotes(std::string_view text) {
        book_.set_today(today_);
        book_.assign(text);
        for (const std::string_view line : note_lines(text)) lines_.emplace_back(line);
    }

    void apply(const LineEdit& edit) {
        if (edit.next_day) {
            book_.set_today(++today_);
            return;
        }
        book_.replace(edit.first, edit.count, edit.text);
        const std::size_t first = std::min(edit.first, lines_.size());
        const auto from = lines_.begin() + static_cast<std::ptrdiff_t>(first);
        const auto to = from + static_cast<std::ptrdiff_t>(std::min(edit.count, lines_.size() - first));
        const std::vector<std::string_view> added = note_lines(edit.text);
        lines_.insert(lines_.erase(from, to), added.begin(), added.end());
    }

    const std::vector<std::string>& lines() const { return lines_; }
    const NoteBook& book() const { return book_; }
    std::string text() const {
        std::string text = lines_.front();
        for (auto line = std::next(lines_.begin()); line != lines_.end(); ++line) text += "\n" + *line;
        return text;
    }

    // What the edited book says otherwise than the text read whole, or than F9 and the
    // selection total; empty when they agree.
    std::string difference() const;
    DayNumber today() const { return today_; }

private:
    std::vector<std::string> lines_;
    DayNumber today_ = *day_number(2026, 12, 8);
    NoteBook book_;
};

// What book says otherwise than whole_text read whole on the day, or than F9 and the
// selection total; empty when they agree.
inline std::string difference(const NoteBook& book, std::string_view whole_text, DayNumber today) {
    NoteBook whole;
    whole.set_today(today);
    whole.assign(whole_text);
    if (whole.size() != book.size()) return "line count";
    for (std::size_t line = 0; line < whole.size(); ++line) {
        const std::string at = " at line " + std::to_string(line);
        if (book.text(line) != whole.text(line)) return "text" + at;
        if (describe(book.reading(line)) != describe(whole.reading(line))) return "reading" + at;
        if (book.shown(line, {}) != whole.shown(line, {})) return "margin" + at;
        if (book.shown(line, {true}) != whole.shown(line, {true})) return "margin in 만" + at;
        if (book.reading(line).kind != LineKind::Total) continue;
        const NotesSum f9 = book.total_at(line);
        if (describe(f9) != describe(whole.total_at(line))) return "F9" + at;
        if (book.result(line).value_or("") != f9.value) return "margin against F9" + at;
    }
    if (describe(book.selection_total(0, whole_text)) != describe(whole.selection_total(0, whole_text)))
        return "selection total";
    return {};
}

inline std::string EditedNotes::difference() const { return differential::difference(book_, text(), today_); }

// Pieces typed into a line, and lines put in whole: the words and marks that change
// what a line is and what the lines below it add up to.
inline constexpr std::string_view TYPED[] = {
    "합계",   "소계",       "총액 ", "a",     "b",       "위",      " = ",   " * ",   "+ ",    "- ",
    "× ",     "12,000",     "5",     "$",     "원",      "만",      " ",     "%",     ":",     "x 3",
    "/ 4",    "오늘",       "일",    "시간",  "~",       "D-",      "12월 ", "09:00", "㎡ 평", "엔",
    "부가세", " = 1,380원", "번호 ", "98500", "- 쿠폰 ", "+ 용돈 ", ", ",    "."};
inline constexpr std::string_view LINES[] = {"a = 5",
                                             "b = a + 2",
                                             "합계",
                                             "소계",
                                             "",
                                             "점심 12,000",
                                             "+ 커피 4,500",
                                             "× 2",
                                             "위 * 12",
                                             "카드 내역",
                                             "총액 128,000원",
                                             "a * 3",
                                             "총계",
                                             "- 교통 62,400",
                                             "합계 / 4 =",
                                             "b",
                                             "호텔 $120 x 3",
                                             "1,000원",
                                             "소계 + 1",
                                             "오늘 + 3일",
                                             "12월 25일 - 오늘",
                                             "D-day 12/25",
                                             "09:00~18:00",
                                             "근무 8시간",
                                             "a = 2026-12-01",
                                             "a + 10일",
                                             "+ 30분",
                                             "84㎡ 평",
                                             "$1 = 1,380원",
                                             "100엔 = 920원",
                                             "환율 1,380",
                                             "$12.50",
                                             "1,200엔",
                                             "부가세",
                                             "1억 2천만원 + 3만",
                                             "- 쿠폰 5,000",
                                             "+ 용돈 100,000",
                                             "- 점심 9,000",
                                             "식비 98500",
                                             "메모 98500",
                                             "회원번호: 88120457",
                                             "보증금 5천 / 월세 50",
                                             "12, 300원",
                                             "예산 = 500만원",
                                             "예산",
                                             "3개x2,500원",
                                             "6명 n빵",
                                             "민지 지각 3",
                                             "양가 지원 8천",
                                             "전세 3억 5천",
                                             "6명 =",
                                             "지급 합계",
                                             "공제 -1,000",
                                             "실수령",
                                             "- 콩나물 2봉",
                                             "첫달 입금 = 5",
                                             "입금",
                                             "12월 적립 = 3",
                                             "a - 12월 적립",
                                             "합계 x 7%"};

// Back to the start of a UTF-8 sequence, so that an edit never splits a character.
inline std::size_t char_start(std::string_view line, std::size_t at) {
    while (at > 0 && at < line.size() && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80) --at;
    return at;
}

// An edit drawn by pick(n), a number in [0, n): a piece typed or a few characters taken
// out of a line, a line broken or joined to the next, lines replaced or put in.
template <class Pick>
LineEdit random_edit(const std::vector<std::string>& lines, Pick&& pick) {
    const std::size_t line = pick(lines.size());
    const std::string& text = lines[line];
    const std::size_t at = char_start(text, pick(text.size() + 1));
    const std::size_t end = std::max(at, char_start(text, std::min(text.size(), at + 1 + pick(6))));
    switch (pick(6)) {
    case 5: return {0, 0, {}, true};
    case 0: return {line, 1, text.substr(0, at) + std::string(TYPED[pick(std::size(TYPED))]) + text.substr(at)};
    case 1: return {line, 1, text.substr(0, at) + text.substr(end)};
    case 2: return {line, 1, text.substr(0, at) + "\n" + text.substr(at)};
    case 3:
        if (line + 1 < lines.size()) return {line, 2, text + lines[line + 1]};
        [[fallthrough]];
    default: {
        // Fewer lines put in than taken out once the text is long, so that it stays short.
        const std::size_t count = pick(std::min<std::size_t>(3, lines.size() - line) + 1);
        std::string added(LINES[pick(std::size(LINES))]);
        for (std::size_t n = pick(lines.size() > 40 ? 1 : 3); n > 0; --n)
            added += "\n" + std::string(LINES[pick(std::size(LINES))]);
        return {line + pick(2), count, added};
    }
    }
}

}  // namespace numvora::differential
