// "설정…" (the system menu, Ctrl+,): the settings dialog, and what its OK changes applied
// to the window at once and written to preferences.txt. Cancel changes nothing.
#include "platform/windows/commands/settings_commands.h"

#include <utility>

#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/desktop/hot_key.h"
#include "platform/windows/desktop/run_entry.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/dialogs/settings_dialog.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/results_margin.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"

namespace numvora {

Preferences preferences_of(const AppState& state) {
    Preferences preferences;
    preferences.results_margin = state.margin->on;
    preferences.memo_zoom = state.zoom->percent;
    preferences.hot_key = state.hot_key->wanted;
    preferences.tray_icon = state.tray->wanted;
    preferences.close_to_tray = state.tray->close_to_tray;
    preferences.start_with_windows = state.run_entry->on;
    preferences.amounts_in_man = state.margin->in_man;
    return preferences;
}

void adopt_preferences(AppState& state, const Preferences& preferences) {
    state.margin->on = preferences.results_margin;
    state.zoom->percent = preferences.memo_zoom;
    state.hot_key->wanted = preferences.hot_key;
    state.tray->wanted = preferences.tray_icon;
    state.tray->close_to_tray = preferences.close_to_tray;
    state.run_entry->on = preferences.start_with_windows;
    state.margin->in_man = preferences.amounts_in_man;
}

void save_preferences_now(const AppState& state, std::string_view failure_line) {
    if (!state.save->paths) return;
    if (auto saved = save_preferences(*state.save->paths, preferences_of(state), state.calls.write); !saved) {
        log_error_line(failure_line, display_text(saved.error()));
    }
}

namespace {

// Each option as the dialog left it; one that cannot be applied stays as it was and
// says why on the status line.
void apply_preferences(AppState& state, const Preferences& wanted) {
    if (wanted.results_margin != state.margin->on || wanted.amounts_in_man != state.margin->in_man) {
        state.margin->on = wanted.results_margin;
        state.margin->in_man = wanted.amounts_in_man;
        apply_results_margin(state);
    }
    if (wanted.memo_zoom != state.zoom->percent) {
        const std::int32_t before = std::exchange(state.zoom->percent, wanted.memo_zoom);
        if (auto status = apply_memo_zoom(state); !status) {
            state.zoom->percent = before;
            log_error_line("메모 확대 글꼴 생성 실패: {}", display_text(status.error()));
        }
    }
    state.tray->close_to_tray = wanted.close_to_tray;
    state.tray->wanted = wanted.tray_icon;
    apply_tray_icon(state, wanted.tray_icon);
    if (wanted.start_with_windows != state.run_entry->on) {
        if (auto status = set_start_with_windows(state, wanted.start_with_windows); !status) {
            show_command_outcome(state, "Windows 시작 시 실행 설정 실패: " + display_text(status.error()), true);
        } else {
            state.run_entry->on = wanted.start_with_windows;
        }
    }
    if (wanted.hot_key != state.hot_key->wanted) {
        state.hot_key->wanted = wanted.hot_key;
        register_hot_key(state);
    }
    save_preferences_now(state, "환경 설정 저장 실패: {}");
}

}  // namespace

SystemStatus show_settings(AppState& state, std::int32_t) {
    const SettingsDialogInput input{
        state.main_window, preferences_of(state), state.hot_key->taken,   state.fonts.ui.get(),
        state.fonts.dpi,   color_scheme(state),   state.calls.look.get(), state.calls.accessibility.get()};
    SystemResult<std::optional<Preferences>> chosen{std::optional<Preferences>()};
    AppState* again = run_modal(state, [&] { chosen = choose_settings(input); });
    if (again == nullptr) return {};
    if (!chosen) return fail(chosen.error());
    if (chosen.value()) apply_preferences(*again, *chosen.value());
    return {};
}

}  // namespace numvora
