#include "platform/windows/painting/label_views.h"

#include <commctrl.h>

#include <string>

#include "platform/windows/base/subclass.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/control_text.h"
#include "ui/layout/dpi_scale.h"
#include "ui/layout/text_fit.h"

namespace numvora {
namespace {

// The display font at a smaller size, made once per DPI; the display font itself when
// one cannot be made.
HFONT result_font(AppState& state, std::int32_t size) {
    const HFONT display = state.display_font.get();
    if (size >= RESULT_FONT_LARGEST) return display;
    if (state.result_view.fonts_dpi != state.dpi) {
        for (UniqueFont& font : state.result_view.fonts) font.reset();
        state.result_view.fonts_dpi = state.dpi;
    }
    UniqueFont& font = state.result_view.fonts[static_cast<std::size_t>(RESULT_FONT_LARGEST - size)];
    if (!font) {
        LOGFONTW shape{};
        if (GetObjectW(display, sizeof shape, &shape) != sizeof shape) return display;
        shape.lfHeight = -scale_for_dpi(size, state.dpi);
        font = UniqueFont(CreateFontIndirectW(&shape));
    }
    return font ? font.get() : display;
}

// The full text as the label's tooltip while the label shows it cut; an empty tip
// never shows. The tooltip is made with the first cut text.
void show_full_text_tip(AppState& state, HWND label, const std::wstring& cut_text) {
    if (state.result_view.tooltip == nullptr) {
        if (cut_text.empty()) return;
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        state.result_view.tooltip =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                            0, state.main_window, nullptr, nullptr, nullptr);
        if (state.result_view.tooltip == nullptr) return;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = state.main_window;
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    tool.lpszText = const_cast<wchar_t*>(cut_text.c_str());
    if (SendMessageW(state.result_view.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool)) == 0 &&
        SendMessageW(state.result_view.tooltip, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        SendMessageW(state.result_view.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
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
    show_full_text_tip(state, label, fit.ellipsis ? text : std::wstring());
}

LRESULT CALLBACK label_proc(HWND label, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
    AppState* state = app_state_of(GetParent(label));
    const bool result = state != nullptr && label == state->result_label();
    switch (message) {
    case WM_SETTEXT: {
        const std::wstring before = control_text_wide(label);
        // A static paints a new text at once, itself, past WM_PAINT: the result label only
        // stores it and paints in its turn.
        const LRESULT set =
            result ? DefWindowProcW(label, message, wparam, lparam) : DefSubclassProc(label, message, wparam, lparam);
        if (result) InvalidateRect(label, nullptr, FALSE);
        const auto* text = reinterpret_cast<const wchar_t*>(lparam);
        // A polite live region: the reader speaks the new result or message when idle.
        if (set != FALSE && text != nullptr && before != text) {
            NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, label, OBJID_CLIENT, CHILDID_SELF);
        }
        return set;
    }
    case WM_PAINT:
        if (!result) break;
        paint_result_label(*state, label);
        return 0;
    case WM_NCHITTEST:
        if (result) return HTCLIENT;  // the mouse reaches the label, and so its tooltip
        break;
    default: break;
    }
    return pass_to_control(label, message, wparam, lparam, label_proc, id);
}

}  // namespace

void watch_labels(const AppState& state) {
    for (const HWND label : {state.result_label(), state.status_label()}) {
        subclass_control(label, label_proc);
    }
}

std::int32_t text_width(HWND control, HFONT font, std::wstring_view text) {
    const WindowDc dc(control);
    if (dc.get() == nullptr) return 0;
    const ScopedSelect in_font(dc.get(), font);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

}  // namespace numvora
