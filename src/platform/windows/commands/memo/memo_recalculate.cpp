// "결과 모두 다시 계산": every result written into the memo that no longer holds is
// written anew as F9 writes it, all in one edit of the control, so one undo step; a
// large one in a fresh control while the window answers, the status line saying so.
#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "notes/book/stale_results.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "ui/memo/text_search.h"

namespace numvora {
namespace {

constexpr std::string_view RECALCULATING_TEXT = "결과를 다시 계산하는 중입니다…";

}  // namespace

SystemStatus recalculate_memo_results(AppState& state, std::int32_t) {
    const MemoNotes& notes = catch_up_memo_notes(state);
    const NoteBook& book = notes.book();
    std::vector<TextSplice> splices;
    std::vector<std::wstring> written;
    for (std::size_t line = 0; line < book.size(); ++line) {
        const std::optional<StaleResult> stale = stale_result(book, line);
        if (!stale) continue;
        const std::string_view text = book.text(line);
        const auto at = [&](std::size_t byte) {
            return notes.mirror().line_start(line) + to_wide(text.substr(0, byte)).size();
        };
        splices.push_back({at(stale->replace_begin), at(stale->replace_end) - at(stale->replace_begin), {}});
        written.push_back(to_wide(stale->written));
    }
    if (splices.empty()) {
        show_command_outcome(state, "다시 계산할 결과가 없습니다", false);
        return {};
    }
    for (std::size_t i = 0; i < splices.size(); ++i) splices[i].inserted = written[i];
    const Replacement done = replace_each(notes.mirror().text(), splices);
    // The caret stays where it was in the text, not at the end of the stretch replaced.
    const MemoSelection before = memo_selection(state.memo_edit());
    const auto after = [&](std::int32_t position) {
        return static_cast<std::int32_t>(position_after(static_cast<std::size_t>(position), splices));
    };
    const MemoSelection kept{after(before.start), after(before.end)};
    std::string outcome = "결과 " + std::to_string(done.count) + "개를 다시 계산했습니다";
    replace_memo_range_in_pieces(
        state, {static_cast<std::int32_t>(done.first), static_cast<std::int32_t>(done.last)}, done.stretch,
        RECALCULATING_TEXT, [kept, outcome = std::move(outcome)](AppState& then) {
            select_in_memo(then.memo_edit(), kept);  // a fresh control when the stretch was large
            settle_memo_selection(then);
            show_edit_outcome(then, outcome);
        });
    return {};
}

}  // namespace numvora
