#include "calculator/calc_error.h"

#include <iterator>

namespace numvora {

namespace {

// Indexed by the variant's declaration order.
constexpr std::string_view MESSAGES[] = {
    "계산식을 입력해 주세요.",   "지원하지 않는 문자가 포함되어 있습니다.",
    "올바르지 않은 숫자입니다.", "올바르지 않은 계산식입니다.",
    "괄호가 닫히지 않았습니다.", "0으로 나눌 수 없습니다.",
    "0으로 나눌 수 없습니다.",   "계산 결과가 표현 가능한 범위를 벗어났습니다.",
};
static_assert(std::size(MESSAGES) == std::variant_size_v<CalcError>);

}  // namespace

std::string_view calc_error_message(const CalcError& error) { return MESSAGES[error.index()]; }

}  // namespace numvora
