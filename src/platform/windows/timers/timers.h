// The main window's timers, one row each: its id (WM_TIMER's wParam), its period, whether
// it runs once, and its handler, a function void handler(AppState&) defined beside the
// feature it serves. The window dispatches every WM_TIMER through these rows
// (main_window.cpp), and a feature starts its own timer with start_timer. A timer that
// runs once is stopped before its handler runs; any other runs until its handler or the
// close stops it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace numvora {

struct AppState;

enum class TimerRuns : std::uint8_t { Repeatedly, Once };

// V(name, id, period in ms, runs, handler). Ids 1 and 2 are also posted from outside
// the window (tests, measurements), so they stay as they are.
// clang-format off
#define NUMVORA_TIMERS(V)                                                                                  \
    /* The memo's selection as the operation buttons' operand, and the expression box's grouping */  \
    V(SELECTION_TIMER_ID, 1, 200, Repeatedly, check_memo_selection)                                      \
    /* The memo written when it changed since the last tick */                                          \
    V(AUTOSAVE_TIMER_ID, 2, 2000, Repeatedly, auto_save_memo)                                            \
    /* Screen readers' names, once the window is up: their library costs the start milliseconds */     \
    V(ACCESSIBILITY_TIMER_ID, 3, 100, Once, annotate_controls)                                           \
    /* The zoom's note leaves the status line a moment after the last change */                         \
    V(MEMO_ZOOM_NOTE_TIMER_ID, 7, 2000, Once, end_memo_zoom_note)                                        \
    /* The system-wide key, watched until it is let go: Wine repeats a held key as new presses */       \
    V(HOT_KEY_RELEASE_TIMER_ID, 20, 50, Repeatedly, check_hot_key_release)                               \
    /* A document a second start handed over, opened once its message has returned */                  \
    V(HANDED_DOCUMENT_TIMER_ID, 21, 10, Once, open_handed_document)                                      \
    /* The notification icon's menu, once the window is in front */                                     \
    V(TRAY_MENU_TIMER_ID, 22, 100, Once, open_tray_menu)                                                 \
    /* A new day read into the memo's dates ("오늘", D-days), and the margin shown again */              \
    V(MEMO_DAY_TIMER_ID, 23, 60000, Repeatedly, check_memo_day)                                        \
    /* Memo controls a large change left behind, destroyed a second after the memo last changed */     \
    V(RETIRED_MEMO_TIMER_ID, 24, 1000, Once, destroy_retired_memos)
// clang-format on

#define NUMVORA_TIMER_ID(name, id, period, runs, handler) inline constexpr std::uintptr_t name = id;
NUMVORA_TIMERS(NUMVORA_TIMER_ID)
#undef NUMVORA_TIMER_ID

#define NUMVORA_DECLARE_TIMER_HANDLER(name, id, period, runs, handler) void handler(AppState& state);
NUMVORA_TIMERS(NUMVORA_DECLARE_TIMER_HANDLER)
#undef NUMVORA_DECLARE_TIMER_HANDLER

struct TimerRow {
    std::uintptr_t id;
    std::uint32_t period_ms;
    TimerRuns runs;
    void (*handler)(AppState&);
};

#define NUMVORA_TIMER_ROW(name, id, period, runs, handler) TimerRow{id, period, TimerRuns::runs, handler},
inline constexpr TimerRow TIMER_ROWS[] = {NUMVORA_TIMERS(NUMVORA_TIMER_ROW)};
#undef NUMVORA_TIMER_ROW

// The row of a timer id; null for an id that is no timer of the window.
const TimerRow* find_timer(std::uintptr_t id);

// Starts or restarts a timer of the window: after its row's period, or after the one given.
bool start_timer(HWND window, std::uintptr_t id);
bool start_timer(HWND window, std::uintptr_t id, std::uint32_t period_ms);
bool stop_timer(HWND window, std::uintptr_t id);

}  // namespace numvora
