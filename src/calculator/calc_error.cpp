#include "calculator/calc_error.h"

namespace numvora {

namespace {

// One overload a kind: a kind without its text does not compile, and no order of the
// variant's alternatives can swap two texts.
using namespace calc_error;
std::string_view text_of(const Empty&) { return "계산식을 입력해 주세요."; }
std::string_view text_of(const UnsupportedChar&) { return "지원하지 않는 문자가 포함되어 있습니다."; }
std::string_view text_of(const InvalidNumber&) { return "올바르지 않은 숫자입니다."; }
std::string_view text_of(const InvalidExpression&) { return "올바르지 않은 계산식입니다."; }
std::string_view text_of(const UnclosedParen&) { return "괄호가 닫히지 않았습니다."; }
std::string_view text_of(const DivisionByZero&) { return "0으로 나눌 수 없습니다."; }
std::string_view text_of(const ModuloByZero&) { return "0으로 나눌 수 없습니다."; }
std::string_view text_of(const OutOfRange&) { return "계산 결과가 표현 가능한 범위를 벗어났습니다."; }

}  // namespace

std::string_view calc_error_message(const CalcError& error) {
    return std::visit([](const auto& kind) { return text_of(kind); }, error);
}

}  // namespace numvora
