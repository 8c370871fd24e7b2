// Notes written with their answers before the reader ran them (fresh_notes.txt): every
// line's margin and the total of each note selected whole come out as the writer expected.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/evaluate.h"
#include "calculator/tokenizer.h"
#include "notes/book/notebook.h"
#include "notes/figures/money_expression.h"
#include "notes/figures/note_calendar.h"
#include "notes/figures/written_number.h"

namespace numvora {

extern const std::string_view FRESH_NOTES[];
extern const std::size_t FRESH_NOTES_PIECES;

namespace {

constexpr std::string_view ARROW = "⟶";

struct Note {
    std::string title;
    std::string text;
    std::vector<std::string> expected;
    std::optional<std::string> selection;
};

std::vector<Note> fresh_notes() {
    std::string all;
    for (std::size_t i = 0; i < FRESH_NOTES_PIECES; ++i) all += FRESH_NOTES[i];
    std::vector<Note> notes;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        const std::string_view line = std::string_view(all).substr(start, end - start);
        start = end + 1;
        if (line.starts_with("## ")) {
            notes.push_back({std::string(line.substr(3)), {}, {}, {}});
            continue;
        }
        const std::size_t arrow = line.find(ARROW);
        if (notes.empty() || arrow == std::string_view::npos) continue;
        std::string_view text = line.substr(0, arrow);
        if (text.ends_with(' ')) text.remove_suffix(1);
        std::string_view expected = line.substr(arrow + ARROW.size());
        while (expected.starts_with(' ')) expected.remove_prefix(1);
        if (text == "@선택합계") {
            notes.back().selection = std::string(expected);
            continue;
        }
        Note& note = notes.back();
        if (!note.expected.empty()) note.text += '\n';
        note.text += text;
        note.expected.emplace_back(expected);
    }
    return notes;
}

// One writing of a value that others of it share: money by its value however it is written
// ("67만 3,000원", "673000", "$360 → 496,800원" by its won), foreign money by its code, an
// area to the hundredth, anything else as written without spaces.
std::string canonical(std::string_view written) {
    std::string text;
    for (const char c : written) {
        if (c != ' ' && c != ',') text += c;
    }
    if (const std::size_t arrow = text.find("→"); arrow != std::string::npos) text.erase(0, arrow + 3);
    if (text.size() > 5 && text.ends_with(")") && text[text.size() - 5] == '(') text.erase(text.size() - 5);
    for (const std::string_view won : {"₩", "원"}) {
        if (text.starts_with(won)) text.erase(0, won.size());
        if (text.ends_with(won)) text.erase(text.size() - won.size());
    }
    static constexpr std::pair<std::string_view, std::string_view> CURRENCIES[] = {
        {"달러", "USD"}, {"$", "USD"},    {"USD", "USD"}, {"엔", "JPY"},     {"¥", "JPY"},    {"€", "EUR"},
        {"유로", "EUR"}, {"위안", "CNY"}, {"£", "GBP"},   {"파운드", "GBP"}, {"바트", "THB"}, {"동", "VND"}};
    std::string code;
    for (const auto& [form, name] : CURRENCIES) {
        if (text.starts_with(form) || text.ends_with(form)) {
            text.erase(text.starts_with(form) ? 0 : text.size() - form.size(), form.size());
            code = name;
            break;
        }
    }
    std::string unit;
    for (const std::string_view area : {"평", "㎡"}) {
        if (text.ends_with(area)) {
            text.erase(text.size() - area.size());
            unit = area;
        }
    }
    // Digits with 조, 억 and 만 groups.
    long double value = 0, group = 0;
    bool number = !text.empty();
    for (std::size_t i = 0; i < text.size() && number;) {
        const std::string_view rest = std::string_view(text).substr(i);
        if (rest.starts_with("조") || rest.starts_with("억") || rest.starts_with("만")) {
            value += group * (rest.starts_with("조") ? 1e12L : rest.starts_with("억") ? 1e8L : 1e4L);
            group = 0;
            i += 3;
            continue;
        }
        const std::string digits(rest.substr(0, rest.find_first_not_of("-0123456789.")));
        char* end = nullptr;
        group = digits.empty() ? 0 : std::strtold(digits.c_str(), &end);
        // "2027-03-18" is a date, no number.
        if (digits.empty() || end != digits.c_str() + digits.size()) {
            number = false;
            break;
        }
        i += digits.size();
    }
    if (!number) return code + unit + text;
    value += group;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, unit.empty() ? "%.6Lf" : "%.2Lf", value + (unit.empty() ? 0 : 1e-9L));
    return code + unit + buffer;
}

TEST(FreshNotes, EveryLineAndTotalAsItsWriterExpected) {
    const std::vector<Note> notes = fresh_notes();
    ASSERT_GE(notes.size(), 400U);
    for (const Note& note : notes) {
        NoteBook book;
        book.set_today(day_number(2026, 12, 9));
        book.assign(note.text);
        ASSERT_EQ(book.size(), note.expected.size()) << note.title;
        for (std::size_t line = 0; line < book.size(); ++line) {
            const std::string shown = book.shown(line, {}).value_or("");
            const std::string& expected = note.expected[line];
            EXPECT_TRUE(shown.empty() == expected.empty() && (shown.empty() || canonical(shown) == canonical(expected)))
                << note.title << "\n"
                << book.text(line) << "\nshows \"" << shown << "\", expected \"" << expected << "\"";
        }
        if (!note.selection) continue;
        const NotesSum sum = book.selection_total(0, note.text);
        const std::string total = sum.value.empty() ? "" : result_text(sum.result(), true);
        EXPECT_TRUE(total.empty() == note.selection->empty() &&
                    (total.empty() || canonical(total) == canonical(*note.selection)))
            << note.title << "\nselection total \"" << total << "\", expected \"" << *note.selection << "\"";
    }
}

// The calculator reads money as the memo does: every line of the notes the calculator's
// box would take (pasted, or typed with money in it) comes to the value the memo gives it.
TEST(FreshNotes, TheCalculatorReadsMoneyAsTheMemoDoes) {
    for (const Note& note : fresh_notes()) {
        for (const std::string_view line : note_lines(note.text)) {
            // Plain arithmetic is the calculator's own ("2026-12-31 - 2026-12-24" subtracts).
            if (evaluate(strip_commas(line))) continue;
            const Result<std::string, char32_t> money = read_money_expression(line);
            const Result<double, CalcError> calculated =
                money ? evaluate(*money) : Result<double, CalcError>(fail(CalcError{calc_error::Empty{}}));
            if (!calculated) continue;
            const LineReading memo = read_line(line, true);
            EXPECT_TRUE(memo.has_result() && memo.currency.empty()) << line;
            if (memo.has_result()) {
                EXPECT_EQ(memo.value, notes_detail::note_value_text(*calculated)) << line;
            }
        }
    }
}

}  // namespace
}  // namespace numvora
