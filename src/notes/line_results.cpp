#include "notes/line_results.h"

#include <algorithm>
#include <array>

#include "calculator/evaluate.h"
#include "calculator/memo_amounts.h"
#include "calculator/memo_expression.h"
#include "calculator/number_format.h"
#include "common/unicode.h"

namespace numvora {
namespace {

constexpr std::array<std::string_view, 5> TOTAL_WORDS{"합계", "총합", "총계", "소계", "합"};

// A result as results are written: a sign, digits with commas and a point, maybe 원.
bool is_written_result(std::string_view text) {
    if (text.ends_with("원")) text = trim_white_space(text.substr(0, text.size() - std::string_view("원").size()));
    if (text.starts_with('-')) text.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (is_ascii_digit(c)) {
            digit = true;
        } else if (c != ',') {
            return false;
        }
    }
    return digit;
}

// What can stand right before an operator that has a number on its left.
bool ends_number(char32_t c) {
    return (c >= '0' && c <= '9') || c == ')' || c == '.' || c == U'원' || c == U'천' || c == U'만' || c == U'억' ||
           c == U'조';
}

bool starts_number(char32_t c) { return (c >= '0' && c <= '9') || c == '(' || c == '.'; }

bool is_operator(char32_t c) {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '%' || c == U'\u00D7' || c == U'\u00F7' ||
           c == U'\u2212';
}

// An operator between two numbers ("12,000원 + 4,500원", "3 x 4", "(1+2)*3"): what makes a
// line an expression rather than a label with figures in it.
bool has_operator_between_numbers(std::string_view text) {
    std::u32string s;
    for (std::size_t pos = 0; pos < text.size();) s += decode_utf8(text, pos);
    char32_t before = 0;  // the last character that is not white space
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (is_white_space(c)) continue;
        // An x stands for times only alone, between spaces or a number and a space.
        const bool times = (c == 'x' || c == 'X') && i + 1 < s.size() && is_white_space(s[i + 1]);
        if ((is_operator(c) || times) && ends_number(before)) {
            std::size_t next = i + 1;
            while (next < s.size() && is_white_space(s[next])) ++next;
            if (next < s.size() && is_operator(s[next]) && !times) ++next;  // a sign
            if (next < s.size() && starts_number(s[next])) return true;
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

// The line as F9 reads it, when it is an expression at all. Figures joined as in a date
// or a time ("2026-12-07", "12/7") are no operands, however they read to the engine.
ExpressionValue expression_value(std::string_view line) {
    const auto found = find_memo_expression(line);
    if (!found) return {};
    const std::string_view chosen = line.substr(found->begin, found->end - found->begin);
    const bool expression =
        found->ends_with_equals || (has_operator_between_numbers(chosen) && extract_amounts(chosen).size() >= 2);
    if (!expression) return {};
    const auto value = evaluate(found->expression);
    if (!value) return {Reading::Failed, {}};
    return {Reading::Value, format_number(*value)};
}

std::optional<std::string> own_result(std::string_view line) {
    ExpressionValue expression = expression_value(line);
    if (expression.reading == Reading::Value) return std::move(expression.value);
    if (expression.reading == Reading::Failed) return std::nullopt;
    std::vector<std::string> amounts = extract_amounts(line);
    if (amounts.size() != 1) return std::nullopt;
    return std::move(amounts.front());
}

std::optional<std::string> block_sum(const std::vector<std::string>& results) {
    if (results.empty()) return std::nullopt;
    const auto sum = evaluate(sum_expression(results));
    if (!sum) return std::nullopt;
    return format_number(*sum);
}

}  // namespace

bool is_total_line(std::string_view line) {
    std::string_view rest = trim_white_space(line);
    const auto word = std::find_if(TOTAL_WORDS.begin(), TOTAL_WORDS.end(),
                                   [&](std::string_view w) { return rest.starts_with(w); });
    if (word == TOTAL_WORDS.end()) return false;
    rest = trim_white_space(rest.substr(word->size()));
    if (rest.empty()) return true;
    if (rest.front() != ':' && rest.front() != '=') return false;
    rest = trim_white_space(rest.substr(1));
    return rest.empty() || is_written_result(rest);
}

bool closes_block(std::string_view line) { return trim_white_space(line).empty() || is_total_line(line); }

bool block_reaches_above(std::span<const std::string_view> lines) {
    for (const std::string_view line : lines) {
        if (is_total_line(line)) return true;
        if (trim_white_space(line).empty()) return false;
    }
    return false;
}

std::vector<std::optional<std::string>> line_results(std::span<const std::string_view> lines) {
    std::vector<std::optional<std::string>> results;
    results.reserve(lines.size());
    std::vector<std::string> block;  // the results since the block began
    for (const std::string_view line : lines) {
        if (is_total_line(line)) {
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

}  // namespace numvora
