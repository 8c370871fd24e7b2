// The main window's record: every control handle, the fonts, the theme brushes, the
// calculation state, the settings, the system calls, and each feature's own record
// (the find bar, the zoom, the margin, the memo's history, …). It lives from WM_CREATE
// to WM_NCDESTROY as the window's user data.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "notes/note_blocks.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/state/memo_notes.h"
#include "platform/windows/state/memo_snapshots.h"
#include "platform/windows/state/system_calls.h"
#include "session/calculator_session.h"
#include "session/lasting_troubles.h"
#include "session/selection_state.h"
#include "session/status_line.h"
#include "storage/files/data_paths.h"
#include "storage/memo_file.h"
#include "storage/preferences.h"
#include "storage/settings.h"
#include "ui/colors/color_scheme.h"
#include "ui/control_table.h"
#include "ui/layout/layout.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

struct ThemeBrushes {
    UniqueBrush panel;       // palette colour 1
    UniqueBrush expression;  // 3
    UniqueBrush result;      // 6
    UniqueBrush history;     // 8
    UniqueBrush memo;        // 10
};

// A line result as the margin shows it: its row's box in the memo's client area, the
// value as plain decimal text and as shown.
struct MarginRow {
    PixelRect box;
    std::string value;
    std::string shown;
};

// The memo's margin of line results as last painted. The margin never writes into the
// memo: it narrows the text area and draws beside it.
struct ResultsMarginView {
    std::int32_t width = 0;                     // the strip as applied to the text area; 0: none
    std::optional<PixelRect> text_area_insets;  // the control's own text area, as insets of its client area
    std::vector<MarginRow> rows;                // the results on screen
    std::wstring font_key;                      // the DPI and zoom the widths were measured for
    bool refreshing = false;                    // a repaint caused by the margin's own change of the text area
    bool fit_posted = false;                    // a paint asked for the width to follow a wider result
    // The widths of the texts on screen in the margin's font, by text: a paint measures
    // only what the last one did not show.
    std::unordered_map<std::wstring, std::int32_t> widths;
};

// The find bar: the rows shown, and the memo's text as the bar last copied it, until
// the next change (the copy of a large memo costs far more than the search: most of a
// second for 10 MiB).
struct FindBarState {
    FindBar rows = FindBar::Hidden;
    std::optional<std::wstring> memo_text;
};

// The memo's zoom (its percentage is a preference): the ui font at that size, none at
// 100%, where the memo has the ui font; a Ctrl+wheel turn short of a notch, towards the next.
struct MemoZoom {
    UniqueFont font;
    std::int32_t wheel_carry = 0;
};

// The result label's smaller display fonts, by size, for the DPI they were made for,
// made when a text first needs them.
struct ResultLabelView {
    std::uint32_t fonts_dpi = 0;
    std::array<UniqueFont, 8> fonts;
};

// The hint an empty memo shows: whether the memo's last paint drew it.
struct MemoHintView {
    bool shown = false;
};

// The look beyond the palette: high contrast's colours while it is on; whether the dark
// frame and control themes were ever asked for (until then the light defaults need no
// call, and no library is loaded for them).
struct WindowLook {
    std::optional<SystemColors> high_contrast;
    bool dark_frame_requested = false;
};

// The panels as the layout last placed them, and what it placed them for.
struct PanelRects {
    PixelRect top_bar;
    PixelRect calculator;
    PixelRect memo;
    std::optional<LayoutInput> laid_out_for;
};

// A close question or a command's dialog open over the window, and a close that
// arrived meanwhile (carried out when it returns).
struct ModalState {
    bool open = false;
    bool close_pending = false;
};

// What the window keeps outside itself (desktop/): the system-wide key as registered, the
// notification area's icon, the messages that Explorer and a second start send it, and
// what a second start handed over until it can be opened.
struct DesktopPresence {
    HotKey registered;           // none: no key registered
    bool hot_key_taken = false;  // another program has the wanted key
    bool hot_key_held = false;   // pressed and not yet let go: Wine repeats a held key as new presses
    bool tray_icon_shown = false;
    bool tray_version_4 = false;  // the icon speaks the newer protocol: NIN_SELECT, WM_CONTEXTMENU
    bool exiting = false;         // the icon's 종료: the next close ends the program, icon or not
    UINT taskbar_created = 0;     // Explorer's "TaskbarCreated", after which the icon is added again
    UINT front_request = 0;       // a second start's question, one message per data folder
    std::optional<std::string> handed_document;
};

// The window's own fields, and a record of each feature's.
struct AppState {
    HWND main_window = nullptr;
    SystemCalls calls;
    std::array<HWND, CONTROL_COUNT> controls{};  // by the control table's row
    CalculatorSession calculator;                // history and last calculation
    SelectionState selection;                    // pending operand, last memo selection
    StatusLine status;                           // the line under the memo and its colour
    LastingTroubles troubles;                    // marked on the status line until they end
    std::string saved_memo_text;                 // the memo as last read, written or loaded from a document
    // Set by every change of the memo (EN_CHANGE), since the control's own modify flag
    // misses undo, redo and text set from outside; the auto-save reads only when set.
    bool memo_dirty = false;
    std::optional<DataPaths> data_paths;
    std::optional<MemoFile> memo_file;       // with data_paths
    std::optional<MemoSnapshots> snapshots;  // with data_paths: the memo's history
    // The toggles as they are now (the grouping toggle is the calculator session's: adopt_settings
    // and capture_settings carry it); the geometry fields hold what the start read until
    // a capture takes them from the window.
    AppSettings settings;
    Preferences preferences;  // the options of preferences.txt, as they are now
    UniqueFont ui_font;
    UniqueFont display_font;
    UniqueFont keypad_font;
    std::uint32_t dpi = 96;  // the DPI the fonts were made for
    ThemeBrushes brushes;
    WindowLook look;
    PanelRects panels;
    bool created = false;  // WM_CREATE finished: only then does WM_DESTROY end the loop
    ModalState modal;
    bool end_session_blocked = false;  // a log-off is held back for an unsaved memo
    // The control that had the keyboard focus when the window was last deactivated; it
    // gets it back on activation.
    HWND focus_before_deactivation = nullptr;
    FindBarState find;
    MemoZoom zoom;
    ResultsMarginView margin;
    MemoNotes notes;
    ResultLabelView result_view;
    MemoHintView hint;
    DesktopPresence desktop;
    // The labels' tooltips, made with the first of them: their whole texts while cut, and
    // the details of the troubles the status line marks.
    HWND label_tips = nullptr;

    HWND control(ControlSlot slot, std::size_t member = 0) const { return controls[control_row_index(slot, member)]; }
    // The memo's font: its zoom's, or the ui font at 100%.
    HFONT memo_font() const { return zoom.font ? zoom.font.get() : ui_font.get(); }
    // The controls that code names.
    HWND memo_edit() const { return control(ControlSlot::MemoEdit); }
    HWND expression_edit() const { return control(ControlSlot::ExpressionEdit); }
    HWND result_label() const { return control(ControlSlot::ResultLabel); }
    HWND status_label() const { return control(ControlSlot::StatusLabel); }
    HWND history_list() const { return control(ControlSlot::HistoryList); }
    HWND side_button() const { return control(ControlSlot::SideButton); }
    HWND thousands_checkbox() const { return control(ControlSlot::ThousandsCheckbox); }
    std::span<const HWND, OPERATION_BUTTON_COUNT> operation_buttons() const {
        return std::span<const HWND, OPERATION_BUTTON_COUNT>(&controls[control_row_index(ControlSlot::OperationButton)],
                                                             OPERATION_BUTTON_COUNT);
    }
    std::span<const HWND, KEYPAD_BUTTON_COUNT> keypad_buttons() const {
        return std::span<const HWND, KEYPAD_BUTTON_COUNT>(&controls[control_row_index(ControlSlot::KeypadKey)],
                                                          KEYPAD_BUTTON_COUNT);
    }
};

// The record of the main window, or null before WM_CREATE stored it and after
// WM_NCDESTROY released it.
AppState* app_state_of(HWND window);

// Runs a command's modal box or dialog. A close that arrives meanwhile waits and is
// posted again once it returns, so that it is carried out after the command. Returns
// the record looked up again: null when the window is gone.
template <class Run>
AppState* run_modal(AppState& state, Run run) {
    const HWND window = state.main_window;
    state.modal.open = true;
    run();
    AppState* again = app_state_of(window);
    if (again == nullptr) return nullptr;
    again->modal.open = false;
    if (std::exchange(again->modal.close_pending, false)) PostMessageW(window, WM_CLOSE, 0, 0);
    return again;
}

}  // namespace numvora
