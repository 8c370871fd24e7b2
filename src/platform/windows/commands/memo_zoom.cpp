// The memo's zoom through the rich edit's own EM_SETZOOM: only the memo's text scales,
// its font and every other control stay as they are, and the zoom survives a change
// of font (a DPI change) since the control keeps it apart.
#include <windows.h>

#include <richedit.h>

#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "storage/preferences.h"
#include "ui/memo_zoom.h"

namespace numvora {
namespace {

constexpr UINT ZOOM_NOTE_MS = 2000;

// Applied, shown for a moment and remembered; preferences.txt is written only when it
// changed.
void set_memo_zoom(AppState& state, std::int32_t zoom) {
    const bool changed = zoom != state.preferences.memo_zoom;
    state.preferences.memo_zoom = zoom;
    if (changed) apply_memo_zoom(state);
    show_command_outcome(state, memo_zoom_text(zoom), false);
    SetTimer(state.main_window, MEMO_ZOOM_NOTE_TIMER_ID, ZOOM_NOTE_MS, nullptr);
    if (changed) save_preferences_now(state, "메모 확대 비율 저장 실패: {}");
}

}  // namespace

void apply_memo_zoom(const AppState& state) {
    const std::int32_t zoom = state.preferences.memo_zoom;
    // 0/0 switches the zoom off, which is exact where 100/100 would still scale.
    const WPARAM numerator = zoom == MEMO_ZOOM_DEFAULT ? 0 : static_cast<WPARAM>(zoom);
    const LPARAM denominator = zoom == MEMO_ZOOM_DEFAULT ? 0 : MEMO_ZOOM_DEFAULT;
    SendMessageW(state.memo_edit(), EM_SETZOOM, numerator, denominator);
}

SystemStatus zoom_memo(AppState& state, std::int32_t id) {
    const std::int32_t zoom = id == ids::MEMO_ZOOM_RESET ? MEMO_ZOOM_DEFAULT
                              : id == ids::MEMO_ZOOM_IN  ? stepped_memo_zoom(state.preferences.memo_zoom, 1)
                                                         : stepped_memo_zoom(state.preferences.memo_zoom, -1);
    state.memo_wheel_carry = 0;
    set_memo_zoom(state, zoom);
    return {};
}

void end_memo_zoom_note(AppState& state) {
    KillTimer(state.main_window, MEMO_ZOOM_NOTE_TIMER_ID);
    state.status.withdraw(memo_zoom_text(state.preferences.memo_zoom));
    show_status_line(state);
}

void zoom_memo_by_wheel(AppState& state, std::int32_t delta) {
    const WheelZoom turned = wheel_memo_zoom(state.preferences.memo_zoom, state.memo_wheel_carry, delta);
    state.memo_wheel_carry = turned.carry;
    if (turned.zoom != state.preferences.memo_zoom) set_memo_zoom(state, turned.zoom);
}

}  // namespace numvora
