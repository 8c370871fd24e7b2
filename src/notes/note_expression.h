// An expression written in notes, for "선택한 식 계산" (F9) and the line results: where
// it stands in the selection (or the caret's line), what the engine reads, and which
// old result the new one replaces.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "calculator/calc_error.h"
#include "common/result.h"

namespace numvora {

struct MemoExpression {
    std::size_t begin = 0;  // the expression's bytes within the text
    std::size_t end = 0;
    // What " = result" replaces: from an "=" and the old result after it to the line's
    // end (its white space included, its line break not), or an empty range at end.
    std::size_t replace_begin = 0;
    std::size_t replace_end = 0;
    std::string expression;  // for evaluate: plain numbers and * / - only
};

// The text after the last "=" is an old result when it is empty or a number as results
// are written ("-1,234.5", optionally "원"); the "=" it replaces is the first of a chain
// of such results, so "1+2 = 3 = 3" heals to one. Other text is calculated whole, with
// " = result" added after it.
//
// The expression is the text before that "=", or only its trailing run of numbers,
// operators and parentheses when a label stands before it ("점심 12,000원 + 4,500원").
// Numbers read as notes write them: "12만 3천", "1억 2천만", "4,500원", "₩4,500"; an "x"
// or "X" alone between two numbers multiplies. A label must end in a word without ASCII
// letters or digits: otherwise the whole text goes to the engine, which names the
// character it cannot read. Fails with Empty when there is nothing but white space and "=".
Result<MemoExpression, CalcError> find_memo_expression(std::string_view text);

// What replaces [replace_begin, replace_end): " = 49,500".
std::string result_insertion(std::string_view result);

}  // namespace numvora
