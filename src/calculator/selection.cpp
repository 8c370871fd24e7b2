#include "calculator/selection.h"

#include <optional>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "calculator/tokenizer.h"
#include "common/unicode.h"

namespace numvora {

namespace {

// A sign, digits, at most one ".", at least one digit, and a finite value.
std::optional<double> plain_number(std::string_view t) {
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    const std::size_t point = t.find('.');
    const std::string_view integer = t.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : t.substr(point + 1);
    if (integer.empty() && fraction.empty()) return std::nullopt;
    // Either part may be empty ("5." and ".5"); a second "." fails here too.
    for (const std::string_view part : {integer, fraction}) {
        if (!part.empty() && !all_ascii_digits(part)) return std::nullopt;
    }
    const std::optional<double> value = parse_decimal(t);
    if (!value) return std::nullopt;
    return negative ? -*value : *value;
}

// The first "(" must be closed by the last ")", so the text stays one value when put
// inside another expression.
bool wrapped_in_parentheses(std::string_view t) {
    if (t.size() < 2 || t.front() != '(' || t.back() != ')') return false;
    long depth = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '(') ++depth;
        if (t[i] == ')') --depth;
        if (depth < 0 || (depth == 0 && i + 1 < t.size())) return false;
    }
    return depth == 0;
}

}  // namespace

std::string selection_error_message(const SelectionError& error) {
    using namespace selection_error;
    struct Text {
        std::string operator()(const EmptySelection&) const { return "선택한 내용이 비어 있습니다."; }
        std::string operator()(const UseAsteriskForMultiply&) const {
            return "곱하기 연산은 x 대신 * 를 사용해 주세요.";
        }
        std::string operator()(const NotWrappedInParentheses&) const {
            return "계산식은 전체를 괄호로 감싸 주세요. 예: (1 + 2)";
        }
        std::string operator()(const InvalidInnerExpression& inner) const {
            return "괄호 안 계산식이 올바르지 않습니다: " + std::string(calc_error_message(inner.error));
        }
        std::string operator()(const NotAnOperand&) const {
            return "숫자 또는 괄호로 감싼 계산식만 선택할 수 있습니다.";
        }
    };
    return std::visit(Text{}, error);
}

std::string selection_status_text(std::string_view operand) {
    std::string text = "선택값 ";
    text += operand;
    text += " — 연산 버튼 사용 가능";
    return text;
}

std::string normalize_selection(std::string_view text) {
    return copy_without_commas(text, [](std::string& out, char32_t c) {
        switch (c) {
        case U'\u00D7': out += '*'; return true;
        case U'\u00F7': out += '/'; return true;
        case U'\u2212': out += '-'; return true;
        default: return false;
        }
    });
}

Result<std::string, SelectionError> classify_selection(std::string_view text) {
    const std::string normalized = normalize_selection(text);
    const std::string_view t = trim_white_space(normalized);
    if (t.empty()) return fail(SelectionError{selection_error::EmptySelection{}});

    if (const std::optional<double> value = plain_number(t)) return format_number(*value);

    const bool has_x = t.find_first_of("xX") != std::string_view::npos;
    const bool has_digit = t.find_first_of("0123456789") != std::string_view::npos;
    const Result<double, CalcError> evaluated = evaluate(t);
    if (evaluated) {
        if (!wrapped_in_parentheses(t)) return fail(SelectionError{selection_error::NotWrappedInParentheses{}});
        // An operation puts the operand in one more pair of parentheses: an operand at
        // the nesting bound would enable buttons that can only fail.
        std::string wrapped(1, '(');
        wrapped.append(t).push_back(')');
        const Result<double, CalcError> in_operation = evaluate(wrapped);
        if (!in_operation) return fail(SelectionError{selection_error::InvalidInnerExpression{in_operation.error()}});
        return std::string(t);
    }
    if (has_x && has_digit) return fail(SelectionError{selection_error::UseAsteriskForMultiply{}});
    if (t.front() == '(') return fail(SelectionError{selection_error::InvalidInnerExpression{evaluated.error()}});
    return fail(SelectionError{selection_error::NotAnOperand{}});
}

}  // namespace numvora
