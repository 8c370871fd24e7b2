#include "platform/windows/state/save_all.h"

#include "platform/windows/base/error_report.h"
#include "platform/windows/base/win_rect.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "storage/combined_save.h"
#include "ui/layout/placement.h"

namespace numvora {
namespace {

StorageError window_call_error(std::string_view failed_call) {
    return make_storage_error(StorageErrorKind::Other, display_text(last_system_error(failed_call)));
}

// GetWindowPlacement reports the restored rectangle in workspace coordinates, which
// are offset by any taskbar at the top or left of the window's monitor.
Result<PixelRect, StorageError> restored_rect(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return fail(window_call_error("GetWindowPlacement"));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR on = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (on == nullptr || !GetMonitorInfoW(on, &monitor)) return pixel_rect(placement.rcNormalPosition);
    return workspace_to_screen(pixel_rect(placement.rcNormalPosition), pixel_rect(monitor.rcMonitor),
                               pixel_rect(monitor.rcWork));
}

Result<PixelRect, StorageError> window_rect(HWND window) {
    if (IsIconic(window) || IsZoomed(window)) return restored_rect(window);
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return fail(window_call_error("GetWindowRect"));
    return pixel_rect(rect);
}

void log_set_aside(const MemoFile::Written& written) {
    if (written.set_aside) log_error_line("읽을 수 없던 메모 파일을 옮겨 두었습니다: {}", *written.set_aside);
    if (written.kept_conflict) log_error_line("다른 곳에서 바뀐 메모 파일을 보관했습니다: {}", *written.kept_conflict);
}

}  // namespace

Result<AppSettings, StorageError> capture_settings(const AppState& state) {
    const auto rect = window_rect(state.main_window);
    if (!rect) return fail(rect.error());
    AppSettings settings = state.settings;
    settings.window_x = rect->left;
    settings.window_y = rect->top;
    settings.window_width =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(rect->right) - static_cast<std::uint32_t>(rect->left));
    settings.window_height =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(rect->bottom) - static_cast<std::uint32_t>(rect->top));
    settings.group_thousands = state.calculator.group_thousands;
    return settings;
}

void adopt_settings(AppState& state, const AppSettings& settings) {
    state.settings = settings;
    state.calculator.group_thousands = settings.group_thousands;
}

Result<void, StorageError> write_memo(AppState& state, std::string_view text) {
    if (!state.memo_file) {
        return fail(make_storage_error(StorageErrorKind::NotFound, "저장 경로를 사용할 수 없습니다."));
    }
    // The memo first; its earlier text is kept after, and only then, so that no
    // snapshot copies what memo.txt holds or takes the room its save needs.
    std::string previous = state.memo_file->on_disk().value_or(std::string());
    auto written = state.memo_file->write(text);
    // A full disk: copies of memo.txt's text among the snapshots go before the memo does.
    while (!written && is_disk_full(written.error()) && state.snapshots) {
        const auto gone = state.snapshots->give_up_duplicate(state.memo_file->path());
        if (!gone || !gone.value()) break;
        written = state.memo_file->write(text);
    }
    if (!written) return fail(written.error());
    if (state.snapshots) state.snapshots->after_save(std::move(previous), text.size());
    log_set_aside(written.value());
    state.saved_memo_text = std::string(text);
    state.status.clear_notice();
    show_status_line(state);
    return {};
}

void save_settings_now(const AppState& state, std::string_view failure_line) {
    if (!state.data_paths) return;
    const auto settings = capture_settings(state);
    if (!settings) return;
    if (auto saved = save_settings(*state.data_paths, settings.value(), state.calls.write); !saved) {
        log_error_line(failure_line, display_text(saved.error()));
    }
}

void save_preferences_now(const AppState& state, std::string_view failure_line) {
    if (!state.data_paths) return;
    if (auto saved = save_preferences(*state.data_paths, state.preferences, state.calls.write); !saved) {
        log_error_line(failure_line, display_text(saved.error()));
    }
}

Result<void, StorageError> save_all(AppState& state) {
    if (!state.memo_file || !state.data_paths) {
        return fail(make_storage_error(StorageErrorKind::NotFound, "저장 경로를 사용할 수 없습니다."));
    }
    const std::string memo = control_text(state.memo_edit());
    return save_memo_and_settings(
        [&] { return write_memo(state, memo); }, capture_settings(state),
        [&](const AppSettings& settings) { return save_settings(*state.data_paths, settings, state.calls.write); });
}

void mark_memo_saved(AppState& state, bool saved) { state.memo_dirty = !saved; }

}  // namespace numvora
