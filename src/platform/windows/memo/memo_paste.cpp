#include "platform/windows/memo/memo_paste.h"

#include <richedit.h>

#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "ui/shortcuts.h"

namespace numvora {
namespace {

bool pastes(WPARAM key) {
    return is_paste_key(static_cast<std::uint32_t>(key), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
}

constexpr std::string_view PASTING_TEXT = "붙여 넣는 중입니다…";

// One undo step of its own, like the control's paste.
void paste_clipboard_text(AppState& state, HWND memo) {
    const std::optional<std::wstring> text = clipboard_text(memo);
    if (!text) return;
    replace_memo_range_in_pieces(state, memo_selection(memo), *text, PASTING_TEXT);
}

}  // namespace

std::optional<LRESULT> paste_before(AppState& state, const MemoMessage& message) {
    const bool key = message.id == WM_KEYDOWN && pastes(message.wparam);
    if (message.id != WM_PASTE && !key) return std::nullopt;
    paste_clipboard_text(state, message.memo);
    // A paste key ends the typing's undo group as any key that edits (memo_keys.h).
    if (key) SendMessageW(state.memo_edit(), EM_STOPGROUPTYPING, 0, 0);
    return 0;
}

}  // namespace numvora
