#include "platform/windows/app/app_entry.h"

#include "common/win32/hresult.h"
#include "common/win32/wide_text.h"
#include "platform/windows/app/message_loop.h"
#include "platform/windows/app/resource_ids.h"
#include "platform/windows/app/single_instance.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/base/win_rect.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/painting/app_fonts.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/window/main_window.h"
#include "platform/windows/window/window_handlers.h"
#include "storage/settings.h"
#include "ui/layout/placement.h"

namespace numvora {
namespace {

constexpr int EXIT_NORMAL = 0;
constexpr int EXIT_START_FAILED = 1;  // a launcher must be able to tell a failed start
constexpr DWORD RUNNING_WINDOW_TIMEOUT_MS = 5000;

// Per-monitor awareness, second version when the system has it. Systems without it
// (older Windows 10, Wine) reject its value with ERROR_INVALID_PARAMETER; they get
// the first per-monitor version or system awareness instead, without a log line.
// ERROR_ACCESS_DENIED means the awareness is already set (by a manifest or an
// earlier call), which is fine too. Only a process left unaware is logged.
void set_dpi_awareness() {
    if (SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) return;
    if (error == ERROR_INVALID_PARAMETER) {
        if (SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) return;
        if (GetLastError() == ERROR_ACCESS_DENIED || SetProcessDPIAware()) return;
    }
    log_error_line("DPI awareness 설정 실패: {}", display_text(system_error_from_code(hresult_from_last_error(error))));
}

HICON load_program_icon(HINSTANCE instance, int width_metric, int height_metric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(NUMVORA_ICON_ID), IMAGE_ICON,
                                         GetSystemMetrics(width_metric), GetSystemMetrics(height_metric), LR_SHARED));
}

SystemStatus register_main_window_class(HINSTANCE instance) {
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    if (arrow == nullptr) return fail(last_system_error("LoadCursorW"));
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_VREDRAW | CS_HREDRAW;
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = arrow;
    // The program's own icon in the title bar and the task switcher too, not only in
    // Explorer; shared icons belong to the system. Test programs carry no icon and keep
    // the system's.
    window_class.hIcon = load_program_icon(instance, SM_CXICON, SM_CYICON);
    window_class.hIconSm = load_program_icon(instance, SM_CXSMICON, SM_CYSMICON);
    // Made once and kept for the life of the process, like the class itself.
    window_class.hbrBackground = CreateSolidBrush(CLASS_BACKGROUND);
    window_class.lpszClassName = MAIN_WINDOW_CLASS;
    if (RegisterClassExW(&window_class) == 0) return fail(last_system_error("RegisterClassExW"));
    return {};
}

struct StartSettings {
    SavedGeometry geometry;
    bool always_on_top = false;
};

// The geometry and topmost flag; WM_CREATE takes the rest of the same reading.
StartSettings start_settings(const StartData& start) {
    if (!start.paths) {
        log_error_line("시작 설정 경로 확인 실패: {}", display_text(start.paths.error()));
        return {};
    }
    const StorageResult<AppSettings>& settings = start.settings.value();
    if (!settings) {
        log_error_line("시작 설정 불러오기 실패: {}", display_text(settings.error()));
        return {};
    }
    return {{settings->window_x, settings->window_y, settings->window_width, settings->window_height},
            settings->always_on_top};
}

// The saved place when both coordinates are known, kept inside the nearest monitor.
PixelBox place_window(const SavedGeometry& saved, std::uint32_t dpi) {
    if (!saved.x || !saved.y) return default_placement(dpi);
    const PixelRect wanted = saved_window_rect(saved);
    const RECT rect{wanted.left, wanted.top, wanted.right, wanted.bottom};
    const HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!is_usable_handle(monitor) || !GetMonitorInfoW(monitor, &info)) return default_placement(dpi);
    return clamp_placement(saved, pixel_rect(info.rcWork), dpi);
}

}  // namespace

SystemResult<HINSTANCE> prepare_process() {
    // Every later load, by us or by a system library on our behalf, searches the system
    // folder only: the program may run from a downloads folder with planted DLLs.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    set_dpi_awareness();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (instance == nullptr) return fail(last_system_error("GetModuleHandleW"));
    // Registers the memo's class "RICHEDIT50W"; the library stays loaded. From the system
    // folder only: a Msftedit.dll planted beside the program must never run. (Loading it
    // on a thread of its own while the controls are made deadlocks under Wine.)
    if (LoadLibraryExW(L"Msftedit.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) == nullptr) {
        return fail(last_system_error("LoadLibraryExW(Msftedit.dll)"));
    }
    if (auto status = register_main_window_class(instance); !status) return fail(status.error());
    return instance;
}

SystemResult<HWND> open_main_window(HINSTANCE instance, const SystemCalls& calls, const StartRequest& request) {
    const std::uint32_t dpi = system_dpi();
    const StartData data = read_start_data(calls);
    const StartSettings start = start_settings(data);
    const PixelBox place = place_window(start.geometry, dpi);
    const std::wstring title = to_wide(MAIN_WINDOW_TITLE);
    // Started hidden only to wait in the notification area: shown after all without the icon.
    const DWORD shown = request.tray ? 0 : WS_VISIBLE;
    HWND window = CreateWindowExW(start.always_on_top ? WS_EX_TOPMOST : 0, MAIN_WINDOW_CLASS, title.c_str(),
                                  WS_OVERLAPPEDWINDOW | shown, place.x, place.y, place.width, place.height, nullptr,
                                  nullptr, instance, const_cast<StartData*>(&data));
    if (window == nullptr) return fail(last_system_error("CreateWindowExW"));
    AppState* state = app_state_of(window);
    if (request.tray && (state == nullptr || !state->tray->shown)) ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    if (state != nullptr) finish_start(*state);
    if (state != nullptr) SetFocus(state->expression_edit());
    if (state != nullptr && request.document) open_document_file(*state, *request.document);
    return window;
}

namespace {

int start_failed(const SystemError& error) {
    show_error_box(nullptr, "Numvora를 시작하지 못했습니다.", display_text(error));
    return EXIT_START_FAILED;
}

}  // namespace

int run_main_window(HINSTANCE instance, const SystemCalls& calls, const StartRequest& request) {
    auto window = open_main_window(instance, calls, request);
    if (!window) return start_failed(window.error());
    if (auto ended = run_message_loop(); !ended) return start_failed(ended.error());
    return EXIT_NORMAL;
}

namespace {

// The request as the command line gives it, a document's path made whole here: the
// running window it may be handed to has a current folder of its own.
StartRequest read_command_line() {
    StartRequest request = read_start_request(to_utf8(GetCommandLineW()));
    if (request.document) {
        const std::wstring path = to_wide(*request.document);
        std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length > 0 && length < full.size()) request.document = to_utf8(std::wstring_view(full).substr(0, length));
    }
    return request;
}

int running_window_did_not_answer() {
    show_error_box(nullptr, "Numvora",
                   "이미 실행 중인 Numvora 창이 5초 안에 응답하지 않았습니다.\n같은 데이터로 창을 하나 더 열지 "
                   "않습니다. 잠시 뒤 다시 실행해 주세요.");
    return EXIT_START_FAILED;
}

}  // namespace

int run_application() {
    auto instance = prepare_process();
    if (!instance) return start_failed(instance.error());
    const StartRequest request = read_command_line();
    const SystemCalls calls;
    // Held until the window has closed; a later start of the same data folder hands its
    // request over instead of opening a second window on the same files.
    std::optional<UniqueKernelHandle> claim;
    if (const auto paths = resolve_start_paths(calls)) {
        claim = claim_data_folder(paths->folder);
        if (!claim) {
            if (hand_over_to_running_window(paths->folder, request, RUNNING_WINDOW_TIMEOUT_MS)) return EXIT_NORMAL;
            return running_window_did_not_answer();
        }
    }
    return run_main_window(instance.value(), calls, request);
}

}  // namespace numvora
