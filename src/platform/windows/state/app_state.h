// The main window's record: every control handle, the fonts, the theme brushes, the
// panel rectangles, the calculation state and the toggles. It lives from WM_CREATE to
// WM_NCDESTROY as the window's user data.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/base/win_handle.h"
#include "session/calculator_session.h"
#include "session/selection_state.h"
#include "session/status_line.h"
#include "storage/data_paths.h"
#include "storage/memo_file.h"
#include "storage/settings.h"
#include "ui/control_table.h"
#include "ui/layout.h"
#include "ui/pixel_rect.h"

namespace numvora {

struct ThemeBrushes {
    UniqueBrush panel;       // palette colour 1
    UniqueBrush expression;  // 3
    UniqueBrush result;      // 6
    UniqueBrush history;     // 8
    UniqueBrush memo;        // 10
};

struct AppState {
    HWND main_window = nullptr;
    std::array<HWND, KEYPAD_BUTTON_COUNT> keypad_buttons{};  // in KEYPAD_BUTTONS order
    CalculatorSession calculator;                            // history, last calculation, grouping toggle
    SelectionState selection;                                // pending operand, last memo selection
    StatusLine status;                                       // the line above the memo and its colour
    std::string saved_memo_text;                             // the memo as last read, written or loaded from a document
    // Set by every change of the memo (EN_CHANGE), since the control's own modify flag
    // misses undo, redo and text set from outside; the auto-save reads only when set.
    bool memo_dirty = false;
    std::optional<DataPaths> data_paths;
    std::optional<MemoFile> memo_file;  // with data_paths
    HWND save_button = nullptr;
    HWND load_button = nullptr;
    HWND dark_mode_button = nullptr;
    HWND side_button = nullptr;
    HWND expression_caption = nullptr;
    HWND thousands_checkbox = nullptr;
    HWND expression_edit = nullptr;
    HWND result_caption = nullptr;
    HWND result_label = nullptr;
    HWND result_to_memo_button = nullptr;
    HWND expression_result_to_memo_button = nullptr;
    HWND copy_result_button = nullptr;
    HWND history_caption = nullptr;
    HWND clear_history_button = nullptr;
    HWND history_list = nullptr;
    std::array<HWND, 5> operation_buttons{};  // ids 1009 to 1013
    HWND status_label = nullptr;
    HWND memo_edit = nullptr;
    UniqueFont ui_font;
    UniqueFont display_font;
    UniqueFont keypad_font;
    ThemeBrushes brushes;
    PixelRect top_bar_rect;
    PixelRect calculator_panel_rect;
    PixelRect memo_panel_rect;
    std::optional<LayoutInput> laid_out_for;  // what the controls were last placed for
    std::uint32_t dpi = 96;                   // the DPI the fonts were made for
    bool calculator_side = false;             // true: calculator panel on the right
    bool always_on_top = false;
    bool dark_mode = false;
    std::uint8_t calculator_percent = DEFAULT_CALCULATOR_PERCENT;
    bool created = false;              // WM_CREATE finished: only then does WM_DESTROY end the loop
    bool modal_open = false;           // a close question or a file dialog is open
    bool close_pending = false;        // a close arrived while a modal box was open
    bool end_session_blocked = false;  // a log-off is held back for an unsaved memo
};

// The record of the main window, or null before WM_CREATE stored it and after
// WM_NCDESTROY released it.
AppState* app_state_of(HWND window);

// Where the record keeps the handle of the control that a table row describes.
HWND& control_handle(AppState& state, const ControlRow& row);
HWND control_handle(const AppState& state, const ControlRow& row);

}  // namespace numvora
