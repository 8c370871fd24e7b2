#include "platform/windows/painting/painting.h"

#include <algorithm>
#include <string>

#include "platform/windows/base/win_handle.h"
#include "platform/windows/painting/app_fonts.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "ui/colors/color_scheme.h"
#include "ui/control_ids.h"
#include "ui/control_table.h"
#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

// s(n) at a DPI, but never below the floor (tiny sizes would draw nothing).
std::int32_t scaled_at_least(std::int32_t n, std::uint32_t dpi, std::int32_t below, std::int32_t fallback) {
    const std::int32_t value = scale_for_dpi(n, dpi);
    return value < below ? fallback : value;
}

void fill(HDC dc, const RECT& rect, COLORREF color) {
    UniqueBrush brush(CreateSolidBrush(color));
    if (brush) FillRect(dc, &rect, brush.get());
}

HFONT font_of(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

// The dark-mode switch: a caption and a track with its knob at the right end when dark.
void draw_theme_switch(const AppState& state, const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT& box = item.rcItem;
    const std::uint32_t dpi = window_dpi(item.hwndItem);
    const auto s = [dpi](std::int32_t n) { return scale_for_dpi(n, dpi); };
    const ThemePalette palette = current_palette(state);
    fill(dc, box, palette[PANEL_BACKGROUND]);

    const LONG track_right = box.right - s(10);
    const LONG track_left = track_right - s(38);
    const LONG height = s(20);
    const LONG track_top = box.top + (box.bottom - (box.top + height)) / 2;

    {
        const HFONT font = font_of(item.hwndItem);
        ScopedSelect font_choice(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetCurrentObject(dc, OBJ_FONT));
        RECT caption{box.left + s(12), box.top, track_left - s(8), box.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, palette[EXPRESSION_TEXT]);
        std::wstring text = control_text_wide(item.hwndItem);
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &caption,
                  DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }

    const SwitchColors colors = switch_colors(color_scheme(state));
    UniqueBrush track_brush(CreateSolidBrush(colors.track));
    UniquePen track_pen(CreatePen(PS_SOLID, 1, colors.track_border));
    if (!track_brush || !track_pen) return;
    {
        ScopedSelect pen(dc, track_pen.get());
        ScopedSelect brush(dc, track_brush.get());
        RoundRect(dc, track_left, track_top, track_right, track_top + height, height, height);
    }
    UniqueBrush knob_brush(CreateSolidBrush(colors.knob));
    UniquePen knob_pen(CreatePen(PS_SOLID, 1, colors.knob));
    if (!knob_brush || !knob_pen) return;
    const LONG margin = scaled_at_least(3, dpi, 3, 2);
    const LONG knob = height - 2 * margin;
    const LONG x = state.settings.dark_mode ? track_right - margin - knob : track_left + margin;
    ScopedSelect pen(dc, knob_pen.get());
    ScopedSelect brush(dc, knob_brush.get());
    Ellipse(dc, x, track_top + margin, x + knob, track_top + margin + knob);
}

}  // namespace

void paint_push_button(const DRAWITEMSTRUCT& item, ButtonKind kind, const ColorScheme& scheme) {
    const HDC dc = item.hDC;
    const RECT& box = item.rcItem;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const ButtonColors colors = scheme_button_colors(
        kind, button_visual_state(disabled, selected, (item.itemState & ODS_HOTLIGHT) != 0), scheme);
    fill(dc, box, scheme_palette(scheme)[PANEL_BACKGROUND]);

    UniqueBrush fill_brush(CreateSolidBrush(colors.fill));
    UniquePen border_pen(CreatePen(PS_SOLID, 1, colors.border));
    if (!fill_brush || !border_pen) return;
    const std::uint32_t dpi = window_dpi(item.hwndItem);
    const std::int32_t radius = scaled_at_least(10, dpi, 6, 5);

    ScopedSelect brush(dc, fill_brush.get());
    ScopedSelect pen(dc, border_pen.get());
    RoundRect(dc, box.left + 1, box.top + 1, box.right - 1, box.bottom - 1, radius, radius);

    const HFONT font = font_of(item.hwndItem);
    ScopedSelect font_choice(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetCurrentObject(dc, OBJ_FONT));
    std::wstring text = control_text_wide(item.hwndItem);
    if (!text.empty()) {
        RECT area = box;
        if (selected) OffsetRect(&area, 1, 1);  // the caption sinks with the press
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colors.text);
        DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }

    if ((item.itemState & ODS_FOCUS) != 0 && !disabled) {
        UniquePen ring(CreatePen(PS_SOLID, 2, focus_ring_color(kind, scheme)));
        if (!ring) return;
        const std::int32_t inset = scaled_at_least(3, dpi, 3, 2);
        const std::int32_t ring_radius = radius - inset < 5 ? 4 : radius - inset;
        ScopedSelect ring_pen(dc, ring.get());
        ScopedSelect hollow(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset, ring_radius,
                  ring_radius);
    }
}

std::optional<LRESULT> paint_panels(AppState& state, const PanelBoxes& panels) {
    const HWND window = state.main_window;
    PaintScope paint(window);
    if (paint.dc() == nullptr) return 0;
    const ThemePalette palette = current_palette(state);
    fill(paint.dc(), paint.area(), palette[WINDOW_BACKGROUND]);
    UniquePen border(CreatePen(PS_SOLID, 1, palette[PANEL_BORDER]));
    if (!border) return 0;
    const std::int32_t corner = scaled_at_least(14, window_dpi(window), 7, 6);
    ScopedSelect pen(paint.dc(), border.get());
    ScopedSelect brush(paint.dc(), state.brushes.panel.get());
    for (const PixelRect& panel : {panels.top_bar, panels.calculator, panels.memo}) {
        RoundRect(paint.dc(), panel.left, panel.top, panel.right, panel.bottom, corner, corner);
    }
    return 0;
}

std::optional<LRESULT> skip_background_erase(AppState&) { return 1; }

void redraw_window(HWND window) {
    if (!RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW)) {
        InvalidateRect(window, nullptr, TRUE);
    }
}

std::optional<LRESULT> control_colors(AppState& state, HDC dc, HWND control) {
    const auto found = std::find(state.controls.begin(), state.controls.end(), control);
    if (found == state.controls.end()) return std::nullopt;
    const ControlRow* row = &CONTROL_ROWS[static_cast<std::size_t>(found - state.controls.begin())];
    struct Look {
        PaletteColor text;
        PaletteColor background;
        HBRUSH brush;
    };
    const auto panel = [&](PaletteColor text) { return Look{text, PANEL_BACKGROUND, state.brushes.panel.get()}; };
    Look look{};
    switch (row->colors) {
    case ColorRole::None: return std::nullopt;
    case ColorRole::Caption: look = panel(CAPTION_TEXT); break;
    case ColorRole::Status:
        look = panel(status_line_view(state.status, state.troubles).is_error ? STATUS_ERROR_TEXT : CAPTION_TEXT);
        break;
    case ColorRole::Expression: look = {EXPRESSION_TEXT, EXPRESSION_BACKGROUND, state.brushes.expression.get()}; break;
    case ColorRole::Result: look = {RESULT_TEXT, RESULT_BACKGROUND, state.brushes.result.get()}; break;
    case ColorRole::History: look = {HISTORY_TEXT, HISTORY_BACKGROUND, state.brushes.history.get()}; break;
    case ColorRole::Memo: look = {MEMO_TEXT, MEMO_BACKGROUND, state.brushes.memo.get()}; break;
    }
    const ThemePalette palette = current_palette(state);
    SetTextColor(dc, palette[look.text]);
    SetBkColor(dc, palette[look.background]);
    return reinterpret_cast<LRESULT>(look.brush);
}

std::optional<LRESULT> draw_button(AppState& state, const DRAWITEMSTRUCT* item) {
    if (item == nullptr || item->CtlType != ODT_BUTTON) return std::nullopt;
    if (item->CtlID == static_cast<UINT>(ids::DARK_MODE)) {
        draw_theme_switch(state, *item);
    } else {
        paint_push_button(*item, button_kind(static_cast<std::int32_t>(item->CtlID)), color_scheme(state));
    }
    return TRUE;
}

}  // namespace numvora
