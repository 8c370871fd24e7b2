// The memo's own messages that the program takes over: Ctrl with the wheel zooms
// through the program (memo_zoom.cpp), and pasting is the insertion of the
// clipboard's text at the selection.
// Wine's rich edit streams a paste into a plain-text control over the whole text, so
// Ctrl+V there replaced the entire memo with the clipboard; the control's own paste
// is therefore never used.
#include <windows.h>

#include <richedit.h>

#include "platform/windows/commands/clipboard.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/control_text.h"
#include "ui/shortcuts.h"

namespace numvora {
namespace {

constexpr wchar_t ORIGINAL_PROC[] = L"Numvora.MemoProc";

bool pastes(WPARAM key) {
    return is_paste_key(static_cast<std::uint32_t>(key), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
}

// One undo step of its own, like the control's paste.
void paste_clipboard_text(HWND memo) {
    const std::optional<std::wstring> text = clipboard_text(memo);
    if (!text) return;
    memo_undo_step(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
}

LRESULT CALLBACK memo_proc(HWND memo, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(memo, ORIGINAL_PROC));
    if (message == WM_PASTE || (message == WM_KEYDOWN && pastes(wparam))) {
        paste_clipboard_text(memo);
        return 0;
    }
    // Ctrl with the wheel is the program's zoom, never the control's own.
    if (message == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(wparam) & MK_CONTROL) != 0) {
        if (AppState* state = app_state_of(GetParent(memo))) zoom_memo_by_wheel(*state, GET_WHEEL_DELTA_WPARAM(wparam));
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(memo, ORIGINAL_PROC);
    }
    return CallWindowProcW(original, memo, message, wparam, lparam);
}

}  // namespace

void take_over_memo_paste(HWND memo) {
    const LONG_PTR original = GetWindowLongPtrW(memo, GWLP_WNDPROC);
    if (original == 0 || !SetPropW(memo, ORIGINAL_PROC, reinterpret_cast<HANDLE>(original))) return;
    SetWindowLongPtrW(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(memo_proc));
}

}  // namespace numvora
