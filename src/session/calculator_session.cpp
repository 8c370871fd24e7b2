#include "session/calculator_session.h"

#include <algorithm>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "calculator/tokenizer.h"
#include "common/korean_particle.h"
#include "common/unicode.h"
#include "notes/figures/money_expression.h"
#include "notes/reading/line_reading.h"

namespace numvora {
namespace {

bool has_visible_character(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (!is_white_space(decode_utf8(text, pos))) return true;
    }
    return false;
}

// 은 after a final consonant, 는 otherwise (a sign, as 는).
std::string topic_particle(char32_t c) {
    const Ending ending = ending_of(c);
    return particle_after(ending == Ending::Unknown ? Ending::Vowel : ending, "은", "는");
}

// The box names the character it cannot read; one that shows as nothing is not named.
Calculation unreadable_calculation(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == REPLACEMENT_CHARACTER)
        return failed_calculation(calc_error::UnsupportedChar{c});
    std::string text = "오류: '";
    append_utf8(text, c);
    text += "'";
    text += topic_particle(c);
    text += " 계산식에 쓸 수 없습니다.";
    return {std::move(text), std::nullopt};
}

// One figure and no operator ("12000", "-(5000)", "84㎡"): what F9 on an amount or a lone
// total calculates, which the history does not list. Read as the engine reads it (where
// it has one number, a + or - is its sign), or, where it cannot, as the notes do: one of
// theirs with one figure is worked out only when it converts or spans ("84㎡ 평").
bool figure_alone(std::string_view expression) {
    const auto tokens = tokenize(expression);
    if (!tokens) {
        const LineReading reading = read_line(expression, true);
        return reading.figures.size() == 1 && reading.kind != LineKind::Expression;
    }
    return std::count_if(tokens->begin(), tokens->end(),
                         [](const Token& token) { return token.kind == TokenKind::Number; }) == 1;
}

// The result where a calculation shows: its figure in the toggle's form, and after it
// the unit the notes write after the figure of the expression's value ("84㎡ 평" is
// "25.41평", two dates apart "83일"). The record keeps the figure alone, which the box
// and the operations take.
std::string shown_result(bool group_thousands, std::string_view expression, std::string_view result) {
    std::string text = format_result_text(group_thousands, result);
    const LineReading reading = read_line(expression, true);
    if (reading.value != result) return text;
    // Written whole, money, a date or foreign money does not start with the bare figure.
    const std::string written = result_text(reading.result(), false);
    if (written.starts_with(result)) text += written.substr(result.size());
    return text;
}

}  // namespace

Calculation failed_calculation(const CalcError& error) {
    return {"오류: " + std::string(calc_error_message(error)), std::nullopt};
}

std::string memo_insertion(std::string text, char32_t preceding, char32_t following) {
    const bool after_digit = (preceding >= U'0' && preceding <= U'9') || (preceding >= U'０' && preceding <= U'９');
    if (after_digit) text.insert(text.begin(), ' ');
    if (is_letter_or_digit(following)) text += ' ';
    return text;
}

Calculation CalculatorSession::calculate(std::string_view box_text) const {
    std::string expression = strip_commas(box_text);
    Result<double, CalcError> value = evaluate(expression);
    // What the engine cannot read may be money as the memo writes it ("12만 3천원");
    // the history then keeps the expression the engine calculated.
    if (!value && std::holds_alternative<calc_error::UnsupportedChar>(value.error())) {
        Result<std::string, char32_t> read = read_money_expression(box_text);
        if (!read) return unreadable_calculation(read.error());
        expression = std::move(read).value();
        value = evaluate(expression);
    }
    if (!value) return failed_calculation(value.error());
    return calculated(std::move(expression), format_number(*value));
}

Calculation CalculatorSession::calculated(std::string expression, std::string result) const {
    std::string label = shown_result(group_thousands, expression, result);
    return {std::move(label), HistoryRecord{std::move(expression), std::move(result)}};
}

void CalculatorSession::remember(const HistoryRecord& record) {
    last_expression = record.expression;
    last_result = record.result;
    if (figure_alone(record.expression)) return;
    history.insert(history.begin(), record);
    if (history.size() > HISTORY_LIMIT) history.resize(HISTORY_LIMIT);
}

void CalculatorSession::forget_last() {
    last_expression.reset();
    last_result.reset();
}

std::vector<std::string> CalculatorSession::history_lines() const {
    std::vector<std::string> lines;
    lines.reserve(history.size());
    for (const HistoryRecord& record : history) {
        lines.push_back(expression_text(record.expression) + " = " +
                        shown_result(group_thousands, record.expression, record.result));
    }
    return lines;
}

std::optional<HistoryReuse> CalculatorSession::reuse(std::int64_t index) const {
    if (index < 0 || static_cast<std::uint64_t>(index) >= history.size()) return std::nullopt;
    const HistoryRecord& record = history[static_cast<std::size_t>(index)];
    return HistoryReuse{record, expression_text(record.result),
                        "기록에서 가져온 값: " + shown_result(group_thousands, record.expression, record.result)};
}

void CalculatorSession::take_over(const HistoryRecord& record) {
    last_expression = record.expression;
    last_result = record.result;
}

std::optional<std::string> CalculatorSession::regrouped_label() const {
    if (!last_result) return std::nullopt;
    return shown_result(group_thousands, last_expression.value_or(""), *last_result);
}

std::optional<std::string> CalculatorSession::carry_text(CarryForm form) const {
    if (!last_result) return std::nullopt;
    std::string result = format_result_text(group_thousands, *last_result);
    if (form == CarryForm::Result) return result;
    if (!last_expression) return std::nullopt;
    return expression_text(*last_expression) + " = " + result;
}

void CalculatorSession::saw_box(std::string_view box_text) { seen_box = strip_commas(box_text); }

bool CalculatorSession::box_is_new(std::string_view box_text) const {
    return has_visible_character(box_text) && strip_commas(box_text) != seen_box;
}

std::string CalculatorSession::operand_expression(std::string_view box_text, std::string_view operand,
                                                  std::optional<char> op) const {
    if (!op) return std::string(operand);
    std::string left = strip_commas(box_text);
    if (!has_visible_character(left)) left = last_result.value_or("0");
    std::string expression = "(" + left + ") ";
    expression += *op;
    expression += " (";
    expression += operand;
    expression += ')';
    return expression;
}

std::string CalculatorSession::expression_text(std::string_view expression) const {
    return format_expression_text(group_thousands, expression);
}

PadDocument CalculatorSession::to_document(std::string memo, std::string_view box_text) const {
    return {std::move(memo), strip_commas(box_text), last_expression, last_result, history};
}

void CalculatorSession::take_document(const PadDocument& document) {
    last_expression = document.last_expression;
    last_result = document.last_result;
    history.assign(document.history.begin(), document.history.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                            document.history.size(), HISTORY_LIMIT)));
}

std::string CalculatorSession::result_label_text() const {
    return last_result ? shown_result(group_thousands, last_expression.value_or(""), *last_result)
                       : std::string(INITIAL_RESULT_TEXT);
}

}  // namespace numvora
