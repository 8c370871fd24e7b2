// Outcomes as short texts, so that test tables can list values and errors side by side.
#pragma once

#include <string>
#include <string_view>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"

namespace numvora {

inline std::string error_name(const CalcError& error) {
    constexpr std::string_view NAMES[] = {"Empty",         "UnsupportedChar", "InvalidNumber",
                                          "InvalidExpression", "UnclosedParen", "DivisionByZero",
                                          "ModuloByZero",  "OutOfRange"};
    return std::string(NAMES[error.index()]);
}

// The display text of the value, or the error variant's name.
inline std::string outcome(std::string_view text) {
    const Result<double, CalcError> value = evaluate(text);
    return value ? format_number(*value) : error_name(value.error());
}

}  // namespace numvora
