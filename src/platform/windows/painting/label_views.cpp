#include "platform/windows/painting/label_views.h"

#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/base/subclass.h"
#include "platform/windows/painting/text_tips.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "ui/layout/dpi_scale.h"
#include "ui/layout/text_fit.h"

namespace numvora {
namespace {

// The display font at a smaller size, made once per DPI; the display font itself when
// one cannot be made.
HFONT result_font(AppState& state, std::int32_t size) {
    const HFONT display = state.fonts.display.get();
    if (size >= RESULT_FONT_LARGEST) return display;
    if (state.result_view->fonts_dpi != state.fonts.dpi) {
        for (UniqueFont& font : state.result_view->fonts) font.reset();
        state.result_view->fonts_dpi = state.fonts.dpi;
    }
    UniqueFont& font = state.result_view->fonts[static_cast<std::size_t>(RESULT_FONT_LARGEST - size)];
    if (!font) {
        LOGFONTW shape{};
        if (GetObjectW(display, sizeof shape, &shape) != sizeof shape) return display;
        shape.lfHeight = -scale_for_dpi(size, state.fonts.dpi);
        font = UniqueFont(CreateFontIndirectW(&shape));
    }
    return font ? font.get() : display;
}

// Centred on one line like the static itself, but in the largest size of the display
// font that takes the whole text, and only at the smallest size ending in "…".
void paint_result_label(AppState& state, HWND label) {
    PaintScope paint(label);
    const HDC dc = paint.dc();
    if (dc == nullptr) return;
    RECT box{};
    GetClientRect(label, &box);
    const ThemePalette palette = current_palette(state);
    FillRect(dc, &box, state.brushes.result.get());
    const std::wstring text = control_text_wide(label);
    const HGDIOBJ previous = GetCurrentObject(dc, OBJ_FONT);
    const TextFit fit = fit_result_text(
        [&](std::int32_t size) {
            SelectObject(dc, result_font(state, size));
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            return static_cast<std::int32_t>(extent.cx);
        },
        box.right - box.left);
    SelectObject(dc, result_font(state, fit.size));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, palette[RESULT_TEXT]);
    std::wstring shown = text;
    DrawTextW(dc, shown.data(), static_cast<int>(shown.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | (fit.ellipsis ? DT_END_ELLIPSIS : 0));
    SelectObject(dc, previous);
    set_text_tip(state.label_tips, state.main_window, label, fit.ellipsis ? text : std::wstring(), state.fonts.dpi);
}

// A label the system paints: its whole text as its tooltip while it shows it cut; the
// status line's then the details of the troubles it marks.
void tip_if_cut(AppState& state, HWND label) {
    RECT box{};
    GetClientRect(label, &box);
    std::wstring tip = text_if_cut(label, control_text_wide(label), box.right);
    if (label == state.status_label()) {
        const std::string details = status_line_view(state.status, state.troubles).tooltip;
        if (!details.empty()) tip += (tip.empty() ? L"" : L"\n") + to_wide(details);
    }
    set_text_tip(state.label_tips, state.main_window, label, tip, state.fonts.dpi);
}

LRESULT CALLBACK label_proc(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
    AppState* state = app_state_of(GetParent(label));
    if (state == nullptr) return pass_to_control(label, message, wparam, lparam);
    const bool result = label == state->result_label();
    switch (message) {
    case WM_SETTEXT: {
        const std::wstring before = control_text_wide(label);
        // A static paints a new text at once, itself, past WM_PAINT: the result label only
        // stores it and paints in its turn.
        const LRESULT set =
            result ? DefWindowProcW(label, message, wparam, lparam) : pass_to_control(label, message, wparam, lparam);
        if (result) InvalidateRect(label, nullptr, FALSE);
        const auto* text = reinterpret_cast<const wchar_t*>(lparam);
        // A polite live region: the reader speaks the new result or message when idle,
        // whole however the label shows it.
        if (set != FALSE && text != nullptr && before != text)
            NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, label, OBJID_CLIENT, CHILDID_SELF);
        // Also for the same text: the status line's troubles may have changed under it.
        if (set != FALSE && !result) tip_if_cut(*state, label);
        return set;
    }
    case WM_SIZE:
        if (!result) tip_if_cut(*state, label);
        break;
    case WM_PAINT:
        if (!result) break;
        paint_result_label(*state, label);
        return 0;
    case WM_NCHITTEST: return HTCLIENT;  // the mouse reaches the label, and so its tooltip
    default: break;
    }
    return pass_to_control(label, message, wparam, lparam);
}

}  // namespace

void watch_labels(const AppState& state) {
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        if (CONTROL_ROWS[i].announced) subclass_control(state.controls[i], label_proc);
    }
}

}  // namespace numvora
