#include "platform/windows/desktop/tray_icon.h"

#include <cwchar>

#include "platform/windows/base/error_report.h"
#include "platform/windows/desktop/window_presence.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/timers/timers.h"

namespace numvora {
namespace {

constexpr UINT TRAY_ICON_ID = 1;
constexpr wchar_t TRAY_TIP[] = L"Numvora";

NOTIFYICONDATAW icon_data(const AppState& state) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = state.main_window;
    data.uID = TRAY_ICON_ID;
    return data;
}

// The window's own small icon; programs without one (the tests) show the system's.
HICON program_icon(HWND window) {
    const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    return icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace

void apply_tray_icon(AppState& state, bool shown) {
    if (shown == state.tray->shown) return;
    NOTIFYICONDATAW data = icon_data(state);
    DesktopCalls& calls = *state.calls.desktop;
    if (!shown) {
        calls.notify_icon(NIM_DELETE, &data);
        state.tray->shown = false;
        return;
    }
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = WM_TRAY_ICON;
    data.hIcon = program_icon(state.main_window);
    wcsncpy(data.szTip, TRAY_TIP, std::size(data.szTip) - 1);
    if (!calls.notify_icon(NIM_ADD, &data)) {
        log_error_line("알림 영역 아이콘 추가 실패: {}", display_text(last_system_error("Shell_NotifyIconW")));
        return;
    }
    state.tray->shown = true;
    data.uVersion = NOTIFYICON_VERSION_4;
    state.tray->version_4 = calls.notify_icon(NIM_SETVERSION, &data) != FALSE;
}

void show_wanted_tray_icon(AppState& state) { apply_tray_icon(state, state.tray->wanted); }

// The newer protocol adds a selection and the menu's own message to the mouse's, which
// the older one sends alone.
std::optional<LRESULT> on_tray_icon(AppState& state, LPARAM event) {
    const UINT what = LOWORD(event);
    const bool newer = state.tray->version_4;
    const bool select = newer ? what == NIN_SELECT || what == NIN_KEYSELECT : what == WM_LBUTTONUP;
    const bool menu = newer ? what == WM_CONTEXTMENU : what == WM_RBUTTONUP;
    if (state.modal->open && (select || menu)) {
        bring_to_front(state, false);
    } else if (select) {
        if (IsWindowVisible(state.main_window) && !IsIconic(state.main_window)) {
            put_away(state);
        } else {
            bring_to_front(state, true);
        }
    } else if (menu) {
        // In front first: the menu closes on a click elsewhere only when its window is.
        // Under Wine a menu opened before the window has settled in front closes at once.
        SetForegroundWindow(state.main_window);
        start_timer(state.main_window, TRAY_MENU_TIMER_ID);
    }
    return 0;
}

}  // namespace numvora
