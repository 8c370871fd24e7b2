// "한글 금액으로 복사" and "숫자 금액으로 복사": a result onto the clipboard as a receipt
// writes it ("일금 일억오천오백만원정") or as its plain figure ("155000000"); from the memo's
// menu the result of the text F9 reads, from a margin result's menu that result. What
// is no whole amount from zero up is refused on the status line.
#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/memo/memo_calculate.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/status_view.h"

namespace numvora {

SystemStatus copy_amount_of(AppState& state, const NoteResult& result, std::int32_t id) {
    const AmountCopy copy = id == ids::MEMO_COPY_AMOUNT_WORDS ? AmountCopy::Words : AmountCopy::Figure;
    const Result<std::string, AmountRefusal> text = copied_amount(result, copy);
    if (!text) {
        show_command_outcome(state, std::string(amount_refusal_text(text.error())), true);
        return {};
    }
    if (auto status = copy_to_clipboard(state.main_window, *text, *state.calls.clipboard); !status) return status;
    show_command_outcome(state, *text + " 복사했습니다", false);
    return {};
}

SystemStatus copy_amount(AppState& state, std::int32_t id) {
    const NotesAtRange at = read_notes_at_range(state);
    return copy_amount_of(state, at.reading.kind == LineKind::Total ? at.total.result() : at.reading.result(), id);
}

}  // namespace numvora
