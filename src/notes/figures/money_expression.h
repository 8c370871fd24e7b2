// An expression written with money as the memo writes it ("55만*12", "12만 3천원 / 3",
// "₩1,234,000 × 2", "삼만 오천 + 5,000"), put in the engine's text ("550000*12"), so
// that the calculator reads what the memo reads.
#pragma once

#include <string>
#include <string_view>

#include "common/result.h"

namespace numvora {

// Each figure read as the notes read it, ₩ or ￦ before it and 원 after it dropped;
// × ÷ − as * / -, commas dropped, the engine's own signs and white space kept. A figure
// in words stands alone: "사과" is no 4. Fails with the first character that is none of
// these: a foreign currency, a label, a counter ("3잔"). The engine judges the rest.
Result<std::string, char32_t> read_money_expression(std::string_view text);

}  // namespace numvora
