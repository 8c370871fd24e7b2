#include "platform/windows/memo/memo_hint.h"

#include <richedit.h>

#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "ui/colors/color_scheme.h"
#include "ui/memo/memo_menu.h"

namespace numvora {
namespace {

bool memo_is_empty(HWND memo) { return GetWindowTextLengthW(memo) == 0; }

// In the memo's font and the theme's muted colour, wrapped inside its text area (which
// the margin of line results may have narrowed).
void draw_hint(const AppState& state, HWND memo) {
    const WindowDc dc(memo);
    if (dc.get() == nullptr) return;
    RECT area{};
    SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    const ScopedSelect in_font(dc.get(), memo_font(state));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), margin_colors(color_scheme(state)).text);
    std::wstring text = to_wide(memo_hint_text());
    HideCaret(memo);  // drawn over by the caret's blink otherwise
    DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    ShowCaret(memo);
}

}  // namespace

void hint_after(AppState& state, const MemoMessage& message) {
    if (message.id != WM_PAINT) return;
    state.hint->shown = memo_is_empty(message.memo) && !memo_loading(state);  // not empty, only not in yet
    if (state.hint->shown) draw_hint(state, message.memo);
}

void follow_memo_hint(AppState& state) {
    if (memo_is_empty(state.memo_edit()) != state.hint->shown) InvalidateRect(state.memo_edit(), nullptr, TRUE);
}

}  // namespace numvora
