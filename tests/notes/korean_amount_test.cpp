// Money written in 만 and 억, and in words for a receipt.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "notes/korean_amount.h"
#include "notes/written_number.h"

namespace numvora {
namespace {

TEST(KoreanAmount, GroupsOfFourNamedByTheirUnit) {
    const struct {
        const char* value;
        bool won;
        std::optional<std::string> text;
    } rows[] = {
        {"120000000", false, "1억 2,000만"},
        {"1000000000005", false, "1조 5"},
        {"155000000", true, "1억 5,500만원"},
        {"673000", false, "67만 3,000"},
        {"9999", false, "9,999"},
        {"0", true, "0원"},
        {"-673000", true, "-67만 3,000원"},
        {"33333.50", false, "3만 3,333.5"},
        {"100000000.25", false, "1억 0.25"},
        {"-0.5", false, "-0.5"},
        {"12345000000000000", false, "12,345조"},
        {"1,234", false, std::nullopt},
        {"-", false, std::nullopt},
        {"1e5", false, std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(korean_amount_text(row.value, row.won), row.text) << row.value;
}

std::string outcome(const Result<std::string, AmountRefusal>& written) {
    return written ? *written : std::string(amount_refusal_text(written.error()));
}

TEST(KoreanAmount, WordsAndFigureForAReceipt) {
    const struct {
        const char* value;
        std::string words;
        std::string figure;
    } rows[] = {
        {"155000000", "일금 일억오천오백만원정", "155000000"},
        {"110010", "일금 일십일만일십원정", "110010"},

        {"1000000000005", "일금 일조오원정", "1000000000005"},
        {"0", "일금 영원정", "0"},
        {"005.00", "일금 오원정", "5"},
        {"10000000000000000", outcome(fail(AmountRefusal::TooLarge)), "10000000000000000"},
        {"0.5", outcome(fail(AmountRefusal::Fraction)), outcome(fail(AmountRefusal::Fraction))},
        {"-5000", outcome(fail(AmountRefusal::BelowZero)), outcome(fail(AmountRefusal::BelowZero))},
        {"오천", outcome(fail(AmountRefusal::NotAnAmount)), outcome(fail(AmountRefusal::NotAnAmount))},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(outcome(amount_in_words(row.value)), row.words) << row.value;
        EXPECT_EQ(outcome(amount_figure(row.value)), row.figure) << row.value;
    }
}

// Reads one 만-group of words ("오천오백", "일십일") with the notes' own reader.
std::optional<std::uint64_t> read_group(std::string_view words) {
    const notes_detail::WrittenNumber n = notes_detail::read_written_number(words, 0, true);
    if (n.end != words.size() || n.value.scale != 0) return std::nullopt;
    return std::stoull(notes_detail::to_text(n.value, false));
}

// The words read back, group by group, checking the form's rules on the way: only
// number words, 일 before every 십, 백 and 천, the large units falling, no empty group.
std::optional<std::uint64_t> read_back(const std::string& words) {
    constexpr std::string_view PREFIX = "일금 ";
    constexpr std::string_view SUFFIX = "원정";
    if (!words.starts_with(PREFIX) || !words.ends_with(SUFFIX)) return std::nullopt;
    std::string_view body(words);
    body = body.substr(PREFIX.size(), body.size() - PREFIX.size() - SUFFIX.size());
    if (body == "영") return 0;
    constexpr std::string_view LARGE[] = {"조", "억", "만"};
    constexpr std::string_view DIGIT_WORDS = "일이삼사오육칠팔구";
    std::uint64_t total = 0;
    std::size_t next_large = 0;
    for (std::size_t i = 0, group_start = 0; i <= body.size(); i += 3) {
        const std::string_view syllable = body.substr(i, 3);
        if ((syllable == "십" || syllable == "백" || syllable == "천") &&
            (i == group_start || DIGIT_WORDS.find(body.substr(i - 3, 3)) == std::string_view::npos))
            return std::nullopt;
        const std::size_t large =
            static_cast<std::size_t>(std::find(std::begin(LARGE), std::end(LARGE), syllable) - std::begin(LARGE));
        const bool at_end = i >= body.size();
        if (large == std::size(LARGE) && !at_end) continue;
        if (large < next_large) return std::nullopt;  // a large unit again, or out of order
        if (at_end && group_start == i) break;        // no ones group
        const std::optional<std::uint64_t> group = read_group(body.substr(group_start, i - group_start));
        if (!group || *group == 0) return std::nullopt;
        std::uint64_t scale = 1;
        for (std::size_t k = large; k < std::size(LARGE); ++k) scale *= 10'000;
        total += *group * scale;
        next_large = large + 1;
        group_start = i + 3;
    }
    return total;
}

// Amounts of every length up to the largest, with zero digits enough to leave whole
// groups empty.
TEST(KoreanAmount, RandomAmountsReadBackAsTheirValue) {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int> length(1, 16);
    std::uniform_int_distribution<int> digit(0, 14);
    for (int run = 0; run < 12'000; ++run) {
        std::uint64_t amount = 0;
        for (int i = length(random); i > 0; --i)
            amount = amount * 10 + static_cast<std::uint64_t>(std::max(digit(random) - 5, 0));
        if (run == 0) amount = LARGEST_AMOUNT_IN_WORDS;
        const std::string value = std::to_string(amount);
        const Result<std::string, AmountRefusal> words = amount_in_words(value);
        ASSERT_TRUE(words.has_value()) << value;
        ASSERT_EQ(read_back(*words), amount) << *words;

        const std::string grouped = korean_amount_text(value, false).value();
        const notes_detail::WrittenNumber n = notes_detail::read_written_number(grouped, 0, true);
        ASSERT_EQ(n.end, grouped.size()) << grouped;
        ASSERT_EQ(notes_detail::to_text(n.value, false), value) << grouped;
    }
}

}  // namespace
}  // namespace numvora
