#include "platform/windows/state/status_view.h"

#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"

namespace numvora {

void show_status_line(const AppState& state) {
    (void)set_control_text(state.status_label(), status_line_view(state.status, state.troubles).text);
}

void show_command_outcome(AppState& state, std::string text, bool is_error) {
    state.status.show(std::move(text), is_error);
    show_status_line(state);
}

void show_edit_outcome(AppState& state, std::string text) {
    state.status.show_edit_outcome(std::move(text));
    show_status_line(state);
}

void withdraw_edit_outcome(AppState& state) {
    if (state.status.memo_changed()) show_status_line(state);
}

void show_selection_outcome(AppState& state, const SelectionMessage& message) {
    // The colour is decided before the text, so that the repaint it causes has it.
    state.status.show_selection(message);
    show_status_line(state);
    const BOOL enabled = state.selection.operand_ready() ? TRUE : FALSE;
    for (HWND button : state.operation_buttons()) EnableWindow(button, enabled);
}

void show_history_events(AppState& state) {
    if (!state.save->snapshots) return;
    const std::vector<std::string> lines = state.save->snapshots->take_status_lines(state.troubles);
    for (const std::string& line : lines) state.status.show(line, true);
    show_status_line(state);
}

void settle_memo_selection(AppState& state) {
    state.selection.reset();
    (void)state.selection.moved_to(memo_selection(state.memo_edit()));
    show_selection_outcome(state, {});
}

}  // namespace numvora
