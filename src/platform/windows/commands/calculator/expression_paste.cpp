// Pasting into the expression box: figures copied from elsewhere are rewritten into
// what the calculator reads (session/pasted_expression.h) before they go in. Ctrl+V,
// Shift+Insert and the box's own menu all reach the edit control as WM_PASTE.
#include <windows.h>

#include "common/win32/wide_text.h"
#include "platform/windows/base/subclass.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/app_state.h"
#include "session/pasted_expression.h"

namespace numvora {
namespace {

// True when the rewritten text went in; otherwise the control pastes as it always does.
bool paste_rewritten(HWND box) {
    const std::optional<std::wstring> text = clipboard_text(box);
    if (!text) return false;
    const std::optional<std::string> rewritten = expression_from_paste(to_utf8(*text));
    if (!rewritten) return false;
    const std::wstring wide = to_wide(*rewritten);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    // Regrouped at once rather than at the next selection tick.
    if (const AppState* state = app_state_of(GetParent(box))) {
        (void)refresh_expression_grouping(box, state->calculator.group_thousands);
    }
    return true;
}

LRESULT CALLBACK expression_proc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PASTE && (GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY) == 0 && paste_rewritten(box)) {
        return 0;
    }
    return pass_to_control(box, message, wparam, lparam);
}

}  // namespace

void take_over_expression_paste(HWND box) { subclass_control(box, expression_proc); }

}  // namespace numvora
