#include "platform/windows/layout/window_layout.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/windows/base/error_report.h"
#include "platform/windows/base/win_rect.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/painting/app_fonts.h"
#include "platform/windows/painting/memo_colors.h"
#include "platform/windows/painting/text_tips.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "ui/layout/dpi_scale.h"
#include "ui/layout/layout.h"
#include "ui/layout/placement.h"
#include "ui/layout/text_fit.h"

namespace numvora {
namespace {

// Makes new fonts when the window's DPI is no longer the one they were made for.
// On a failure nothing changes, so the next pass tries again.
SystemStatus refresh_fonts_for(AppState& state, std::uint32_t dpi) {
    if (dpi == state.fonts.dpi) return {};
    auto fonts = create_font_set(dpi);
    if (!fonts) return fail(fonts.error());
    // The record first: the memo's margin measures in the record's font as the memo
    // takes the new one. The old fonts stay alive in `fonts` until the controls let go.
    std::swap(state.fonts.ui, fonts->ui);
    std::swap(state.fonts.display, fonts->display);
    std::swap(state.fonts.keypad, fonts->keypad);
    state.fonts.dpi = dpi;
    apply_fonts(state);
    apply_memo_text_color(state.memo_edit(), current_palette(state)[MEMO_TEXT]);
    if (state.zoom->font) {
        if (auto status = apply_memo_zoom(state); !status)
            log_error_line("메모 확대 글꼴 생성 실패: {}", display_text(status.error()));
    }
    if (!fonts->ui.reset()) log_error_line("이전 UI 글꼴 해제 실패");
    if (!fonts->display.reset()) log_error_line("이전 계산 표시 글꼴 해제 실패");
    if (!fonts->keypad.reset()) log_error_line("이전 키패드 글꼴 해제 실패");
    return {};
}

}  // namespace

void apply_fonts(const AppState& state) {
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const FontRole role = CONTROL_ROWS[i].font;
        const HFONT font = role == FontRole::Display  ? state.fonts.display.get()
                           : role == FontRole::Keypad ? state.fonts.keypad.get()
                                                      : state.fonts.ui.get();
        SendMessageW(state.controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

SystemStatus layout_controls(AppState& state) {
    RECT client{};
    if (!GetClientRect(state.main_window, &client)) return fail(last_system_error("GetClientRect"));
    if (auto status = refresh_fonts_for(state, window_dpi(state.main_window)); !status) return status;

    const LayoutInput input{client.right - client.left,     client.bottom - client.top,        state.fonts.dpi,
                            state.settings.calculator_side, state.settings.calculator_percent, state.layout->find_bar};
    // Showing the window sends a WM_SIZE for the size WM_CREATE laid out already; moving
    // every control to where it is would cost a repaint of each.
    if (state.layout->laid_out_for == input) return {};
    LayoutRects rects = compute_layout(input);
    // Above 96 DPI the history caption may take room from the clear button's; measured
    // only there, since at 96 DPI the boxes stay as they are.
    if (state.fonts.dpi > BASE_DPI) {
        const HWND caption = state.control(ControlSlot::HistoryCaption);
        const HWND clear = state.control(ControlSlot::ClearHistoryButton);
        fit_history_caption(rects, text_width(caption, state.fonts.ui.get(), control_text_wide(caption)),
                            text_width(clear, state.fonts.ui.get(), control_text_wide(clear)), state.fonts.dpi);
    }
    state.layout->panels.top_bar = rects.top_bar;
    state.layout->panels.calculator = rects.calculator_panel;
    state.layout->panels.memo = rects.memo_panel;
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const PixelBox& box = rects.boxes[i];
        if (!state.calls.layout->move_window(state.controls[i], box.x, box.y, box.width, box.height, TRUE)) {
            return fail(last_system_error("MoveWindow"));
        }
    }
    state.layout->laid_out_for = input;
    return {};
}

LRESULT on_size(AppState& state) {
    if (auto status = layout_controls(state); !status)
        log_error_line("화면 배치 실패: {}", display_text(status.error()));
    return 0;
}

LRESULT on_get_min_max_info(HWND window, MINMAXINFO* info) {
    if (info == nullptr) return 0;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR on = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    // Without a monitor's work area the smallest restored size holds as it is.
    const RECT work =
        on != nullptr && GetMonitorInfoW(on, &monitor) ? monitor.rcWork : RECT{0, 0, INT32_MAX, INT32_MAX};
    const PixelBox smallest = min_track_size(window_dpi(window), pixel_rect(work));
    info->ptMinTrackSize = {smallest.width, smallest.height};
    return 0;
}

// The fonts follow in the layout pass of the WM_SIZE that this move causes.
LRESULT on_dpi_changed(AppState& state, const RECT* suggested) {
    if (suggested == nullptr) return 0;
    if (!SetWindowPos(state.main_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                      suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE)) {
        log_error_line("DPI 변경 크기 적용 실패: {}", display_text(last_system_error("SetWindowPos")));
    }
    return 0;
}

}  // namespace numvora
