// Pasting into the expression box: figures copied from elsewhere are rewritten into
// what the calculator reads (session/pasted_expression.h) before they go in. Ctrl+V,
// Shift+Insert and the box's own menu all reach the edit control as WM_PASTE.
#include <windows.h>

#include "common/win32/wide_text.h"
#include "platform/windows/commands/clipboard.h"
#include "platform/windows/commands/command_handlers.h"
#include "session/pasted_expression.h"

namespace numvora {
namespace {

constexpr wchar_t ORIGINAL_PROC[] = L"Numvora.ExpressionProc";

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
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(box, ORIGINAL_PROC));
    if (message == WM_PASTE && (GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY) == 0 && paste_rewritten(box)) {
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(box, ORIGINAL_PROC);
    }
    return CallWindowProcW(original, box, message, wparam, lparam);
}

}  // namespace

void take_over_expression_paste(HWND box) {
    const LONG_PTR original = GetWindowLongPtrW(box, GWLP_WNDPROC);
    if (original == 0 || !SetPropW(box, ORIGINAL_PROC, reinterpret_cast<HANDLE>(original))) return;
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(expression_proc));
}

}  // namespace numvora
