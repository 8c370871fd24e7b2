// The engine's error: one variant per way an expression can fail, each with one fixed
// message. Only the scanner's two errors carry what they found.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace numvora {

namespace calc_error {
struct Empty {
    bool operator==(const Empty&) const = default;
};
struct UnsupportedChar {
    char32_t character = 0;  // a Unicode scalar value; U+FFFD for a byte that is not UTF-8
    bool operator==(const UnsupportedChar&) const = default;
};
struct InvalidNumber {
    std::string literal;  // the whole run of digits and dots
    bool operator==(const InvalidNumber&) const = default;
};
struct InvalidExpression {
    bool operator==(const InvalidExpression&) const = default;
};
struct UnclosedParen {
    bool operator==(const UnclosedParen&) const = default;
};
struct DivisionByZero {
    bool operator==(const DivisionByZero&) const = default;
};
struct ModuloByZero {
    bool operator==(const ModuloByZero&) const = default;
};
struct OutOfRange {
    bool operator==(const OutOfRange&) const = default;
};
}  // namespace calc_error

using CalcError = std::variant<calc_error::Empty, calc_error::UnsupportedChar, calc_error::InvalidNumber,
                               calc_error::InvalidExpression, calc_error::UnclosedParen, calc_error::DivisionByZero,
                               calc_error::ModuloByZero, calc_error::OutOfRange>;

// The text shown to the user; it never includes the payload.
std::string_view calc_error_message(const CalcError& error);

}  // namespace numvora
