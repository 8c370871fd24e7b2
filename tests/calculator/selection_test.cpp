#include <gtest/gtest.h>

#include <string>

#include "calculator/selection.h"

using namespace numvora;

namespace {

struct Case {
    std::string selected;
    std::string expected;  // the operand, or the error's text
};

const std::string NOT_WRAPPED = "계산식은 전체를 괄호로 감싸 주세요. 예: (1 + 2)";
const std::string USE_ASTERISK = "곱하기 연산은 x 대신 * 를 사용해 주세요.";
const std::string NOT_OPERAND = "숫자 또는 괄호로 감싼 계산식만 선택할 수 있습니다.";
const std::string INNER = "괄호 안 계산식이 올바르지 않습니다: ";

const Case CASES[] = {
    {" \r\n\u3000", "선택한 내용이 비어 있습니다."},
    {"  1,234.50 ", "1234.5"},
    {"-.5", "-0.5"},
    {"+5", "5"},
    {"0012", "12"},
    {"5.", "5"},
    {"-0", "0"},
    {"12345678901234567890", "12345678901234567000"},
    {"(5)", "(5)"},
    {"((1+2))", "((1+2))"},
    {"(3 × 4)", "(3 * 4)"},
    {" (8 ÷ 2 − 1) ", "(8 / 2 - 1)"},
    {"1+2", NOT_WRAPPED},
    {"3×4", NOT_WRAPPED},
    {"-(5)", NOT_WRAPPED},
    {"(1+2)*(3+4)", NOT_WRAPPED},
    {"+-5", NOT_WRAPPED},
    {"2x3", USE_ASTERISK},
    {"(2x3)", USE_ASTERISK},
    {"box 3", USE_ASTERISK},
    {"3x", USE_ASTERISK},
    {"(x)+1", USE_ASTERISK},
    {"x", NOT_OPERAND},
    {"(x)", INNER + "지원하지 않는 문자가 포함되어 있습니다."},
    {"(1/0)", INNER + "0으로 나눌 수 없습니다."},
    {"(1+2", INNER + "괄호가 닫히지 않았습니다."},
    {"()", INNER + "올바르지 않은 계산식입니다."},
    {"1e5", NOT_OPERAND},
    {"1.2.3", NOT_OPERAND},
    {"1/0", NOT_OPERAND},
    {"50%", NOT_OPERAND},
    {"-", NOT_OPERAND},
    {".", NOT_OPERAND},
    {"1" + std::string(309, '0'), NOT_OPERAND},
    {"(" + std::string(1'000'000, '(') + "1)", INNER + "올바르지 않은 계산식입니다."},
    // An operation adds a level: an operand at the bound itself leaves it no room.
    {std::string(255, '(') + "1" + std::string(255, ')'), std::string(255, '(') + "1" + std::string(255, ')')},
    {std::string(256, '(') + "1" + std::string(256, ')'), INNER + "올바르지 않은 계산식입니다."},
};

TEST(ClassifySelection, Table) {
    for (const Case& c : CASES) {
        const Result<std::string, SelectionError> operand = classify_selection(c.selected);
        EXPECT_EQ(operand ? *operand : selection_error_message(operand.error()), c.expected)
            << c.selected.substr(0, 40);
    }
}

TEST(ClassifySelection, StatusText) {
    EXPECT_EQ(selection_status_text("(3 * 4)"), "선택값 (3 * 4) — 연산 버튼 사용 가능");
}

}  // namespace
