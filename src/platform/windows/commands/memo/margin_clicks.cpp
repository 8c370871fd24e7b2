#include "platform/windows/commands/memo/margin_clicks.h"

#include <richedit.h>
#include <windowsx.h>

#include <utility>

#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/command_menus.h"
#include "platform/windows/commands/memo/memo_calculate.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"

namespace numvora {
namespace {

void copy_margin_result(AppState& state, const MarginRow& row) {
    if (auto status = copy_to_clipboard(state.main_window, row.shown, *state.calls.clipboard); !status) {
        show_command_outcome(state, display_text(status.error()), true);
        return;
    }
    show_command_outcome(state, row.shown + " 복사했습니다", false);
}

// As a double click on the history: the value in the box, ready to calculate with. The
// label says no more what a calculation before it said (an error is no longer so): it
// shows the last result kept, if any. A date, a D-day or a duration is no figure the box
// could take as shown: the click's copy is all.
void reuse_margin_result(AppState& state, const MarginRow& row) {
    const std::optional<NoteResult> result = margin_row_result(state, row);
    const std::optional<std::string> value = result ? calculator_value(*result) : std::nullopt;
    if (!value) return;
    const HWND box = state.expression_edit();
    for (const auto& [control, text] : {std::pair{box, state.calculator.expression_text(*value)},
                                        {state.result_label(), state.calculator.result_label_text()}}) {
        if (auto status = set_control_text(control, text); !status) {
            show_command_outcome(state, display_text(status.error()), true);
            return;
        }
    }
    put_caret_at_end(box);
    SetFocus(box);
}

}  // namespace

std::optional<NoteResult> margin_row_result(AppState& state, const MarginRow& row) {
    POINTL at{0, row.box.top};
    const auto position =
        static_cast<std::int32_t>(SendMessageW(state.memo_edit(), EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
    const MemoNotes& notes = catch_up_memo_notes(state);
    return notes.book().note_result(notes.line_of(position));
}

std::optional<LRESULT> margin_clicks_before(AppState& state, const MemoMessage& message) {
    if (message.id != WM_LBUTTONDOWN && message.id != WM_LBUTTONDBLCLK) return std::nullopt;
    const MarginRow* row = margin_row_at(state, {GET_X_LPARAM(message.lparam), GET_Y_LPARAM(message.lparam)});
    if (row == nullptr) return std::nullopt;
    // A copy: what the click does may repaint the memo, which replaces the rows.
    const MarginRow chosen = *row;
    if (message.id == WM_LBUTTONDOWN)
        copy_margin_result(state, chosen);
    else
        reuse_margin_result(state, chosen);
    return 0;
}

bool open_margin_menu(AppState& state, std::span<const std::int32_t> rows, std::optional<POINT> screen) {
    if (!screen) return false;
    POINT client = *screen;
    ScreenToClient(state.memo_edit(), &client);
    const MarginRow* row = margin_row_at(state, client);
    if (row == nullptr) return false;
    // Read before the menu's loop, which may repaint the memo and replace the rows.
    const std::optional<NoteResult> result = margin_row_result(state, *row);
    UniqueMenu menu(CreatePopupMenu());
    MenuFacts facts = window_options(state);
    facts.text_has_result = result.has_value();
    if (!menu || !append_command_items(menu.get(), {rows}, facts)) return true;
    const auto chosen = static_cast<std::int32_t>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       screen->x, screen->y, 0, state.main_window, nullptr));
    if (chosen == 0 || !result) return true;
    if (auto status = copy_amount_of(state, *result, chosen); !status)
        show_command_outcome(state, display_text(status.error()), true);
    return true;
}

}  // namespace numvora
