#include "platform/windows/memo/memo_zoom.h"

#include <utility>

#include "platform/windows/base/error_report.h"
#include "platform/windows/painting/app_fonts.h"
#include "platform/windows/painting/memo_colors.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/timers/timers.h"
#include "storage/settings.h"
#include "ui/memo/memo_zoom.h"

namespace numvora {

HFONT memo_font(const AppState& state) { return state.zoom->font ? state.zoom->font.get() : state.fonts.ui.get(); }

SystemStatus set_memo_zoom(AppState& state, std::int32_t zoom) {
    if (zoom != state.zoom->percent) {
        const std::int32_t before = std::exchange(state.zoom->percent, zoom);
        if (auto status = apply_memo_zoom(state); !status) {
            state.zoom->percent = before;
            return status;
        }
        save_preferences_now(state, "메모 확대 비율 저장 실패: {}");
    }
    show_command_outcome(state, memo_zoom_text(zoom), false);
    start_timer(state.main_window, MEMO_ZOOM_NOTE_TIMER_ID);
    return {};
}

SystemStatus apply_memo_zoom(AppState& state) {
    UniqueFont made;
    HFONT font = state.fonts.ui.get();
    if (state.zoom->percent != MEMO_ZOOM_DEFAULT) {
        auto created = create_memo_font(state.fonts.dpi, state.zoom->percent);
        if (!created) return fail(created.error());
        made = std::move(created).value();
        font = made.get();
    }
    // The record has the new font before the control: the margin measures its results
    // in it as the control takes it. The one it replaces goes with `made`, after.
    std::swap(state.zoom->font, made);
    SendMessageW(state.memo_edit(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // A font set on the rich edit takes its text colour back to the default.
    apply_memo_text_color(state.memo_edit(), current_palette(state)[MEMO_TEXT]);
    return {};
}

bool follow_memo_zoom(AppState& state) {
    auto status = apply_memo_zoom(state);
    if (!status) log_error_line("메모 확대 글꼴 생성 실패: {}", display_text(status.error()));
    return static_cast<bool>(status);
}

void end_memo_zoom_note(AppState& state) {
    state.status.withdraw(memo_zoom_text(state.zoom->percent));
    show_status_line(state);
}

// Ctrl with the wheel is the program's zoom, never the control's own.
std::optional<LRESULT> zoom_before(AppState& state, const MemoMessage& message) {
    if (message.id != WM_MOUSEWHEEL || (GET_KEYSTATE_WPARAM(message.wparam) & MK_CONTROL) == 0) return std::nullopt;
    const WheelZoom turned =
        wheel_memo_zoom(state.zoom->percent, state.zoom->wheel_carry, GET_WHEEL_DELTA_WPARAM(message.wparam));
    state.zoom->wheel_carry = turned.carry;
    if (turned.zoom == state.zoom->percent) return 0;
    if (auto status = set_memo_zoom(state, turned.zoom); !status) {
        log_error_line("메모 확대 글꼴 생성 실패: {}", display_text(status.error()));
    }
    return 0;
}

}  // namespace numvora
