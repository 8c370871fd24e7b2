// "설정…" (the system menu, Ctrl+,): the settings dialog, and what its OK changes applied
// to the window at once and written to preferences.txt. Cancel changes nothing.
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/desktop/desktop_presence.h"
#include "platform/windows/dialogs/settings_dialog.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/results_margin.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"

namespace numvora {
namespace {

// Each option as the dialog left it; one that cannot be applied stays as it was and
// says why on the status line.
void apply_preferences(AppState& state, const Preferences& wanted) {
    Preferences& now = state.preferences;
    if (wanted.results_margin != now.results_margin) {
        now.results_margin = wanted.results_margin;
        apply_results_margin(state);
    }
    if (wanted.memo_zoom != now.memo_zoom) {
        const std::int32_t before = std::exchange(now.memo_zoom, wanted.memo_zoom);
        if (auto status = apply_memo_zoom(state); !status) {
            now.memo_zoom = before;
            log_error_line("메모 확대 글꼴 생성 실패: {}", display_text(status.error()));
        }
    }
    now.close_to_tray = wanted.close_to_tray;
    now.tray_icon = wanted.tray_icon;
    apply_tray_icon(state, now.tray_icon);
    if (wanted.start_with_windows != now.start_with_windows) {
        if (auto status = set_start_with_windows(state, wanted.start_with_windows); !status) {
            show_command_outcome(state, "Windows 시작 시 실행 설정 실패: " + display_text(status.error()), true);
        } else {
            now.start_with_windows = wanted.start_with_windows;
        }
    }
    if (wanted.hot_key != now.hot_key) {
        now.hot_key = wanted.hot_key;
        register_hot_key(state);
    }
    save_preferences_now(state, "환경 설정 저장 실패: {}");
}

}  // namespace

SystemStatus show_settings(AppState& state, std::int32_t) {
    const SettingsDialogInput input{
        state.main_window, state.preferences,   state.desktop.hot_key_taken, state.ui_font.get(),
        state.dpi,         color_scheme(state), state.calls.look.get(),      state.calls.accessibility.get()};
    SystemResult<std::optional<Preferences>> chosen{std::optional<Preferences>()};
    AppState* again = run_modal(state, [&] { chosen = choose_settings(input); });
    if (again == nullptr) return {};
    if (!chosen) return fail(chosen.error());
    if (chosen.value()) apply_preferences(*again, *chosen.value());
    return {};
}

}  // namespace numvora
