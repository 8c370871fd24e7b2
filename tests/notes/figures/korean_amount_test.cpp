// Money written in 만 and 억, and in words for a receipt.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "notes/figures/korean_amount.h"
#include "notes/figures/written_number.h"

namespace numvora {
namespace {

std::string outcome(const Result<std::string, AmountRefusal>& written) {
    return written ? *written : std::string(amount_refusal_text(written.error()));
}
std::string refused(AmountRefusal refusal) { return outcome(fail(refusal)); }

TEST(KoreanAmount, GroupedInManWordsAndFigure) {
    const struct {
        const char* value;
        std::optional<std::string> grouped;
        std::string words;
        std::string figure;
    } rows[] = {
        {"155000000", "1억 5,500만", "일금 일억오천오백만원정", "155000000"},
        {"1000000000005", "1조 5", "일금 일조오원정", "1000000000005"},
        {"0", "0", "일금 영원정", "0"},
        {"-673000", "-67만 3,000", refused(AmountRefusal::BelowZero), refused(AmountRefusal::BelowZero)},
        {"33333.50", "3만 3,333.5", refused(AmountRefusal::Fraction), refused(AmountRefusal::Fraction)},
        {"100000000.25", "1억 0.25", refused(AmountRefusal::Fraction), refused(AmountRefusal::Fraction)},
        {"12345000000000000", "12,345조", refused(AmountRefusal::TooLarge), "12345000000000000"},
        {"1,234", std::nullopt, refused(AmountRefusal::NotAnAmount), refused(AmountRefusal::NotAnAmount)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(korean_amount_text(row.value, false), row.grouped) << row.value;
        EXPECT_EQ(outcome(amount_in_words(row.value)), row.words) << row.value;
        EXPECT_EQ(outcome(amount_figure(row.value)), row.figure) << row.value;
    }
    EXPECT_EQ(korean_amount_text("-120000000", true), "-1억 2,000만원");
}

// The words read back group by group with the notes' own reader, checking the form on
// the way: 일금 and 원정 around, no space, no empty group, and every digit but zero
// written with its unit, so 일 before 십, 백 and 천: two syllables each, one for the ones.
std::optional<std::uint64_t> read_back(std::string_view words) {
    if (!words.starts_with("일금 ") || !words.ends_with("원정")) return std::nullopt;
    std::string_view body = words.substr(7, words.size() - 13);
    if (body == "영") return 0;
    std::uint64_t total = 0;
    for (const auto& [unit, scale] : {std::pair<std::string_view, std::uint64_t>{"조", 1'0000'0000'0000},
                                      {"억", 1'0000'0000},
                                      {"만", 1'0000},
                                      {"", 1}}) {
        const std::size_t at = unit.empty() ? body.size() : body.find(unit);
        if (at == std::string_view::npos || at + unit.size() == 0) continue;
        const notes_detail::WrittenNumber group = notes_detail::read_written_number(body.substr(0, at), 0, true);
        const std::string digits = notes_detail::to_text(group.value, false);
        const auto written = std::count_if(digits.begin(), digits.end(), [](char c) { return c != '0'; });
        if (group.end != at || written == 0 || at != 3 * static_cast<std::size_t>(2 * written - (digits.back() != '0')))
            return std::nullopt;
        total += std::stoull(digits) * scale;
        body.remove_prefix(at + unit.size());
    }
    return total;
}

// Amounts of every length up to the largest, with zeros enough to leave whole groups
// empty; the 만 style reads back too.
TEST(KoreanAmount, RandomAmountsReadBackAsTheirValue) {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int> length(1, 16);
    std::uniform_int_distribution<int> digit(-5, 9);  // below zero: a zero
    for (int run = 0; run < 12'000; ++run) {
        std::uint64_t amount = run == 0 ? LARGEST_AMOUNT_IN_WORDS : 0;
        for (int i = run == 0 ? 0 : length(random); i > 0; --i) amount = amount * 10 + std::max(digit(random), 0);
        const std::string value = std::to_string(amount);
        const Result<std::string, AmountRefusal> words = amount_in_words(value);
        ASSERT_TRUE(words.has_value()) << value;
        ASSERT_EQ(read_back(*words), amount) << *words;
        const std::string grouped = korean_amount_text(value, false).value_or("");
        const notes_detail::WrittenNumber n = notes_detail::read_written_number(grouped, 0, true);
        ASSERT_EQ(grouped.substr(n.end) + notes_detail::to_text(n.value, false), value) << grouped;
    }
}

}  // namespace
}  // namespace numvora
