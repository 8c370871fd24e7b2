// What a paste puts into the expression box. Figures copied from bank pages, receipts,
// spreadsheets and chats carry currency signs, full-width digits, typographic operators
// and no-break spaces the calculator does not read; they are rewritten before they go in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace numvora {

// The pasted text as numbers and ASCII operators: ₩ ￦ $ and 원 dropped, full-width
// digits and signs to ASCII, × ÷ − to * / -, no-break and thin spaces inside a number
// removed, both ends trimmed, each line break (blank lines skipped) a "+". A line with
// other text goes in as the memo reads it ("12만 3천원" is 123000), an expression of
// money alone as the box reads it ("삼만 오천 + 5,000"). Nothing when a line
// reads as no amount and no expression, or there is no digit: such text goes in as it
// was, so that the calculator's error names what it cannot read.
std::optional<std::string> expression_from_paste(std::string_view pasted);

}  // namespace numvora
