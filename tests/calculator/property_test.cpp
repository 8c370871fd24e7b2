#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "calculator/tokenizer.h"

using namespace numvora;

namespace {

// Fragments weighted towards what people type, with the odd character the engine
// must refuse or skip.
std::string random_expression(std::mt19937_64& rng) {
    static const char* const PIECES[] = {
        "0", "1", "2", "5", "9", "12",     "1234", "99999", ".", ".",    ",",    "+",   "-",   "*",
        "/", "%", "(", ")", " ", "\u3000", "x",    "×",     "e", "\xFF", "\xE2", "0.1", "1e3",
    };
    std::uniform_int_distribution<std::size_t> length(0, 24);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(PIECES) - 1);
    std::string text;
    for (std::size_t n = length(rng); n > 0; --n) text += PIECES[piece(rng)];
    return text;
}

bool same_outcome(const Result<double, CalcError>& a, const Result<double, CalcError>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (a) return std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b);
    return a.error() == b.error();
}

TEST(Properties, ExpressionTextIsIdempotentAndKeepsTheOutcome) {
    std::mt19937_64 rng(20261207);
    for (int i = 0; i < 5000; ++i) {
        const std::string text = random_expression(rng);
        for (const bool group : {false, true}) {
            const std::string shown = format_expression_text(group, text);
            EXPECT_EQ(format_expression_text(group, shown), shown) << text;
            EXPECT_EQ(format_expression_text(group, strip_commas(text)), shown) << text;
            EXPECT_TRUE(same_outcome(evaluate(shown), evaluate(text))) << text;
        }
    }
}

TEST(Properties, ShortestFormParsesBack) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> exponent(-320.0, 308.0);
    int checked = 0;
    while (checked < 5000) {
        // Random bit patterns cover every binade; powers of ten cover whole numbers.
        const double value = checked % 2 ? std::bit_cast<double>(rng()) : std::trunc(std::pow(10.0, exponent(rng)));
        if (!std::isfinite(value) || value == 0.0) continue;
        ++checked;
        const std::string text = format_number(value);
        const double magnitude = std::fabs(value);
        if (value != std::trunc(value) && magnitude >= 1e-12 && magnitude < 1e15) continue;
        const std::string_view digits = text.front() == '-' ? std::string_view(text).substr(1) : text;
        const std::optional<double> back = parse_decimal(digits);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(std::signbit(value) ? -*back : *back, value) << text;
    }
}

}  // namespace
