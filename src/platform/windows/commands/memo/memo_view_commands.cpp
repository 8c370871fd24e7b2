// How the memo shows its text: the margin of line results switched, and the zoom
// stepped or reset from the keys.
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/save_all.h"
#include "storage/settings.h"
#include "ui/memo/memo_zoom.h"

namespace numvora {

SystemStatus toggle_results_margin(AppState& state, std::int32_t) {
    state.margin->on = !state.margin->on;
    apply_results_margin(state);
    save_preferences_now(state, "줄마다 계산 결과 보기 설정 저장 실패: {}");
    return {};
}

SystemStatus zoom_memo(AppState& state, std::int32_t id) {
    const std::int32_t zoom = id == ids::MEMO_ZOOM_RESET ? MEMO_ZOOM_DEFAULT
                              : id == ids::MEMO_ZOOM_IN  ? stepped_memo_zoom(state.zoom->percent, 1)
                                                         : stepped_memo_zoom(state.zoom->percent, -1);
    state.zoom->wheel_carry = 0;
    return set_memo_zoom(state, zoom);
}

}  // namespace numvora
