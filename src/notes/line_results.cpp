#include "notes/line_results.h"

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "common/unicode.h"
#include "notes/note_amounts.h"
#include "notes/note_expression.h"
#include "notes/note_reader.h"

namespace numvora {
namespace {

bool is_operator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '%'; }
bool ends_operand(char c) { return is_ascii_digit(c) || c == ')' || c == '.'; }
bool starts_operand(char c) { return is_ascii_digit(c) || c == '(' || c == '.'; }

// An operator between two numbers of the expression as the engine reads it ("4500 * 2",
// "(1+2)*3", "5 - -2"): what makes a line a calculation rather than a label with
// figures in it.
bool has_operator_between_numbers(std::string_view expression) {
    char before = 0;  // the last character that is not a space
    for (std::size_t i = 0; i < expression.size(); ++i) {
        const char c = expression[i];
        if (c == ' ') continue;
        if (is_operator(c) && ends_operand(before)) {
            std::size_t next = expression.find_first_not_of(' ', i + 1);
            if (next != std::string_view::npos && (expression[next] == '-' || expression[next] == '+'))
                next = expression.find_first_not_of(' ', next + 1);  // a sign
            if (next != std::string_view::npos && starts_operand(expression[next])) return true;
        }
        before = c;
    }
    return false;
}

enum class Reading { NotExpression, Failed, Value };

struct ExpressionValue {
    Reading reading = Reading::NotExpression;
    std::string value;
};

// The line as F9 reads it, when it is a calculation at all: it has an "=", or an operator
// between two numbers that the notes reader sees as numbers (in "2026-12-07" and "12/7"
// it sees a date, whatever the engine would make of them).
ExpressionValue expression_value(std::string_view line) {
    const auto found = find_memo_expression(line);
    if (!found) return {};
    const bool equals = found->replace_end > found->replace_begin;
    if (!equals) {
        const NoteAmounts operands = read_amounts(line.substr(found->begin, found->end - found->begin));
        if (!has_operator_between_numbers(found->expression) || operands.added.size() + operands.counts < 2) return {};
    }
    const auto value = evaluate(found->expression);
    if (!value) return {Reading::Failed, {}};
    return {Reading::Value, format_number(*value)};
}

std::optional<std::string> own_result(std::string_view line) {
    ExpressionValue expression = expression_value(line);
    if (expression.reading == Reading::Value) return std::move(expression.value);
    if (expression.reading == Reading::Failed) return std::nullopt;
    NoteAmounts amounts = read_amounts(line);
    if (amounts.added.size() != 1) return std::nullopt;
    return std::move(amounts.added.front());
}

std::optional<std::string> block_sum(const std::vector<std::string>& results) {
    auto sum = amounts_total(NoteAmounts{results, 0, 0});
    if (!sum) return std::nullopt;
    return std::move(sum).value();
}

}  // namespace

bool closes_block(std::string_view line) { return trim_white_space(line).empty() || read_total_line(line); }

bool block_reaches_above(std::span<const std::string_view> lines) {
    for (const std::string_view line : lines) {
        if (read_total_line(line)) return true;
        if (trim_white_space(line).empty()) return false;
    }
    return false;
}

std::vector<std::optional<std::string>> line_results(std::span<const std::string_view> lines,
                                                     std::span<const std::string> block_above) {
    std::vector<std::optional<std::string>> results;
    results.reserve(lines.size());
    std::vector<std::string> block(block_above.begin(), block_above.end());  // the results since the block began
    for (const std::string_view line : lines) {
        if (read_total_line(line)) {
            results.push_back(block_sum(block));
            block.clear();
        } else if (trim_white_space(line).empty()) {
            results.emplace_back();
            block.clear();
        } else {
            results.push_back(own_result(line));
            if (results.back()) block.push_back(*results.back());
        }
    }
    return results;
}

std::vector<std::string> open_block_results(std::span<const std::string_view> lines) {
    std::size_t begin = lines.size();
    while (begin > 0 && !closes_block(lines[begin - 1])) --begin;
    std::vector<std::string> block;
    for (const auto& result : line_results(lines.subspan(begin))) {
        if (result) block.push_back(*result);
    }
    return block;
}

}  // namespace numvora
