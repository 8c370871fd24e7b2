// Figures pasted from elsewhere into the expression box.
#include <gtest/gtest.h>

#include "session/pasted_expression.h"

namespace numvora {
namespace {

TEST(PastedExpression, RewritesFiguresAndLeavesOtherTextAlone) {
    const struct {
        std::string pasted;
        std::optional<std::string> enters;  // nothing: pasted as it was
    } rows[] = {
        {"₩1,234,567", "1,234,567"},
        {"1,234,567원", "1,234,567"},
        {"$ 12.50", "12.50"},
        {"￦5,000 + ＄3", "5,000 + 3"},
        {"3 × 4 − 2", "3 * 4 - 2"},
        {"10 ÷ 4", "10 / 4"},
        {"１２，０００", "12,000"},
        {"（１＋２）＊３％", "(1+2)*3%"},
        {"12\u00A0000", "12000"},
        {"1\u2009234\u202F567.5", "1234567.5"},
        {"5\u00A0+\u00A03", "5 + 3"},  // between a digit and a sign it is only a space
        {"\u2212"
         "5",
         "-5"},
        {"  42\t\r\n", "42"},
        {"1\r\n2\r\n3\r\n", "1+2+3"},  // a column becomes a sum
        {"1,000원\n\n 2,500원 \r3", "1,000+2,500+3"},
        {"1+2", "1+2"},
        {"원래 가격 5,000원", "5000"},
        {"12만 3천원", "123000"},
        {"삼만 오천 + 5,000", "35000 + 5000"},
        {"점심 12,000원 + 커피 4,500원\n택시 1만원", "12000 + 4500+10000"},
        {"예산 3~5만원", std::nullopt},
        {"3x4", std::nullopt},
        {"1e5", std::nullopt},
        {"₩", std::nullopt},  // no figure at all
        {"", std::nullopt},
        {"\r\n", std::nullopt},
        {"+-*/", std::nullopt},
        {"12\u2003000", std::nullopt},  // an em space is not one a number holds
        {"\xff"
         "5",
         std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(expression_from_paste(row.pasted), row.enters) << row.pasted;
}

}  // namespace
}  // namespace numvora
