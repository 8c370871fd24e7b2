// A run of the calculator's commands, chosen by the input, keeps the session's rules:
// at most twenty records, newest first, texts to carry exactly when there is a result,
// and a document that carries the whole state back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "session/calculator_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    numvora::CalculatorSession session;
    std::size_t pos = 0;
    while (pos + 2 <= size) {
        const std::uint8_t command = data[pos];
        const std::size_t length = std::min<std::size_t>(data[pos + 1] % 24, size - pos - 2);
        const std::string text(reinterpret_cast<const char*>(data) + pos + 2, length);
        pos += 2 + length;
        switch (command % 6) {
        case 0: {
            const numvora::Calculation calculation = session.calculate(text);
            if (calculation.record) {
                const auto before = session.history;
                session.remember(*calculation.record);
                // A figure alone is carried but not listed.
                FUZZ_CHECK(session.last_result == calculation.record->result);
                FUZZ_CHECK(session.history == before || session.history.front() == *calculation.record);
            } else {
                session.forget_last();
            }
            break;
        }
        case 1:
            if (const auto reuse = session.reuse(static_cast<std::int64_t>(command / 6) - 1)) {
                session.take_over(reuse->record);
            }
            break;
        case 2: session.group_thousands = !session.group_thousands; break;
        case 3: session.clear_history(); break;
        case 4: {
            const std::string expression = session.operand_expression(text, "2", "+-*/"[command / 6 % 4]);
            FUZZ_CHECK(expression.find("(2)") != std::string::npos);
            break;
        }
        default: {
            const numvora::PadDocument document = session.to_document("memo", text);
            numvora::CalculatorSession loaded;
            loaded.take_document(document);
            FUZZ_CHECK(loaded.history == session.history && loaded.last_result == session.last_result);
            break;
        }
        }
        FUZZ_CHECK(session.history.size() <= numvora::HISTORY_LIMIT);
        FUZZ_CHECK(session.history_lines().size() == session.history.size());
        FUZZ_CHECK(session.carry_text(numvora::CarryForm::Result).has_value() == session.last_result.has_value());
        if (session.carry_text(numvora::CarryForm::ExpressionAndResult)) FUZZ_CHECK(session.last_expression);
    }
    return 0;
}
