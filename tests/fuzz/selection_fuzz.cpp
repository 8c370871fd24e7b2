// Whatever the memo selection holds, an operand it yields evaluates, and the expression
// an operation button builds from it is well formed: it can only fail on the numbers
// (too large, or a division by zero), never on its shape.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "calculator/evaluate.h"
#include "calculator/selection.h"
#include "fuzz_check.h"
#include "session/calculator_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto operand = numvora::classify_selection(text);
    if (!operand) {
        FUZZ_CHECK(!numvora::selection_error_message(operand.error()).empty());
        return 0;
    }
    FUZZ_CHECK(numvora::evaluate(*operand).has_value());
    numvora::CalculatorSession session;
    session.last_result = "2";
    for (const char op : {'+', '-', '*', '/'}) {
        const auto value = numvora::evaluate(session.operand_expression("", *operand, op));
        FUZZ_CHECK(value || std::holds_alternative<numvora::calc_error::OutOfRange>(value.error()) ||
                   std::holds_alternative<numvora::calc_error::DivisionByZero>(value.error()));
    }
    return 0;
}
