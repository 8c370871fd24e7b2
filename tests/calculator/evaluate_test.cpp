#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "calculator/parser.h"

using namespace numvora;
using namespace std::string_literals;

namespace {

// The display text of the value, or the error variant's name.
std::string outcome(std::string_view text) {
    constexpr const char* NAMES[] = {"Empty",         "UnsupportedChar", "InvalidNumber", "InvalidExpression",
                                     "UnclosedParen", "DivisionByZero",  "ModuloByZero",  "OutOfRange"};
    const Result<double, CalcError> value = evaluate(text);
    return value ? format_number(*value) : NAMES[value.error().index()];
}

struct Case {
    std::string input;
    std::string expected;  // display text or error name
};

const std::string E308 = "1" + std::string(308, '0');
const std::string TINY = "0." + std::string(299, '0') + "1";

const Case CASES[] = {
    // grammar, signs and associativity
    {"1,000", "1000"},
    {"1,2,3", "123"},
    {" 1 + 2 ", "3"},
    {"1\u3000+\u00A02", "3"},
    {"1\u2028+\u00852", "3"},
    {".5", "0.5"},
    {"5.", "5"},
    {"007", "7"},
    {"--5", "5"},
    {"2---3", "-1"},
    {"+-5", "-5"},
    {"-+5", "-5"},
    {"-2*3", "-6"},
    {"-5%3", "-2"},
    {"2*-3", "-6"},
    {"10%4*3", "6"},
    {"2*10%4", "0"},
    {"3*4", "12"},
    {"1-2-3", "-4"},
    {"8/4/2", "1"},
    {"1+2*3", "7"},
    {"(1+2)*3", "9"},
    {"1,234*2+(5.5%2)/3", "2468.5"},
    // numeric rules
    {"1-0.9", "0.1"},
    {"2/3*3", "2"},
    {"7%-3", "1"},
    {"-7%3", "-1"},
    {"5.5%2", "1.5"},
    {"0.3%0.1", "0.1"},
    {"100000000000000/3", "33333333333333.33203125"},
    {"0." + std::string(400, '0') + "1", "0"},
    {TINY + "*" + TINY, "0"},
    {std::string(310, '9'), "InvalidNumber"},
    {"1" + std::string(309, '0'), "InvalidNumber"},
    {E308 + "*10", "OutOfRange"},
    {E308 + "*10/100", "OutOfRange"},
    {E308 + "+" + E308, "OutOfRange"},
    {"1/0", "DivisionByZero"},
    {"0/0", "DivisionByZero"},
    {"1/-0", "DivisionByZero"},
    {"5%0", "ModuloByZero"},
    {"1/(2-2)", "DivisionByZero"},
    // each error, and which one wins
    {"", "Empty"},
    {" \t\r\n", "Empty"},
    {",", "Empty"},
    {"2x3", "UnsupportedChar"},
    {"1e5", "UnsupportedChar"},
    {"3×4", "UnsupportedChar"},
    {"\uFF11", "UnsupportedChar"},
    {"1\0+2"s, "UnsupportedChar"},
    {"1+\xFF", "UnsupportedChar"},
    {"1.2.3", "InvalidNumber"},
    {"1..2", "InvalidNumber"},
    {".", "InvalidNumber"},
    {"1+", "InvalidExpression"},
    {"*2", "InvalidExpression"},
    {"()", "InvalidExpression"},
    {"(", "InvalidExpression"},
    {")", "InvalidExpression"},
    {"50%", "InvalidExpression"},
    {"1 2", "InvalidExpression"},
    {"1 000", "InvalidExpression"},
    {"2(3)", "InvalidExpression"},
    {"1)", "InvalidExpression"},
    {"1+/0", "InvalidExpression"},
    {"(1", "UnclosedParen"},
    {"((1+2)", "UnclosedParen"},
    {"(2 3)", "UnclosedParen"},
    {"(1(2))", "UnclosedParen"},
    {"(1+x", "UnsupportedChar"},
    {"1/0+1..2", "InvalidNumber"},
    {"1..2+", "InvalidNumber"},
    {"1/0+", "DivisionByZero"},
    {"(1/0", "DivisionByZero"},
    {"1/0+" + E308 + "*10", "DivisionByZero"},
};

TEST(Evaluate, OutcomeTable) {
    for (const Case& c : CASES) EXPECT_EQ(outcome(c.input), c.expected) << "input: " << c.input;
}

TEST(Evaluate, ExactValuesAndSignedZero) {
    EXPECT_EQ(*evaluate("0.1+0.2"), 0.30000000000000004);
    EXPECT_EQ(*evaluate("12345678901234567890"), 12345678901234567168.0);
    EXPECT_TRUE(std::signbit(*evaluate("-0")));
    EXPECT_TRUE(std::signbit(*evaluate("0*-1")));
}

TEST(Evaluate, ScannerPayloads) {
    EXPECT_EQ(evaluate("2x3").error(), CalcError{calc_error::UnsupportedChar{U'x'}});
    EXPECT_EQ(evaluate("3×4").error(), CalcError{calc_error::UnsupportedChar{U'\u00D7'}});
    EXPECT_EQ(evaluate("1..2+1.2.3").error(), CalcError{calc_error::InvalidNumber{"1..2"}});
    // A removed comma must not join stray bytes into a character (here U+2000, a space).
    EXPECT_EQ(evaluate("1\xE2,\x80\x80").error(), CalcError{calc_error::UnsupportedChar{U'\uFFFD'}});
    EXPECT_EQ(calc_error_message(calc_error::ModuloByZero{}), "0으로 나눌 수 없습니다.");
}

TEST(Evaluate, NestingBound) {
    const auto nested = [](int depth) { return std::string(depth, '(') + "1" + std::string(depth, ')'); };
    EXPECT_EQ(outcome(nested(MAX_NESTING)), "1");
    EXPECT_EQ(outcome(std::string(MAX_NESTING, '-') + "1"), "1");
    EXPECT_EQ(outcome(nested(MAX_NESTING + 1)), "InvalidExpression");
    EXPECT_EQ(outcome(std::string(MAX_NESTING + 1, '-') + "1"), "InvalidExpression");

    // A million levels must come back as an error value, not a stack overflow.
    const std::size_t million = 1'000'000;
    std::string mixed;
    for (std::size_t i = 0; i < million / 2; ++i) mixed += "-(";
    for (const std::string& deep : {std::string(million, '('), std::string(million, '-'), mixed, nested(million),
                                    std::string(million, '-') + "1"})
        EXPECT_EQ(outcome(deep), "InvalidExpression");
    // The usual order still holds: scanner errors first, then left to right.
    EXPECT_EQ(outcome(std::string(million, '(') + "x"), "UnsupportedChar");
    EXPECT_EQ(outcome("1/0+" + std::string(million, '(')), "DivisionByZero");
    EXPECT_EQ(outcome(std::string(million, '+') + "1"), "1");
}

}  // namespace
