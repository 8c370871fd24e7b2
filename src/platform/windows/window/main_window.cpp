#include "platform/windows/window/main_window.h"

#include "ui/control_ids.h"
#include "platform/windows/painting/painting.h"
#include "platform/windows/commands/pending_handlers.h"
#include "platform/windows/window/window_handlers.h"

namespace numvora {

AppState* app_state_of(HWND window) {
    return reinterpret_cast<AppState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

namespace {

std::optional<LRESULT> on_paint(HWND window) {
    AppState* state = app_state_of(window);
    return state != nullptr ? paint_panels(*state, window) : std::nullopt;
}

std::optional<LRESULT> on_control_color(HWND window, WPARAM dc, LPARAM control) {
    AppState* state = app_state_of(window);
    if (state == nullptr) return std::nullopt;
    return control_colors(*state, reinterpret_cast<HDC>(dc), reinterpret_cast<HWND>(control));
}

std::optional<LRESULT> on_draw_item(HWND window, const DRAWITEMSTRUCT* item) {
    AppState* state = app_state_of(window);
    if (state == nullptr || item == nullptr || item->CtlType != ODT_BUTTON) return std::nullopt;
    return draw_button(*state, *item);
}

std::optional<LRESULT> on_timer(HWND window, WPARAM timer_id) {
    if (timer_id != SELECTION_TIMER_ID && timer_id != AUTOSAVE_TIMER_ID) return std::nullopt;
    if (AppState* state = app_state_of(window)) {
        if (timer_id == SELECTION_TIMER_ID) check_memo_selection(*state, window);
        else auto_save_memo(*state, window);
    }
    return 0;
}

std::optional<LRESULT> dispatch(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: return on_create(window);
    case WM_DESTROY: return on_destroy(window);
    case WM_SIZE: return on_size(window);
    case WM_PAINT: return on_paint(window);
    case WM_CLOSE: return on_close(window);
    case WM_QUERYENDSESSION: return on_query_end_session(window);
    case WM_GETMINMAXINFO: return on_get_min_max_info(window, reinterpret_cast<MINMAXINFO*>(lparam));
    case WM_DRAWITEM: return on_draw_item(window, reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    case WM_NCDESTROY: on_nc_destroy(window); return std::nullopt;
    case WM_COMMAND: return on_command(window, LOWORD(wparam), HIWORD(wparam));
    case WM_TIMER: return on_timer(window, wparam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return on_control_color(window, wparam, lparam);
    case WM_DPICHANGED: return on_dpi_changed(window, reinterpret_cast<const RECT*>(lparam));
    default: return std::nullopt;
    }
}

}  // namespace

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (const std::optional<LRESULT> handled = dispatch(window, message, wparam, lparam)) return *handled;
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace numvora
