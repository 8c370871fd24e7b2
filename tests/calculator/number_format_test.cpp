#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calculator/number_format.h"

using namespace numvora;

namespace {

struct NumberCase {
    double value;
    std::string text;
};

const NumberCase NUMBERS[] = {
    {0.0, "0"},
    {-0.0, "0"},
    {1.0 / 3, "0.333333333333"},
    {2.0 / 3, "0.666666666667"},
    {0.1 + 0.2, "0.3"},
    {2.9999999999999996, "3"},
    {-2.5, "-2.5"},
    {1234.5678, "1234.5678"},
    {123456789.12345679, "123456789.123456791043"},
    {1e14 / 3, "33333333333333.33203125"},
    {999999999999999.9, "999999999999999.875"},
    {1e15 + 0.5, "1000000000000000.5"},
    {1234567890123456.8, "1234567890123456.8"},
    {1e15, "1000000000000000"},
    {1e20, "100000000000000000000"},
    {12345678901234567168.0, "12345678901234567000"},
    {-12345678901234567168.0, "-12345678901234567000"},
    {1e-13, "0.0000000000001"},
    {3.333333333333333e-13, "0.0000000000003333333333333333"},
    {1e-12, "0.000000000001"},
    {-1e-12, "-0.000000000001"},
    {9.9e-13, "0.00000000000099"},
    // exact ties at the 13th decimal go to the even neighbour
    {0.0001220703125, "0.000122070312"},
    {0.0003662109375, "0.000366210938"},
    {-0.0001220703125, "-0.000122070312"},
    {2468.0, "2468"},
    {-7.0, "-7"},
    {5e-324, "0." + std::string(323, '0') + "5"},
    {std::numeric_limits<double>::max(), "17976931348623157" + std::string(292, '0')},
};

TEST(FormatNumber, Table) {
    for (const NumberCase& c : NUMBERS) EXPECT_EQ(format_number(c.value), c.text) << c.text;
}

struct TextCase {
    std::string input;
    std::string output;
};

TEST(Grouping, AddThousandsSeparators) {
    const TextCase cases[] = {
        {"1234567", "1,234,567"},
        {"123456", "123,456"},
        {"-123", "-123"},
        {"-1234.5678", "-1,234.5678"},
        {"123", "123"},
        {"1234", "1,234"},
        {"0001234", "0,001,234"},
        {"1234.5.6", "1,234.5.6"},
        {"1234.", "1,234."},
        {".5", ".5"},
        {"-.5", "-.5"},
        {"+1234", "+1234"},
        {"1,234", "1,234"},
        {"1e20", "1e20"},
        {"", ""},
        {"--1234", "--1234"},
        {"1234.56789", "1,234.56789"},
        {"12345678901234567000", "12,345,678,901,234,567,000"},
    };
    for (const TextCase& c : cases) EXPECT_EQ(add_thousands_separators(c.input), c.output) << c.input;
    EXPECT_EQ(format_result_text(true, "-1234.5"), "-1,234.5");
    EXPECT_EQ(format_result_text(false, "-1234.5"), "-1234.5");
}

TEST(Grouping, FormatExpressionText) {
    const TextCase grouped[] = {
        {"1234+5678", "1,234+5,678"},
        {"-1234.5678*2", "-1,234.5678*2"},
        {"1,2,3,4", "1,234"},
        {"(12345)/1000", "(12,345)/1,000"},
        {".5+1000", ".5+1,000"},
        {"1234.5.6", "1,234.5.6"},
        {"1e5", "1e5"},
        {"1234 .5678 .x", "1,234 .5678 .x"},
        {"×1234÷", "×1,234÷"},
        // groups of exactly three digits never get a comma in front of the first one
        {"123+456", "123+456"},
        {"123456-654321", "123,456-654,321"},
        {"1234*4321", "1,234*4,321"},
        {"(123)/(456789)", "(123)/(456,789)"},
        {"-123456.5", "-123,456.5"},
    };
    for (const TextCase& c : grouped) {
        EXPECT_EQ(format_expression_text(true, c.input), c.output) << c.input;
        EXPECT_EQ(format_expression_text(false, c.input), format_expression_text(false, c.output));
    }
    EXPECT_EQ(format_expression_text(false, "1,234+5,678"), "1234+5678");
}

}  // namespace
