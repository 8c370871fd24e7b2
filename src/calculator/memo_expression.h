// An expression written in the memo, for "선택한 식 계산": where it stands in the
// selection (or the caret's line), what the engine reads, and what goes after it.
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
    std::size_t insert_at = 0;  // the expression's end, or past a final "=" and the spaces on its line
    std::string expression;     // for evaluate: commas dropped, × ÷ − written * / -
    bool ends_with_equals = false;
    bool space_after_equals = false;
};

// The expression is the text before a final "=", or only its trailing run of digits,
// operators and parentheses when a label stands before it ("점심 12,000 + 4,500 =").
// A label must end in a word without ASCII letters or digits: in "3 x 4" or
// "12,000원 + 4,500" the run is only part of what was meant, so the whole text goes to
// the engine, which names the character it cannot read. Fails with Empty when there is
// nothing but white space and "=".
Result<MemoExpression, CalcError> find_memo_expression(std::string_view text);

// What to insert at insert_at: " = 49,500", or " 49,500" after "… =" and "49,500"
// after "… = ", so the line reads "… = 49,500" either way.
std::string result_insertion(const MemoExpression& found, std::string_view result);

}  // namespace numvora
