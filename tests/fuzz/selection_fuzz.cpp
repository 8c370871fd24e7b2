// Whatever the memo selection holds, an operand it yields evaluates, on its own and
// inside the expression an operation button builds from it.
#include <cstddef>
#include <cstdint>
#include <string_view>

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
    for (const char op : {'+', '-', '*'}) {
        FUZZ_CHECK(numvora::evaluate(session.operand_expression("", *operand, op)).has_value());
    }
    return 0;
}
