// The amounts written in notes, read for a total: "식비 98,500", "12만 3천원",
// "(−2,000)", with dates, times and counts told apart. Values stay decimal text so that
// nothing is rounded before the engine sees them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace numvora {

struct NoteAmounts {
    std::vector<std::string> added;  // plain decimal text, in order ("550000", "-2000", "0.5")
    std::size_t dates = 0;           // numbers passed over as dates, times and durations
    std::size_t counts = 0;          // counts passed over beside other amounts
};

// Every amount in a UTF-8 text, linear in the text's length. Readings chosen for notes:
// - A minus counts only at the start, after white space or after "(" ("(−2,000)"); a
//   hyphen between digits is not a sign.
// - Digits touching an ASCII letter ("A4", "mp3", "x2") are a name, not an amount.
// - Digit runs joined by "-", "−", ".", "/" or ":" ("2026-12-07", "010-1234-5678",
//   "12:30", "3.14.15", "1,000-2,000") are dates, phone numbers, times, versions or
//   ranges, skipped whole, as is a number hanging on a name that way ("B-2", "No.5").
// - A comma starts a thousands group only before exactly three digits; a point needs a
//   digit after it, and leads a fraction only where a sign could stand (" .5").
// - 천 만 억 조 right after a number scale it ("5천만"); parts with strictly falling
//   units, at most one space apart, make one amount ("1억 2,000만 500").
// - A number followed (directly or after one space) by 년 월 일 시 분 초 or the
//   durations 시간 개월 주 일간, or after 오전/오후, is a date or time, never added.
// - A number followed by a counter word (개 명 잔 장 …) is a count: counts are added
//   only when the text holds nothing else to add ("사과 3개 / 배 2개").
// - A total line ("소계: 3,000", "합계 = 29,300") is passed over: its figure is a sum of
//   the lines above it.
NoteAmounts read_amounts(std::string_view text);

// "a + b - c" for the engine: a negative amount after the first is subtracted, so no
// sign ever follows an operator. Empty when there is nothing to add.
std::string sum_expression(const std::vector<std::string>& amounts);

// The status line after a total: "3개를 더했습니다 (날짜·시간 3개, 개수 1개 제외)", or
// "더할 숫자가 없습니다".
std::string total_status_text(const NoteAmounts& amounts);

}  // namespace numvora
