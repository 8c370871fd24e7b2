// The memo's own messages that the program takes over: Ctrl with the wheel zooms
// through the program (memo_zoom.cpp), and pasting is the insertion of the
// clipboard's text at the selection.
// Wine's rich edit streams a paste into a plain-text control over the whole text, so
// Ctrl+V there replaced the entire memo with the clipboard; the control's own paste
// is therefore never used.
#include <windows.h>

#include <richedit.h>

#include "platform/windows/base/subclass.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/control_text.h"
#include "ui/shortcuts.h"

namespace numvora {
namespace {

bool pastes(WPARAM key) {
    return is_paste_key(static_cast<std::uint32_t>(key), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
}

// One undo step of its own, like the control's paste.
void paste_clipboard_text(HWND memo) {
    const std::optional<std::wstring> text = clipboard_text(memo);
    if (!text) return;
    memo_undo_step(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
}

LRESULT CALLBACK memo_proc(HWND memo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_PASTE || (message == WM_KEYDOWN && pastes(wparam))) {
        paste_clipboard_text(memo);
        return 0;
    }
    // Ctrl with the wheel is the program's zoom, never the control's own.
    if (message == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(wparam) & MK_CONTROL) != 0) {
        if (AppState* state = app_state_of(GetParent(memo))) zoom_memo_by_wheel(*state, GET_WHEEL_DELTA_WPARAM(wparam));
        return 0;
    }
    return pass_to_control(memo, message, wparam, lparam, memo_proc, id);
}

}  // namespace

void take_over_memo_paste(HWND memo) { subclass_control(memo, memo_proc); }

}  // namespace numvora
