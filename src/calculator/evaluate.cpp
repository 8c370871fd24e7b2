#include "calculator/evaluate.h"

#include <cmath>

#include "calculator/parser.h"
#include "calculator/tokenizer.h"

namespace numvora {

Result<double, CalcError> evaluate(std::string_view text) {
    Result<std::vector<Token>, CalcError> tokens = tokenize(strip_commas(text));
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
