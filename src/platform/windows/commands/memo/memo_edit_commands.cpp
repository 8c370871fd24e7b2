// The memo's edit commands, which its menu (memo/memo_context_menu.h) and its keys name,
// each done through the rich edit's own messages as one undo step, and its menu opened
// from the keyboard.
#include <windows.h>

#include <richedit.h>

#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"

namespace numvora {
namespace {

// A single edit message between two undo boundaries.
SystemStatus edit_step(const AppState& state, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    memo_undo_step(state.memo_edit(), message, wparam, lparam);
    SetFocus(state.memo_edit());
    return {};
}

}  // namespace

// As the system asks a control for its menu from the keyboard: with no point, which
// opens it at the caret.
SystemStatus open_memo_menu(AppState& state, std::int32_t) {
    SendMessageW(state.memo_edit(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(state.memo_edit()), -1);
    return {};
}

SystemStatus memo_undo(AppState& state, std::int32_t) { return edit_step(state, EM_UNDO); }
SystemStatus memo_redo(AppState& state, std::int32_t) { return edit_step(state, EM_REDO); }
SystemStatus memo_cut(AppState& state, std::int32_t) { return edit_step(state, WM_CUT); }
SystemStatus memo_copy(AppState& state, std::int32_t) { return edit_step(state, WM_COPY); }
SystemStatus memo_paste(AppState& state, std::int32_t) { return edit_step(state, WM_PASTE); }
SystemStatus memo_delete(AppState& state, std::int32_t) { return edit_step(state, WM_CLEAR); }
SystemStatus memo_select_all(AppState& state, std::int32_t) { return edit_step(state, EM_SETSEL, 0, -1); }

}  // namespace numvora
