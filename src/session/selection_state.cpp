#include "session/selection_state.h"

#include "calculator/selection.h"
#include "notes/figures/money_expression.h"

namespace numvora {

bool SelectionState::moved_to(MemoSelection now) {
    if (now == last_memo_selection) return false;
    last_memo_selection = now;
    return true;
}

SelectionMessage SelectionState::take(std::optional<std::string_view> selected_text) {
    pending_operand.reset();
    if (!selected_text) return {};
    Result<std::string, SelectionError> operand = classify_selection(*selected_text);
    // Money as the memo writes it ("12만 3천원", "₩1,234") is the operand the calculator reads.
    if (!operand) {
        if (const Result<std::string, char32_t> read = read_money_expression(*selected_text))
            operand = classify_selection(*read);
    }
    // Lines selected whole (to copy, to total) are no try at an operand: nothing to say.
    if (!operand && selected_text->find_first_of("\r\n") != std::string_view::npos) return {};
    if (!operand) return {selection_error_message(operand.error()), true};
    pending_operand = std::move(operand).value();
    return {selection_status_text(*pending_operand), false};
}

void SelectionState::reset() {
    pending_operand.reset();
    last_memo_selection = {};
}

}  // namespace numvora
