// Expressions written with the memo's money, as the calculator takes them.
#include <gtest/gtest.h>

#include "common/unicode.h"
#include "notes/money_expression.h"

namespace numvora {
namespace {

std::string outcome(const Result<std::string, char32_t>& read) {
    if (read) return *read;
    std::string named = "unreadable ";
    append_utf8(named, read.error());
    return named;
}

TEST(MoneyExpression, FiguresAsTheMemoReadsThemOrTheFirstCharacterThatIsNone) {
    const struct {
        const char* text;
        const char* read;
    } rows[] = {
        {"55만*12", "550000*12"},
        {"12만 3천원 / 3", "123000 / 3"},
        {"₩1,234,000 × 2", "1234000 * 2"},
        {"삼만 오천 + 5,000", "35000 + 5000"},
        {"(￦ 1.5만 − 천원) ÷ 0.50", "(15000 - 1000) / 0.50"},
        {"오천원짜리", "unreadable 짜"},
        {"사과 + 3", "unreadable 사"},
        {"3잔 * 4,500원", "unreadable 잔"},
        {"$12 + 1만", "unreadable $"},
        {"5만 ₩", "unreadable ₩"},
        {"5만 3만", "50000 30000"},  // two figures: the engine refuses them
        {"12 @ 3", "unreadable @"},
    };
    for (const auto& row : rows) EXPECT_EQ(outcome(read_money_expression(row.text)), row.read) << row.text;
}

}  // namespace
}  // namespace numvora
