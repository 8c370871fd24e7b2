#include "calculator/evaluate.h"

#include <cmath>

#include "calculator/parser.h"
#include "calculator/tokenizer.h"

namespace numvora {

namespace {

bool is_ascii_without_commas(std::string_view text) {
    unsigned char seen = 0;
    for (const char c : text) seen |= static_cast<unsigned char>(c) | (c == ',' ? 0x80 : 0);
    return seen < 0x80;
}

}  // namespace

Result<double, CalcError> evaluate(std::string_view text) {
    // strip_commas would return plain ASCII without commas unchanged: skip the copy.
    std::string stripped;
    std::string_view source = text;
    if (!is_ascii_without_commas(text)) source = stripped = strip_commas(text);
    Result<std::vector<Token>, CalcError> tokens = tokenize(source);
    if (!tokens) return fail(tokens.error());
    if (tokens->empty()) return fail(CalcError{calc_error::Empty{}});
    TokenCursor cursor{*tokens};
    Result<double, CalcError> value = parse_expression(cursor);
    if (!value) return value;
    if (cursor.peek()) return fail(CalcError{calc_error::InvalidExpression{}});
    if (!std::isfinite(*value)) return fail(CalcError{calc_error::OutOfRange{}});
    return value;
}

}  // namespace numvora
