#include "platform/windows/memo/memo_paste.h"

#include <richedit.h>

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

}  // namespace

std::optional<LRESULT> paste_before(AppState&, const MemoMessage& message) {
    const bool key = message.id == WM_KEYDOWN && pastes(message.wparam);
    if (message.id != WM_PASTE && !key) return std::nullopt;
    paste_clipboard_text(message.memo);
    return 0;
}

}  // namespace numvora
