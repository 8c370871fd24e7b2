// The saved memo put into the control after the window's first paint, a piece at a
// time (ui/memo/memo_pieces.h), each piece a message posted to the window: the window
// shows at once as with an empty memo and answers between pieces, while what the user
// types and clicks waits in the input queue (posted messages come first) and reaches the
// memo whole, in order. Until the last piece, nothing may take the control's text for
// the memo: a save writes the text that was read, and a command puts the rest in first.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace numvora {

struct AppState;

inline constexpr UINT WM_MEMO_LOAD_PIECE = WM_APP + 3;

inline constexpr std::string_view MEMO_LOADING_TEXT = "메모를 읽는 중입니다…";

struct MemoLoad {
    std::wstring text;  // the memo read, as the control takes it
    std::size_t put_in = 0;
    bool loading = false;
};

// At creation, in place of the text: the status line says the memo is being read.
void begin_memo_load(AppState& state, std::string_view text);
// After the first paint: the first piece is posted.
void start_memo_load(AppState& state);
// WM_MEMO_LOAD_PIECE: the next piece, and the memo made ready after the last.
void continue_memo_load(AppState& state);
// The rest at once, for what needs the whole memo now.
void finish_memo_load(AppState& state);
bool memo_loading(const AppState& state);

// The memo as a save must write it: while it is still going in, the text that was read.
std::string memo_text_to_save(const AppState& state);

}  // namespace numvora
