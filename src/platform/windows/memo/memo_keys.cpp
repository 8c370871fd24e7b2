#include "platform/windows/memo/memo_keys.h"

#include <richedit.h>

#include "ui/shortcuts.h"

namespace numvora {

void keys_after(AppState&, const MemoMessage& got) {
    bool breaks = false;
    if (got.message == WM_KEYDOWN) {
        breaks = key_breaks_undo_group(LOWORD(got.wparam), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
    } else if (got.message == WM_CHAR) {
        breaks = char_breaks_undo_group(static_cast<std::uint32_t>(got.wparam));
    }
    if (breaks) SendMessageW(got.memo, EM_STOPGROUPTYPING, 0, 0);
}

}  // namespace numvora
