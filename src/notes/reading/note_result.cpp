#include "notes/reading/note_result.h"

#include <algorithm>
#include <optional>

#include "calculator/number_format.h"
#include "common/unicode.h"
#include "notes/figures/korean_amount.h"
#include "notes/figures/note_area.h"
#include "notes/figures/note_calendar.h"
#include "notes/figures/note_durations.h"
#include "notes/figures/plain_number.h"
#include "notes/figures/written_number.h"
#include "notes/reading/line_parts.h"

namespace numvora {

namespace {

// A count in its unit: minutes, days, a day number.
std::optional<std::int64_t> whole(std::string_view text) {
    const std::optional<notes_detail::ExactDecimal> value = notes_detail::exact_decimal(text);
    if (!value || value->denominator != 1) return std::nullopt;
    return value->numerator;
}

// A sign goes before the figure ("$360"), a code before it with a space ("USD 22"), a
// word after it ("2,400엔").
std::string foreign_text(std::string_view figure, std::string_view currency) {
    const bool negative = figure.starts_with('-');
    const std::string sign = negative ? "-" : "";
    if (negative) figure.remove_prefix(1);
    const unsigned char first = currency.empty() ? 0 : static_cast<unsigned char>(currency.front());
    if (first >= 'A' && first <= 'Z') return sign + std::string(currency) + " " + std::string(figure);
    // Every currency word is Hangul, whose lead bytes are 0xEA to 0xED; the signs are not.
    if (first >= 0xEA && first <= 0xED) return sign + std::string(figure) + std::string(currency);
    return sign + std::string(currency) + std::string(figure);
}

// "$165.50", never "$165.5": a currency with cents writes a fraction of one digit to the cent.
std::string in_cents(std::string value, std::string_view currency) {
    const std::size_t point = value.find('.');
    const CurrencyRate* rate = currency_rate(currency_code(currency));
    if (point != std::string::npos && point + 2 == value.size() && (rate == nullptr || rate->cents)) value += '0';
    return value;
}

std::string money_text(const std::string& value, bool grouped, AmountWriting writing) {
    if (writing.in_man) {
        if (std::optional<std::string> text = korean_amount_text(value, writing.won)) return *std::move(text);
    }
    return grouped ? add_thousands_separators(value) : value;
}

}  // namespace

std::string result_text(const NoteResult& result, bool grouped) {
    using notes_detail::area_unit_text;
    using notes_detail::AreaUnit;
    const std::string& value = result.value;
    if (!result.currency.empty()) {
        const std::string figure = in_cents(value, result.currency);
        std::string text = foreign_text(grouped ? add_thousands_separators(figure) : figure, result.currency);
        // "$12.50 → 17,250원": a figure too short to show its grouping says nothing against it.
        const bool won_grouped = grouped || std::min(figure.find('.'), figure.size()) < 4;
        if (!result.won.empty())
            text += " → " + money_text(result.won, won_grouped, {result.writing.in_man, false}) + "원";
        return text;
    }
    const std::optional<std::int64_t> count = whole(value);
    switch (result.unit) {
    case ResultUnit::Number:
    case ResultUnit::Money: return money_text(value, grouped, result.writing);
    case ResultUnit::Date:
        if (count) return notes_detail::write_date(static_cast<DayNumber>(*count));
        break;
    case ResultUnit::DDay:
        if (count) return notes_detail::write_d_day(*count);
        break;
    case ResultUnit::Days: return value + "일";
    case ResultUnit::Duration:
        if (count) return notes_detail::write_duration(*count);
        break;
    case ResultUnit::Pyeong: return value + std::string(area_unit_text(AreaUnit::Pyeong));
    case ResultUnit::SquareMetre: return value + std::string(area_unit_text(AreaUnit::SquareMetre));
    case ResultUnit::Percent: return value + "%";
    }
    return grouped ? add_thousands_separators(value) : value;
}

std::string margin_text(NoteResult result, ResultView view) {
    result.writing.in_man = result.writing.in_man || view.in_man;
    return result_text(result, result.grouped);
}

std::optional<std::string> calculator_value(const NoteResult& result) {
    switch (result.unit) {
    case ResultUnit::Date:
    case ResultUnit::DDay:
    case ResultUnit::Duration:
    // "4.2% + 3%" is 7.2 in percent, where the expression it came from gives 0.072.
    case ResultUnit::Percent: return std::nullopt;
    default: return result.value;
    }
}

std::string written_result(const NoteResult& result, bool grouped) { return " = " + result_text(result, grouped); }

Result<std::string, AmountRefusal> copied_amount(const NoteResult& result, AmountCopy copy) {
    const bool amount = result.unit == ResultUnit::Money || result.unit == ResultUnit::Number;
    const std::string& won = result.currency.empty() ? result.value : result.won;
    if (!amount || won.empty()) return fail(AmountRefusal::NotAnAmount);
    return copy == AmountCopy::Words ? amount_in_words(won) : amount_figure(won);
}

namespace notes_detail {

namespace {

// A number, below zero or not, with a unit after it: "281일", "-17일", "25.41평".
bool written_count(std::string_view text, std::string_view unit) {
    if (text.starts_with('-')) text.remove_prefix(1);
    if (!text.ends_with(unit)) return false;
    const std::optional<DecimalRead> read = read_decimal(text, 0);
    return read && read->end + unit.size() == text.size();
}

bool written_duration(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    const std::optional<MinutesRead> read = read_duration(text, 0);
    return read && read->end == text.size();
}

// "2027-03-18 (목)": the date, and its weekday in parentheses.
bool written_date(std::string_view text) {
    const std::optional<DateRead> read =
        text.size() > 4 && text[4] == '-' ? read_date(text, 0, 0, false) : std::nullopt;
    return read && starts_at(text, read->end, " (") && text.ends_with(')') &&
           text.size() == read->end + std::string_view(" (목)").size();
}

bool written_d_day(std::string_view text) {
    if (text == "D-Day") return true;
    return (text.starts_with("D-") || text.starts_with("D+")) && text.size() > 2 && all_ascii_digits(text.substr(2));
}

// "$360", "-$5", "2,400엔", "USD 22": one figure of foreign money, its code before it at most.
bool written_foreign(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    const std::vector<Token> tokens = tokenize_line(text);
    if (tokens.empty() || tokens.size() > 2) return false;
    const Token& figure = tokens.back();
    const bool code_before =
        tokens.size() == 1 || (tokens[0].kind == TokenKind::Word &&
                               text.substr(tokens[0].begin, tokens[0].end - tokens[0].begin) == figure.currency);
    return figure.kind == TokenKind::Number && figure.marks.foreign && !figure.marks.unclear &&
           figure.end == text.size() && code_before;
}

}  // namespace

bool is_written_result(std::string_view text) {
    if (is_written_amount(text)) return true;
    if (text.find_first_of("\r\n") != std::string_view::npos) return false;
    text = trim_white_space(text);
    // "$12.50 → 17,250원": foreign money and its value in won.
    if (const std::size_t arrow = text.find(" → "); arrow != std::string_view::npos) {
        const std::string_view in_won = text.substr(arrow + std::string_view(" → ").size());
        return written_foreign(text.substr(0, arrow)) && in_won.ends_with("원") && is_written_amount(in_won);
    }
    return written_duration(text) || written_date(text) || written_d_day(text) || written_count(text, "일") ||
           written_count(text, area_unit_text(AreaUnit::Pyeong)) ||
           written_count(text, area_unit_text(AreaUnit::SquareMetre)) || written_foreign(text);
}

}  // namespace notes_detail

}  // namespace numvora
