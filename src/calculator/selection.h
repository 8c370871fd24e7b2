// Decides whether text selected in the memo can serve as an operand: a plain number, or
// an expression wrapped as a whole in one pair of parentheses.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "calculator/calc_error.h"
#include "common/result.h"

namespace numvora {

namespace selection_error {
struct EmptySelection {
    bool operator==(const EmptySelection&) const = default;
};
struct UseAsteriskForMultiply {
    bool operator==(const UseAsteriskForMultiply&) const = default;
};
struct NotWrappedInParentheses {
    bool operator==(const NotWrappedInParentheses&) const = default;
};
struct InvalidInnerExpression {
    CalcError error;
    bool operator==(const InvalidInnerExpression&) const = default;
};
struct NotAnOperand {
    bool operator==(const NotAnOperand&) const = default;
};
}  // namespace selection_error

using SelectionError = std::variant<selection_error::EmptySelection, selection_error::UseAsteriskForMultiply,
                                    selection_error::NotWrappedInParentheses, selection_error::InvalidInnerExpression,
                                    selection_error::NotAnOperand>;

std::string selection_error_message(const SelectionError& error);

// The status line's announcement of a usable operand.
std::string selection_status_text(std::string_view operand);

// Drops "," and maps the display signs × ÷ − to * / -.
std::string normalize_selection(std::string_view text);

// The operand text (a canonical number, or the trimmed parenthesised expression).
Result<std::string, SelectionError> classify_selection(std::string_view text);

}  // namespace numvora
