#include "platform/windows/state/save_all.h"

#include "platform/windows/base/error_report.h"
#include "platform/windows/base/win_rect.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "storage/combined_save.h"
#include "storage/files/file_io.h"
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

// Room beyond a file's own size for the file system's bookkeeping.
constexpr std::uint64_t FILE_SYSTEM_ALLOWANCE = std::uint64_t{16} << 10;

void log_set_aside(const MemoFile::Written& written) {
    if (written.set_aside) log_error_line("읽을 수 없던 메모 파일을 옮겨 두었습니다: {}", *written.set_aside);
    if (written.kept_conflict) log_error_line("다른 곳에서 바뀐 메모 파일을 보관했습니다: {}", *written.kept_conflict);
}

}  // namespace

std::string given_up_text(std::size_t count) {
    return "공간이 부족해 이전 버전 " + std::to_string(count) + "개를 지웠습니다";
}

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

std::size_t give_up_and_write_again(AppState& state, Result<void, StorageError>& written, const std::string& folder,
                                    std::uint64_t size, const std::string& keep_text,
                                    const std::function<Result<void, StorageError>()>& write) {
    if (written || !is_disk_full(written.error()) || !state.save->snapshots) return 0;
    const std::size_t given_up = state.save->snapshots->give_up(folder, size + FILE_SYSTEM_ALLOWANCE, keep_text);
    if (given_up == 0) return 0;
    log_error_line("{}", given_up_text(given_up));
    written = write();
    return given_up;
}

Result<void, StorageError> write_memo(AppState& state, std::string_view text) {
    if (!state.save->memo_file || !state.save->snapshots) {
        return fail(make_storage_error(StorageErrorKind::NotFound, "저장 경로를 사용할 수 없습니다."));
    }
    const std::string incoming(text);
    // What memo.txt holds is kept (as a conflict copy when another writer changed it,
    // as a snapshot when the history is due one) before the memo replaces it, so that a
    // kill at any moment leaves the earlier text in one of them.
    const MemoFile::KeepHeld keep = [&](const std::string& held, bool changed_elsewhere) {
        return state.save->snapshots->before_save(state.save->memo_file->path(), held, incoming, changed_elsewhere);
    };
    StorageResult<MemoFile::Written> written = state.save->memo_file->write(text, keep);
    Result<void, StorageError> outcome = written ? Result<void, StorageError>() : fail(written.error());
    const std::size_t given_up =
        give_up_and_write_again(state, outcome, state.save->memo_file->folder(), text.size(), incoming, [&] {
            written = state.save->memo_file->write(text, keep);
            return written ? Result<void, StorageError>() : fail(written.error());
        });
    if (!written) {
        state.troubles.begin(Trouble::MemoNotSaved,
                             format_log_line("메모 저장 실패: {}", display_text(written.error())));
        show_status_line(state);
        return fail(written.error());
    }
    log_set_aside(written.value());
    state.save->saved_memo_text = incoming;
    state.troubles.end(Trouble::MemoNotSaved);
    if (written->kept_conflict) {
        const std::string name = last_path_component(*written->kept_conflict).value_or(*written->kept_conflict);
        state.troubles.begin(Trouble::OtherWindow, "다른 창이 바꾼 메모를 " + name + "(으)로 보관했습니다.");
    } else {
        state.troubles.end(Trouble::OtherWindow);
    }
    state.status.clear_notice();
    if (given_up > 0) state.status.show(given_up_text(given_up), true);
    show_status_line(state);
    return {};
}

void save_settings_now(const AppState& state, std::string_view failure_line) {
    if (!state.save->paths) return;
    const auto settings = capture_settings(state);
    if (!settings) return;
    if (auto saved = save_settings(*state.save->paths, settings.value(), state.calls.write); !saved) {
        log_error_line(failure_line, display_text(saved.error()));
    }
}

Result<void, StorageError> save_all(AppState& state) {
    if (!state.save->memo_file || !state.save->paths) {
        return fail(make_storage_error(StorageErrorKind::NotFound, "저장 경로를 사용할 수 없습니다."));
    }
    finish_memo_rebuild(state);  // the change the user made is what is saved
    const std::string memo = memo_text_to_save(state);
    return save_memo_and_settings(
        [&] { return write_memo(state, memo); }, capture_settings(state),
        [&](const AppSettings& settings) { return save_settings(*state.save->paths, settings, state.calls.write); });
}

void mark_memo_saved(AppState& state, bool saved) { state.save->memo_dirty = !saved; }

}  // namespace numvora
