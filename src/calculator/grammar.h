// The two levels of binary operators, shared by the calculator and the notes' reader.
// Each reader brings its own factor, its own operators and its own way of joining two
// values (the calculator computes, the notes' reader writes the calculator's text):
//   Value factor();                                  its factor rule
//   std::optional<Operator> take_operator(Level);    the next operator of that level, taken
//   bool fine(const Value&);                         false ends the reading with that value
//   Value combine(Operator, Value left, Value right);
#pragma once

#include <optional>
#include <utility>

namespace numvora::grammar {

enum class Level { Additive, Multiplicative };  // "+" "-", and "*" "/" "%"

// operand { operator-of-level operand }, left to right.
template <class Reader, class Operand>
typename Reader::Value fold(Reader& reader, Level level, Operand operand) {
    typename Reader::Value value = operand();
    while (reader.fine(value)) {
        const std::optional<typename Reader::Operator> op = reader.take_operator(level);
        if (!op) break;
        typename Reader::Value right = operand();
        if (!reader.fine(right)) return right;
        value = reader.combine(*op, std::move(value), std::move(right));
    }
    return value;
}

template <class Reader>
typename Reader::Value term(Reader& reader);

// expression = term { ("+" | "-") term }
template <class Reader>
typename Reader::Value expression(Reader& reader) {
    return fold(reader, Level::Additive, [&] { return term(reader); });
}

// term = factor { ("*" | "/" | "%") factor }
template <class Reader>
typename Reader::Value term(Reader& reader) {
    return fold(reader, Level::Multiplicative, [&] { return reader.factor(); });
}

}  // namespace numvora::grammar
