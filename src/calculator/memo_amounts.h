// The amounts written in memo notes, read for a total of the selection: "식비 98,500",
// "12만 3천원", "(−2,000)". Values stay decimal text so that nothing is rounded before
// the engine sees them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace numvora {

// Every amount in a UTF-8 text, in order, as plain decimal text ("550000", "-2000",
// "0.5"): no grouping, no superfluous zeros, never "-0". Linear in the text's length.
//
// Readings chosen for notes:
// - A minus counts only at the start, after white space or after "(" ("(−2,000)"); a
//   hyphen between digits is not a sign.
// - Digits touching an ASCII letter ("A4", "mp3", "x2") are a name, not an amount.
// - Digit runs joined by "-", "−", ".", "/" or ":" ("2026-12-07", "010-1234-5678",
//   "12:30", "3.14.15", "1,000-2,000") are dates, phone numbers, times, versions or
//   ranges; nobody totalling notes wants their pieces added, so the whole run is
//   skipped, as is a number hanging on a name that way ("B-2", "COVID-19", "No.5").
// - A comma starts a thousands group only before exactly three digits: "1,23" is 1
//   and 23, "1,234,5678" is 1234 and 5678.
// - A point needs a digit after it to start a fraction ("10." is 10). A leading point
//   is a fraction only where a sign could stand (" .5" is 0.5); after other text it is
//   punctuation ("끝.5" is 5).
// - 천 만 억 조 right after a number scale it, 천 combining with the larger three
//   ("5천만"); parts with strictly falling units, at most one space apart, make one
//   amount, a bare number only as the last part ("1억 2,000만 500" is 120000500).
std::vector<std::string> extract_amounts(std::string_view text);

// "a + b - c" for the engine: a negative amount after the first is subtracted, so no
// sign ever follows an operator. Empty when there is nothing to add.
std::string sum_expression(const std::vector<std::string>& amounts);

}  // namespace numvora
