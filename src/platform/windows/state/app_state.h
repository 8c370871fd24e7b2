// The main window's record: its handles (the window's, the controls', the fonts and the
// brushes), the system calls it makes, the calculation's and the status line's state,
// the settings, and each feature's own record, which the feature defines beside the code
// that changes it (the list below says where). It lives from WM_CREATE to WM_NCDESTROY
// as the window's user data.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <span>

#include "platform/windows/base/owned.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/state/system_calls.h"
#include "session/calculator_session.h"
#include "session/lasting_troubles.h"
#include "session/selection_state.h"
#include "session/status_line.h"
#include "storage/settings.h"
#include "ui/control_table.h"

namespace numvora {

struct SaveState;           // state/save_all.h: the data folder's files, the memo's save
struct ModalState;          // state/modal.h: a dialog open over the window
struct WindowLook;          // painting/window_look.h: high contrast, the dark frame
struct ResultLabelView;     // painting/label_views.h: the result label's smaller fonts
class MemoNotes;            // memo/notes/memo_notes.h: the memo read as notes
struct MemoLoad;            // memo/memo_load.h: the saved memo going in after the first paint
struct MemoRebuild;         // memo/memo_rebuild.h: large changes in a fresh control
struct MemoZoom;            // memo/memo_zoom.h
struct ResultsMarginState;  // memo/notes/results_margin.h: the margin of line results
struct StaleMarks;          // memo/notes/stale_marks.h: written results that no longer hold
struct MemoHint;            // memo/memo_hint.h: the empty memo's hint
struct HotKeyState;         // desktop/hot_key.h: the system-wide key
struct TrayIcon;            // desktop/tray_icon.h: the notification area's icon
struct SecondStart;         // desktop/second_start.h: what a second start sends
struct RunEntry;            // desktop/run_entry.h: "Windows 시작 시 실행"
struct WindowLayout;        // layout/window_layout.h: the panels, the find bar's rows
struct FindBarState;        // commands/find_bar.h
struct FocusMemory;         // commands/focus_commands.h: the focus across deactivation
struct WindowLife;          // window/window_handlers.h: created, a log-off held back

struct ThemeBrushes {
    UniqueBrush panel;       // palette colour 1
    UniqueBrush expression;  // 3
    UniqueBrush result;      // 6
    UniqueBrush history;     // 8
    UniqueBrush memo;        // 10
};

struct WindowFonts {
    UniqueFont ui;
    UniqueFont display;
    UniqueFont keypad;
    std::uint32_t dpi = 96;  // what they were made for
};

struct AppState {
    // Where every record's header is included (window/app_records.cpp).
    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    HWND main_window = nullptr;
    std::array<HWND, CONTROL_COUNT> controls{};  // by the control table's row
    // The labels' tooltips, made with the first of them: their whole texts while cut, and
    // the details of the troubles the status line marks.
    HWND label_tips = nullptr;
    WindowFonts fonts;
    ThemeBrushes brushes;
    SystemCalls calls;

    CalculatorSession calculator;  // history and last calculation
    SelectionState selection;      // pending operand, last memo selection
    StatusLine status;             // the line under the memo and its colour
    LastingTroubles troubles;      // marked on the status line until they end
    // The toggles as they are now (the grouping toggle is the calculator session's:
    // adopt_settings and capture_settings carry it); the geometry fields hold what the
    // start read until a capture takes them from the window.
    AppSettings settings;

    Owned<SaveState> save;
    Owned<ModalState> modal;
    Owned<WindowLook> look;
    Owned<ResultLabelView> result_view;
    Owned<MemoNotes> notes;
    Owned<MemoLoad> memo_load;
    Owned<MemoRebuild> memo_rebuild;
    Owned<MemoZoom> zoom;
    Owned<ResultsMarginState> margin;
    Owned<StaleMarks> stale_marks;
    Owned<MemoHint> hint;
    Owned<HotKeyState> hot_key;
    Owned<TrayIcon> tray;
    Owned<SecondStart> second_start;
    Owned<RunEntry> run_entry;
    Owned<WindowLayout> layout;
    Owned<FindBarState> find;
    Owned<FocusMemory> focus;
    Owned<WindowLife> life;

    HWND control(ControlSlot slot, std::size_t member = 0) const { return controls[control_row_index(slot, member)]; }
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

}  // namespace numvora
