// Front of the engine: comma removal, decimal literals and the scanner.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calc_error.h"
#include "common/result.h"

namespace numvora {

enum class TokenKind { Number, Plus, Minus, Star, Slash, Percent, LParen, RParen };

struct Token {
    TokenKind kind = TokenKind::Number;
    double value = 0.0;  // meaningful for Number only
};

// Removes every ",". A byte that is not part of well-formed UTF-8 becomes U+FFFD, so
// dropping a comma can never join stray bytes into a new character and the result
// is always valid UTF-8.
std::string strip_commas(std::string_view text);

// Converts an unsigned decimal literal (digits with at most one "." and at least one
// digit) to the nearest double. A value too large for a finite double gives nothing;
// one too small for a subnormal gives zero.
std::optional<double> parse_decimal(std::string_view literal);

// Fails only with UnsupportedChar or InvalidNumber, at the first offending character.
Result<std::vector<Token>, CalcError> tokenize(std::string_view text);

}  // namespace numvora
