#include <gtest/gtest.h>

#include <string>

#include "notes/note_expression.h"

using namespace numvora;

namespace {

struct Case {
    std::string text;
    std::string expression;  // empty for the Empty failure
    std::string inserted;    // the text with the result "R" put in
};

const Case CASES[] = {
    {"(12,000 + 4,500) * 3 =", "(12000 + 4500) * 3", "(12,000 + 4,500) * 3 = R"},
    {"(12,000 + 4,500) * 3 = ", "(12000 + 4500) * 3", "(12,000 + 4,500) * 3 = R"},
    {"1+2=\u3000\r\n", "1+2", "1+2 = R\r\n"},
    {"  1+2  ", "1+2", "  1+2 = R  "},
    {" 3×4−1 \n", "3*4-1", " 3×4−1 = R \n"},
    {"점심 12,000 + 4,500 =", "12000 + 4500", "점심 12,000 + 4,500 = R"},
    {"메모(회사). .5+1", "0.5+1", "메모(회사). .5+1 = R"},
    {"3월 식비12,000*2", "12000*2", "3월 식비12,000*2 = R"},
    {"3 x 4 =", "3 * 4", "3 x 4 = R"},
    {"12,000원 + 4,500", "12000 + 4500", "12,000원 + 4,500 = R"},
    {"합계 (없음)", "합계 (없음)", "합계 (없음) = R"},
    {"12,000원 + 4,500원 =", "12000 + 4500", "12,000원 + 4,500원 = R"},
    {"점심 12만 + 3천 =", "120000 + 3000", "점심 12만 + 3천 = R"},
    {"₩1,000 X (1+2) x 3", "1000 * (1+2) * 3", "₩1,000 X (1+2) x 3 = R"},
    {"box 2", "box 2", "box 2 = R"},
    // An old result is replaced, a chain of them heals, other text after "=" stays.
    {"1+5 = 3", "1+5", "1+5 = R"},
    {"1+2 = 3 = 3  \n", "1+2", "1+2 = R\n"},
    {"1+2=-1,234.50원", "1+2", "1+2 = R"},
    {"x = 3 + 4 = 7", "3 + 4", "x = 3 + 4 = R"},
    {"7 = 1 + 2", "1 + 2", "7 = 1 + 2 = R"},
    {"", "", ""},
    {" \u3000\n", "", ""},
    {" = ", "", ""},
};

TEST(FindMemoExpression, Table) {
    for (const Case& c : CASES) {
        const Result<MemoExpression, CalcError> found = find_memo_expression(c.text);
        ASSERT_EQ(found.has_value(), !c.expression.empty()) << c.text;
        if (!found) {
            EXPECT_EQ(found.error(), CalcError{calc_error::Empty{}});
            continue;
        }
        std::string inserted = c.text;
        inserted.replace(found->replace_begin, found->replace_end - found->replace_begin, result_insertion("R"));
        EXPECT_EQ(found->expression, c.expression) << c.text;
        EXPECT_EQ(inserted, c.inserted) << c.text;
    }
}

}  // namespace
