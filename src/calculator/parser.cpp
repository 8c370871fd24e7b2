#include "calculator/parser.h"

#include <cmath>

namespace numvora {

namespace {

// Every step's result is checked, so an overflow in the middle of an expression fails
// even when a later step would bring the value back into range.
Result<double, CalcError> finite(double value) {
    if (!std::isfinite(value)) return fail(CalcError{calc_error::OutOfRange{}});
    return value;
}

Result<double, CalcError> apply(TokenKind op, double left, double right) {
    switch (op) {
        case TokenKind::Plus: return finite(left + right);
        case TokenKind::Minus: return finite(left - right);
        case TokenKind::Star: return finite(left * right);
        case TokenKind::Slash:
            if (right == 0.0) return fail(CalcError{calc_error::DivisionByZero{}});
            return finite(left / right);
        case TokenKind::Percent:
            if (right == 0.0) return fail(CalcError{calc_error::ModuloByZero{}});
            return finite(std::fmod(left, right));
        default: break;
    }
    return fail(CalcError{calc_error::InvalidExpression{}});  // not reached: callers pass operators
}

// Enters one level of parentheses or unary minus; false past the bound.
bool descend(TokenCursor& cursor) { return ++cursor.depth <= MAX_NESTING; }

}  // namespace

// expression = term { ("+" | "-") term }
Result<double, CalcError> parse_expression(TokenCursor& cursor) {
    Result<double, CalcError> value = parse_term(cursor);
    if (!value) return value;
    for (;;) {
        const std::optional<TokenKind> op = cursor.peek();
        if (op != TokenKind::Plus && op != TokenKind::Minus) return value;
        cursor.take();
        const Result<double, CalcError> right = parse_term(cursor);
        if (!right) return right;
        value = apply(*op, *value, *right);
        if (!value) return value;
    }
}

// term = factor { ("*" | "/" | "%") factor }
Result<double, CalcError> parse_term(TokenCursor& cursor) {
    Result<double, CalcError> value = parse_factor(cursor);
    if (!value) return value;
    for (;;) {
        const std::optional<TokenKind> op = cursor.peek();
        if (op != TokenKind::Star && op != TokenKind::Slash && op != TokenKind::Percent)
            return value;
        cursor.take();
        const Result<double, CalcError> right = parse_factor(cursor);
        if (!right) return right;
        value = apply(*op, *value, *right);
        if (!value) return value;
    }
}

// factor = { "+" } ( "-" factor | number | "(" expression ")" )
Result<double, CalcError> parse_factor(TokenCursor& cursor) {
    while (cursor.peek() == TokenKind::Plus) cursor.take();
    if (cursor.peek() == TokenKind::Minus) {
        cursor.take();
        if (!descend(cursor)) return fail(CalcError{calc_error::InvalidExpression{}});
        const Result<double, CalcError> operand = parse_factor(cursor);
        --cursor.depth;
        if (!operand) return operand;
        return finite(-*operand);
    }
    const std::optional<Token> token = cursor.take();
    if (!token) return fail(CalcError{calc_error::InvalidExpression{}});
    switch (token->kind) {
        case TokenKind::Number: return token->value;
        case TokenKind::LParen: {
            if (!descend(cursor)) return fail(CalcError{calc_error::InvalidExpression{}});
            const Result<double, CalcError> inner = parse_expression(cursor);
            --cursor.depth;
            if (!inner) return inner;
            const std::optional<Token> close = cursor.take();
            if (!close || close->kind != TokenKind::RParen)
                return fail(CalcError{calc_error::UnclosedParen{}});
            return inner;
        }
        default: return fail(CalcError{calc_error::InvalidExpression{}});
    }
}

}  // namespace numvora
