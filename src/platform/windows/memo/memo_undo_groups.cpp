#include "platform/windows/memo/memo_undo_groups.h"

#include <richedit.h>

#include "ui/shortcuts.h"

namespace numvora {
namespace {

void end_group(HWND memo) { SendMessageW(memo, EM_STOPGROUPTYPING, 0, 0); }

bool ctrl() { return GetKeyState(VK_CONTROL) < 0; }
bool shift() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

std::optional<LRESULT> undo_groups_before(AppState&, const MemoMessage& message) {
    if (message.id == WM_KEYDOWN && is_paste_key(LOWORD(message.wparam), ctrl(), shift())) end_group(message.memo);
    return std::nullopt;
}

void undo_groups_after(AppState&, const MemoMessage& message) {
    if ((message.id == WM_KEYDOWN && key_breaks_undo_group(LOWORD(message.wparam), ctrl(), shift())) ||
        (message.id == WM_CHAR && char_breaks_undo_group(static_cast<std::uint32_t>(message.wparam))) ||
        message.id == WM_KILLFOCUS)
        end_group(message.memo);
}

}  // namespace numvora
