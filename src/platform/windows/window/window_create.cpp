// WM_CREATE: the record, the theme brushes, the controls of the table, the fonts, the system
// menu's items and the timers.
#include <memory>
#include <string>

#include <richedit.h>

#include "common/win32/wide_text.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/desktop/window_presence.h"
#include "platform/windows/layout/window_layout.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/painting/app_fonts.h"
#include "platform/windows/painting/label_views.h"
#include "platform/windows/painting/memo_colors.h"
#include "platform/windows/painting/theme_brushes.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/state/window_preferences.h"
#include "platform/windows/timers/timers.h"
#include "platform/windows/window/memo_control.h"
#include "platform/windows/window/window_handlers.h"
#include "storage/document.h"
#include "storage/files/file_io.h"
#include "storage/settings.h"
#include "ui/colors/theme_palette.h"
#include "ui/memo/memo_versions.h"

namespace numvora {
namespace {

constexpr std::string_view CONTROL_FAILURE_CAPTION = "컨트롤 생성 오류";

// The memo file; one that cannot be read is moved aside before anything writes over
// it, and the reason stays on the status line.
std::string open_memo(AppState& state) {
    MemoFile::Opened opened = state.save->memo_file->open();
    if (!opened.unreadable) return std::move(opened.text);
    const std::string reason = display_text(*opened.unreadable);
    log_error_line("메모 불러오기 실패: {}", reason);
    if (!opened.set_aside) {
        state.status.raise_notice("메모 파일을 읽을 수 없습니다: " + reason);
        return {};
    }
    log_error_line("읽을 수 없던 메모 파일을 옮겨 두었습니다: {}", *opened.set_aside);
    const std::string name = last_path_component(*opened.set_aside).value_or(*opened.set_aside);
    state.status.raise_notice("메모 파일을 읽을 수 없어 " + name + "(으)로 옮겨 두었습니다: " + reason);
    return {};
}

// The user's app theme in Windows' settings (Personalisation, Colours): 0 is dark.
bool system_prefers_dark(const SystemCalls& calls) {
    DWORD light = 1;
    DWORD size = sizeof light;
    return calls.look->read_registry_value(
               HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
               L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size) == ERROR_SUCCESS &&
           light == 0;
}

bool file_missing(const std::string& path) {
    return GetFileAttributesW(to_wide(path).c_str()) == INVALID_FILE_ATTRIBUTES;
}

// The program's folder and whether portable.txt (a file, not a folder) stands in it.
ProgramFolder find_program_folder(const SystemCalls& calls) {
    const std::wstring folder = calls.program_folder();
    if (folder.empty()) return {};
    const std::wstring marker = folder + L"\\" + to_wide(PORTABLE_MARKER_NAME);
    const DWORD attributes = GetFileAttributesW(marker.c_str());
    return {to_utf8(folder), attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0};
}

// The toggles from the settings file, the memo text and the memo's history; a missing data folder or a
// broken file leaves the defaults and is only logged. Until there is a settings file,
// the theme follows the system's.
void load_saved_state(AppState& state, const StartData& start, std::string& memo_text) {
    const auto& paths = start.paths;
    if (!paths) {
        log_error_line("저장 경로 초기화 실패: {}", display_text(paths.error()));
        state.settings.dark_mode = system_prefers_dark(state.calls);
        return;
    }
    state.save->paths = paths.value();
    state.save->memo_file.emplace(paths.value(), state.calls.write);
    const StorageResult<AppSettings>& settings = start.settings.value();
    if (settings) {
        adopt_settings(state, settings.value());
        if (file_missing(paths->settings_file)) state.settings.dark_mode = system_prefers_dark(state.calls);
    } else {
        log_error_line("설정 불러오기 실패: {}", display_text(settings.error()));
    }
    if (auto preferences = load_preferences(paths->preferences_file)) {
        adopt_preferences(state, preferences.value());
    } else {
        log_error_line("환경 설정 불러오기 실패: {}", display_text(preferences.error()));
    }
    memo_text = open_memo(state);
    // Its worker lists the history while the controls are made.
    state.save->snapshots.emplace(state.main_window, history_folder(paths.value()), paths->folder, memo_text,
                                  state.calls.now, state.calls.write);
}

// Creates the controls in table order and files each handle in the record, with the
// adjustments that depend on the loaded toggles.
SystemStatus create_controls(AppState& state) {
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const ControlRow& row = CONTROL_ROWS[i];
        const std::wstring text(row.text);
        HWND control =
            CreateWindowExW(0, control_class_name(row.class_kind), text.c_str(), row.style, 0, 0, 0, 0,
                            state.main_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), nullptr, nullptr);
        if (control == nullptr) return fail(last_system_error("CreateWindowExW"));
        state.controls[i] = control;

        switch (row.start) {
        case StartState::AsRow: break;
        case StartState::SideText:
            if (state.settings.calculator_side && !SetWindowTextW(control, side_button_text(true).data()))
                return fail(last_system_error("SetWindowTextW"));
            break;
        case StartState::GroupingCheck:
            if (state.calculator.group_thousands) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
            break;
        case StartState::Disabled: EnableWindow(control, FALSE); break;  // until something makes it usable
        }
    }
    return {};
}

// Steps up to the assembled record, the memo still empty; a failure here is a control
// failure.
SystemResult<std::unique_ptr<AppState>> build_state(HWND window, const StartData& start, std::string& memo_text) {
    auto state = std::make_unique<AppState>();
    state->main_window = window;
    state->calls = start.calls;
    load_saved_state(*state, start, memo_text);
    state->look->high_contrast = query_high_contrast(*state->calls.look);
    const ThemePalette palette = current_palette(*state);

    auto brushes = make_theme_brushes(palette, *state->calls.look);
    if (!brushes) return fail(brushes.error());
    state->brushes = std::move(brushes).value();

    if (auto status = create_controls(*state); !status) return fail(status.error());
    watch_labels(*state);
    // Plain text while the control is still empty (the only time it can switch): pasted
    // formatting would keep colours unreadable in the other theme, and a memo that begins
    // with "{\rtf" would be read as RTF and saved back as its rendered text.
    SendMessageW(state->memo_edit(), EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
    SendMessageW(state->memo_edit(), EM_EXLIMITTEXT, 0, MEMO_TEXT_LIMIT);
    take_over_memo(state->memo_edit());
    take_over_expression_paste(state->expression_edit());
    show_status_line(*state);
    SendMessageW(state->memo_edit(), EM_SETUNDOLIMIT, MEMO_UNDO_LIMIT, 0);
    apply_memo_background(state->memo_edit(), palette[MEMO_BACKGROUND]);

    state->fonts.dpi = window_dpi(window);
    auto fonts = create_font_set(state->fonts.dpi);
    if (!fonts) return fail(fonts.error());
    state->fonts.ui = std::move(fonts->ui);
    state->fonts.keypad = std::move(fonts->keypad);
    state->fonts.display = std::move(fonts->display);

    apply_fonts(*state);
    apply_memo_text_color(state->memo_edit(), palette[MEMO_TEXT]);
    return state;
}

}  // namespace

StorageResult<DataPaths> resolve_start_paths(const SystemCalls& calls) {
    return resolve_data_paths(find_program_folder(calls));
}

StartData read_start_data(const SystemCalls& calls) {
    auto paths = resolve_start_paths(calls);
    std::optional<StorageResult<AppSettings>> settings;
    if (paths) settings.emplace(load_settings(paths->settings_file));
    return {std::move(paths), std::move(settings), calls};
}

LRESULT on_create(HWND window, const StartData& start, bool shows) {
    std::string memo_text;
    auto built = build_state(window, start, memo_text);
    if (!built) {
        show_error_box(window, CONTROL_FAILURE_CAPTION, display_text(built.error()));
        return -1;
    }
    // From here on the record belongs to the window; WM_NCDESTROY releases it, also
    // when a later step fails the creation.
    AppState& state = *built.value().release();
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));

    if (auto status = layout_controls(state); !status) {
        show_error_box(window, "화면 배치 오류", display_text(status.error()));
        return -1;
    }
    // The margin's strip and the zoom's font before the text goes in, which then wraps
    // once. The text goes in after the first paint (memo_load.h).
    apply_preferences_at_start(state, PreferenceStart::OnCreate);
    begin_memo_load(state, memo_text);
    if (!start_timer(window, SELECTION_TIMER_ID)) {
        show_error_box(window, "초기화 오류", "메모 선택 상태 확인 타이머를 시작하지 못했습니다.");
        return -1;
    }
    if (!start_timer(window, AUTOSAVE_TIMER_ID)) {
        log_error_line("메모 자동 저장 타이머를 시작하지 못했습니다.");
    }
    start_timer(window, MEMO_DAY_TIMER_ID);
    add_system_menu_items(state);
    apply_frame_theme(state);  // before the window shows: a dark title bar from the start
    start_timer(window, ACCESSIBILITY_TIMER_ID);
    enter_desktop(state);
    if (!shows || !PostMessageW(window, WM_PREFERENCES_ONCE_ANSWERING, 0, 0)) {
        apply_preferences_at_start(state, PreferenceStart::OnceAnswering);  // the icon
    }
    state.life->created = true;
    return 0;
}

void finish_start(AppState& state) {
    // What a save or a copy of another window's memo killed half-way left behind.
    if (state.save->paths) sweep_temporary_files(state.save->paths->folder, is_written_data_file);
    apply_preferences_at_start(state, PreferenceStart::OnFirstPaint);  // the key
    start_memo_load(state);
}

}  // namespace numvora
