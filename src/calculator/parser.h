// The grammar, computing values while it recognises them (no syntax tree; the two
// binary levels are calculator/grammar.h, which the notes' reader shares):
//   expression = term { ("+" | "-") term }
//   term       = factor { ("*" | "/" | "%") factor }
//   factor     = { "+" } ( "-" factor | number | "(" expression ")" )
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "calculator/calc_error.h"
#include "calculator/tokenizer.h"
#include "common/result.h"

namespace numvora {

// How deep parentheses and unary minus signs may nest before the expression is refused
// with InvalidExpression. Each level costs a few small stack frames (factor ->
// expression -> term -> factor, through the shared loop of calculator/grammar.h), so an
// unbounded depth lets a pasted memo selection of a few hundred thousand "(" overflow
// the 1 MiB main-thread stack of Windows. 256 is far beyond anything typed by hand yet
// keeps the deepest recursion under 200 KiB unoptimised (measured with g++ -O0), within
// 100 KiB optimised.
// InvalidExpression because such a text is not an expression this calculator accepts:
// its meaning is not out of range, and nothing is left unclosed at the point where the
// limit is hit.
inline constexpr int MAX_NESTING = 256;

// The tokens the grammar's procedures read.
struct TokenCursor {
    std::span<const Token> tokens;
    std::size_t position = 0;
    int depth = 0;  // open parentheses and unary minus signs around the current factor

    std::optional<TokenKind> peek() const {
        if (position >= tokens.size()) return std::nullopt;
        return tokens[position].kind;
    }
    std::optional<Token> take() {
        if (position >= tokens.size()) return std::nullopt;
        return tokens[position++];
    }
};

// Parses one expression from the cursor; tokens after it are left to the caller.
Result<double, CalcError> parse_expression(TokenCursor& cursor);

}  // namespace numvora
