// Money written the Korean way: in 만, 억 and 조 ("1억 2,000만원"), and in words as a
// receipt or a contract writes it ("일금 일억오천오백만원정"). Values come as the notes
// give them: plain decimal text, signed ("-5000", "0.5").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"

namespace numvora {

// Groups of four digits named 조, 억 and 만, each grouped in thousands, a space between
// groups and no group that is zero: "1억 2,000만", "1조 5", "9,999". A fraction stays
// with the last group ("3만 3,333.5", "1억 0.5") and a minus stands before the whole
// ("-67만 3,000"), so that the memo reads the text back as the same value; past 9,999조
// the 조 group grows ("12,345조"). with_won: "원" follows. Nothing for a text that is
// no plain decimal.
std::optional<std::string> korean_amount_text(std::string_view value, bool with_won);

// The largest amount the words can name without a unit beyond 조.
inline constexpr std::uint64_t LARGEST_AMOUNT_IN_WORDS = 9999'9999'9999'9999;

enum class AmountRefusal : std::uint8_t { NotAnAmount, Fraction, BelowZero, TooLarge };
// What the status line says of a refused amount.
std::string_view amount_refusal_text(AmountRefusal refusal);

// "일금 일억오천오백만원정": 일금, the Sino-Korean words with 일 before 십, 백 and 천 and
// no spaces, then 원정. Whole amounts from zero to LARGEST_AMOUNT_IN_WORDS.
Result<std::string, AmountRefusal> amount_in_words(std::string_view value);
// The plain figure of a whole amount not below zero: "155000000".
Result<std::string, AmountRefusal> amount_figure(std::string_view value);

}  // namespace numvora
