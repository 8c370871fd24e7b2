#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/evaluate.h"
#include "notes/note_amounts.h"

using namespace numvora;
using namespace std::string_literals;

namespace {

struct Case {
    std::string text;
    std::vector<std::string> amounts;
};

const Case CASES[] = {
    {"식비 98,500\n회비 150,000\n교통 −2,000", {"98500", "150000", "-2000"}},
    {"12,000원 ₩4,500 3개 (−2,000) -0 +7 1-", {"12000", "4500", "-2000", "0", "7", "1"}},
    {"A4 mp3 x2,000 3D 5kg B-2 COVID-19 No.5 v1.2", {}},
    {"2026-12-07 010-1234-5678 12:30 12/7 3.14.15 1,000-2,000원 -3−4", {}},
    {"1,23 1,234,5678 1234,567 10. .5 -.5 끝.5 ...5",
     {"1", "23", "1234", "5678", "1234567", "10", "0.5", "-0.5", "5", "5"}},
    {"007 0.50 1,234.25 0,001", {"7", "0.5", "1234.25", "1"}},
    {"55만원\n12만 3천원\n1억 2,000만\n3천 500\n1억 2,000만 500\n만약 2만보",
     {"550000", "123000", "120000000", "3500", "120000500", "20000"}},
    {"5천만원 1.5만\n0.25천 1.2345천 1 -1만 3천 3조",
     {"50000000", "15000", "250", "1235.5", "-13000", "3000000000000"}},
    {"1만  5천 5천 2만 1만 -3천 1만 3천 500 7", {"10000", "5000", "5000", "20000", "10000", "-3000", "13500", "7"}},
    {"99999999999999999999조 9조 9999억 9999만 9999.99 9천 1,999.5",
     {"99999999999999999999000000000000", "9999999999999.99", "10999.5"}},
    // A 만 or a − cut short is no unit and no sign; a stray byte parts a letter from a number.
    {"5\xEB\xA7 \xE2\x88"s + "7 x\xFF" + "8 \xE2\x88\x92" + "9", {"5", "7", "8", "-9"}},
};

TEST(ReadAmounts, Table) {
    for (const Case& c : CASES) EXPECT_EQ(read_amounts(c.text).added, c.amounts) << c.text;
}

TEST(ReadAmounts, SumExpressionEvaluates) {
    const struct {
        std::string text, expression;
        double total;
    } rows[] = {
        {"−2,000 5만 -0.5 (-1천)", "-2000 + 50000 - 0.5 - 1000", 46999.5},
        {"1,234.25 0.75", "1234.25 + 0.75", 1235},
    };
    for (const auto& row : rows) {
        const std::string expression = sum_expression(read_amounts(row.text).added);
        EXPECT_EQ(expression, row.expression);
        EXPECT_EQ(*evaluate(expression), row.total) << expression;
    }
}

TEST(ReadAmounts, OneMebibyteSelection) {
    const std::string block = "점심 김밥 12,500원\n회비 5만 3천원 (A4 용지)\n환불 −2,000\n2026-03-12 정산\n";
    std::string notes;
    std::size_t blocks = 0;
    for (; notes.size() < (1u << 20); ++blocks) notes += block;
    const std::vector<std::string> amounts = read_amounts(notes).added;
    ASSERT_EQ(amounts.size(), 3 * blocks);
    EXPECT_EQ(*evaluate(sum_expression(amounts)), 63500.0 * static_cast<double>(blocks));
}

}  // namespace
