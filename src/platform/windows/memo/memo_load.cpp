#include "platform/windows/memo/memo_load.h"

#include <richedit.h>

#include "common/win32/wide_text.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "ui/memo/memo_pieces.h"

namespace numvora {
namespace {

// At the memo's end, as no undo step: the memo's history starts with it whole.
void put_in_piece(AppState& state) {
    MemoLoad& load = *state.memo_load;
    const std::size_t end = piece_end(load.text, load.put_in);
    append_to_memo(state.memo_edit(), load.text.substr(load.put_in, end - load.put_in));
    load.put_in = end;
}

// The memo as a freshly opened one: its start in view, nothing to undo, saved, its notes
// to be read, and from now on every change marked.
void make_ready(AppState& state) {
    MemoLoad& load = *state.memo_load;
    load.loading = false;
    load.text = std::wstring();
    const HWND memo = state.memo_edit();
    SendMessageW(memo, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(memo, EM_SETMODIFY, FALSE, 0);
    select_in_memo(memo, {0, 0});
    SendMessageW(memo, EM_SCROLLCARET, 0, 0);
    mark_memo_saved(state, true);
    // Read beside since the load began; a control that took the text otherwise than
    // thought is read again.
    if (state.notes->length() != static_cast<std::size_t>(memo_length(memo))) state.notes->fall_out_of_step();
    SendMessageW(memo, EM_SETEVENTMASK, 0, ENM_CHANGE);
    state.status.withdraw(MEMO_LOADING_TEXT);
    show_status_line(state);
    InvalidateRect(memo, nullptr, FALSE);  // the margin and the marks of the text now there
}

void post_next_piece(AppState& state) {
    // A full queue cannot take the message: the rest goes in at once.
    if (!PostMessageW(state.main_window, WM_MEMO_LOAD_PIECE, 0, 0)) finish_memo_load(state);
}

}  // namespace

void begin_memo_load(AppState& state, std::string_view text) {
    MemoLoad& load = *state.memo_load;
    state.save->saved_memo_text = std::string(text);
    load.text = to_wide(text);
    load.put_in = 0;
    load.loading = !load.text.empty();
    state.notes->read_beside(load.text, state.main_window);
    if (!load.loading) {
        make_ready(state);
        return;
    }
    // A memo of one piece is there before anyone could read the line.
    if (load.text.size() > MEMO_PIECE_UNITS) {
        state.status.show(std::string(MEMO_LOADING_TEXT), false);
        show_status_line(state);
    }
}

void start_memo_load(AppState& state) {
    if (memo_loading(state)) post_next_piece(state);
}

void continue_memo_load(AppState& state) {
    if (!memo_loading(state)) return;  // finished at once meanwhile
    put_in_piece(state);
    if (state.memo_load->put_in < state.memo_load->text.size()) {
        post_next_piece(state);
    } else {
        make_ready(state);
    }
}

void finish_memo_load(AppState& state) {
    if (!memo_loading(state)) return;
    while (state.memo_load->put_in < state.memo_load->text.size()) put_in_piece(state);
    make_ready(state);
}

bool memo_loading(const AppState& state) { return state.memo_load->loading; }

std::string memo_text_to_save(const AppState& state) {
    return memo_loading(state) ? state.save->saved_memo_text : control_text(state.memo_edit());
}

}  // namespace numvora
