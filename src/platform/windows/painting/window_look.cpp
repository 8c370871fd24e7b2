#include "platform/windows/painting/window_look.h"

#include "platform/windows/base/error_report.h"
#include "platform/windows/painting/memo_colors.h"
#include "platform/windows/painting/painting.h"
#include "platform/windows/painting/theme_brushes.h"

namespace numvora {
namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE; Windows 10 before build 19041 knew it as 19.
constexpr DWORD DARK_MODE_ATTRIBUTE = 20;
constexpr DWORD DARK_MODE_ATTRIBUTE_BEFORE_19041 = 19;

}  // namespace

ColorScheme color_scheme(const AppState& state) { return {state.settings.dark_mode, state.look->high_contrast}; }

ThemePalette current_palette(const AppState& state) { return scheme_palette(color_scheme(state)); }

std::optional<SystemColors> query_high_contrast(LookCalls& calls) {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (!calls.system_parameters(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) ||
        (contrast.dwFlags & HCF_HIGHCONTRASTON) == 0) {
        return std::nullopt;
    }
    return SystemColors{GetSysColor(COLOR_WINDOW),  GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE),
                        GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_HIGHLIGHT),  GetSysColor(COLOR_HIGHLIGHTTEXT),
                        GetSysColor(COLOR_GRAYTEXT)};
}

void apply_frame_theme(AppState& state) {
    const bool dark = color_scheme(state).dark_frame();
    if (!dark && !state.look->dark_frame_requested) return;
    state.look->dark_frame_requested = true;
    const BOOL value = dark ? TRUE : FALSE;
    const HWND window = state.main_window;
    if (FAILED(state.calls.look->set_window_attribute(window, DARK_MODE_ATTRIBUTE, &value, sizeof value))) {
        state.calls.look->set_window_attribute(window, DARK_MODE_ATTRIBUTE_BEFORE_19041, &value, sizeof value);
    }
    // Dark scroll bars and frames for every control that scrolls or takes text (the
    // scrolling ones first); null names give the system's theme back.
    const wchar_t* const explorer = dark ? L"DarkMode_Explorer" : nullptr;
    for (const ControlClass kind : {ControlClass::RichEdit, ControlClass::ListBox, ControlClass::Edit}) {
        for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
            if (CONTROL_ROWS[i].class_kind == kind)
                state.calls.look->set_window_theme(state.controls[i], explorer, nullptr);
        }
    }
    // A themed check box draws its caption in the theme's text colour whatever
    // WM_CTLCOLORSTATIC says, black on the dark panel: in the dark it goes unthemed.
    const wchar_t* const none = dark ? L"" : nullptr;
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        if (is_check_box(CONTROL_ROWS[i])) state.calls.look->set_window_theme(state.controls[i], none, none);
    }
}

SystemStatus apply_look(AppState& state, const ColorScheme& scheme) {
    const ThemePalette palette = scheme_palette(scheme);
    auto brushes = make_theme_brushes(palette, *state.calls.look);
    if (!brushes) return fail(brushes.error());
    state.settings.dark_mode = scheme.dark;
    state.look->high_contrast = scheme.high_contrast;
    std::swap(state.brushes, brushes.value());  // the old ones go with the result
    apply_memo_background(state.memo_edit(), palette[MEMO_BACKGROUND]);
    apply_memo_text_color(state.memo_edit(), palette[MEMO_TEXT]);
    apply_frame_theme(state);
    redraw_window(state.main_window);
    return {};
}

std::optional<LRESULT> on_system_colors_changed(AppState& state) {
    const std::optional<SystemColors> contrast = query_high_contrast(*state.calls.look);
    if (contrast != state.look->high_contrast) {
        if (auto status = apply_look(state, {state.settings.dark_mode, contrast}); !status) {
            log_error_line("고대비 색 적용 실패: {}", display_text(status.error()));
        }
    }
    return std::nullopt;  // the default handling stays
}

}  // namespace numvora
