#include "calculator/parser.h"

#include <cmath>

#include "calculator/grammar.h"

namespace numvora {

namespace {

// The grammar's own failures carry no payload, so inside the recursion an outcome is a
// small trivially copyable pair that travels in registers; the CalcError variant is
// built only where a public procedure returns.
enum class Fault : unsigned char { None, InvalidExpression, UnclosedParen, DivisionByZero, ModuloByZero, OutOfRange };

struct Outcome {
    double value;
    Fault failure;
};

constexpr Outcome failed(Fault fault) { return {0.0, fault}; }

// Every step's result is checked, so an overflow in the middle of an expression fails
// even when a later step would bring the value back into range.
inline Outcome finite(double value) {
    return std::isfinite(value) ? Outcome{value, Fault::None} : failed(Fault::OutOfRange);
}

inline Outcome apply(TokenKind op, double left, double right) {
    switch (op) {
    case TokenKind::Plus: return finite(left + right);
    case TokenKind::Minus: return finite(left - right);
    case TokenKind::Star: return finite(left * right);
    case TokenKind::Slash:
        if (right == 0.0) return failed(Fault::DivisionByZero);
        return finite(left / right);
    case TokenKind::Percent:
        if (right == 0.0) return failed(Fault::ModuloByZero);
        return finite(std::fmod(left, right));
    default: return failed(Fault::InvalidExpression);  // not reached: callers pass operators
    }
}

// The calculator's reading: values computed as the grammar recognises them.
struct Calculation {
    using Value = Outcome;
    using Operator = TokenKind;
    TokenCursor& cursor;

    static bool fine(const Outcome& outcome) { return outcome.failure == Fault::None; }
    static Outcome combine(TokenKind op, Outcome left, Outcome right) { return apply(op, left.value, right.value); }

    std::optional<TokenKind> take_operator(grammar::Level level) {
        if (cursor.position >= cursor.tokens.size()) return std::nullopt;
        const TokenKind op = cursor.tokens[cursor.position].kind;
        switch (op) {
        case TokenKind::Plus:
        case TokenKind::Minus:
            if (level != grammar::Level::Additive) return std::nullopt;
            break;
        case TokenKind::Star:
        case TokenKind::Slash:
        case TokenKind::Percent:
            if (level != grammar::Level::Multiplicative) return std::nullopt;
            break;
        default: return std::nullopt;
        }
        ++cursor.position;
        return op;
    }

    // factor = { "+" } ( "-" factor | number | "(" expression ")" )
    Outcome factor() {
        while (cursor.peek() == TokenKind::Plus) cursor.take();
        if (cursor.peek() == TokenKind::Minus) {
            cursor.take();
            if (++cursor.depth > MAX_NESTING) return failed(Fault::InvalidExpression);
            const Outcome operand = factor();
            --cursor.depth;
            if (operand.failure != Fault::None) return operand;
            return finite(-operand.value);
        }
        const std::optional<Token> token = cursor.take();
        if (!token) return failed(Fault::InvalidExpression);
        switch (token->kind) {
        case TokenKind::Number: return {token->value, Fault::None};
        case TokenKind::LParen: {
            if (++cursor.depth > MAX_NESTING) return failed(Fault::InvalidExpression);
            const Outcome inner = grammar::expression(*this);
            --cursor.depth;
            if (inner.failure != Fault::None) return inner;
            const std::optional<Token> close = cursor.take();
            if (!close || close->kind != TokenKind::RParen) return failed(Fault::UnclosedParen);
            return inner;
        }
        default: return failed(Fault::InvalidExpression);
        }
    }
};

Result<double, CalcError> to_result(Outcome outcome) {
    switch (outcome.failure) {
    case Fault::None: return outcome.value;
    case Fault::InvalidExpression: return fail(CalcError{calc_error::InvalidExpression{}});
    case Fault::UnclosedParen: return fail(CalcError{calc_error::UnclosedParen{}});
    case Fault::DivisionByZero: return fail(CalcError{calc_error::DivisionByZero{}});
    case Fault::ModuloByZero: return fail(CalcError{calc_error::ModuloByZero{}});
    case Fault::OutOfRange: break;
    }
    return fail(CalcError{calc_error::OutOfRange{}});
}

}  // namespace

Result<double, CalcError> parse_expression(TokenCursor& cursor) {
    Calculation calculation{cursor};
    return to_result(grammar::expression(calculation));
}

}  // namespace numvora
