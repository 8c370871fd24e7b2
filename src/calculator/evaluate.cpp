#include "calculator/evaluate.h"

#include <cmath>

#include "calculator/parser.h"
#include "calculator/tokenizer.h"

namespace numvora {

Result<double, CalcError> evaluate(std::string_view text) {
    // Without a comma the copy is not needed: the scanner reads a stray byte as U+FFFD
    // just as strip_commas would have replaced it.
    std::string stripped;
    std::string_view source = text;
    if (text.find(',') != std::string_view::npos) source = stripped = strip_commas(text);
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
