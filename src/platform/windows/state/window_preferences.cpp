#include "platform/windows/state/window_preferences.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "platform/windows/base/error_report.h"
#include "platform/windows/desktop/hot_key.h"
#include "platform/windows/desktop/run_entry.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/save_all.h"

namespace numvora {
namespace {

using Step = bool (*)(AppState&);

// A step that cannot fail always follows.
template <auto step>
bool follow(AppState& state) {
    if constexpr (std::is_void_v<decltype(step(state))>) {
        step(state);
        return true;
    } else {
        return step(state);
    }
}

struct PreferenceRow {
    void (*take)(const AppState&, Preferences&);  // the record's value into the preferences
    void (*give)(AppState&, const Preferences&);  // and back
    bool (*changed)(const AppState&, const Preferences&);
    Step step;
    PreferenceStart start;
};

#define NUMVORA_PREFERENCE_ROW(key, kind, default_value, label, needs, lives, apply, start)                \
    PreferenceRow{[](const AppState& s, Preferences& p) { p.key = s.lives; },                              \
                  [](AppState& s, const Preferences& p) { s.lives = p.key; },                              \
                  [](const AppState& s, const Preferences& p) { return s.lives != p.key; }, follow<apply>, \
                  PreferenceStart::start},
constexpr PreferenceRow PREFERENCE_ROWS[] = {NUMVORA_PREFERENCES(NUMVORA_PREFERENCE_ROW)};
#undef NUMVORA_PREFERENCE_ROW

// Each step of the rows due once, in the rows' order; one that cannot follow gives the
// rows it follows their values of before back.
template <typename Due>
void apply_steps(AppState& state, const Preferences& before, Due due) {
    std::array<Step, std::size(PREFERENCE_ROWS)> taken{};
    std::size_t count = 0;
    for (const PreferenceRow& row : PREFERENCE_ROWS) {
        if (!due(row) || std::find(taken.begin(), taken.begin() + count, row.step) != taken.begin() + count) continue;
        taken[count++] = row.step;
        if (row.step(state)) continue;
        for (const PreferenceRow& same : PREFERENCE_ROWS) {
            if (same.step == row.step) same.give(state, before);
        }
    }
}

}  // namespace

Preferences preferences_of(const AppState& state) {
    Preferences preferences;
    for (const PreferenceRow& row : PREFERENCE_ROWS) row.take(state, preferences);
    return preferences;
}

void adopt_preferences(AppState& state, const Preferences& preferences) {
    for (const PreferenceRow& row : PREFERENCE_ROWS) row.give(state, preferences);
}

void apply_preferences_at_start(AppState& state, PreferenceStart moment) {
    apply_steps(state, preferences_of(state), [moment](const PreferenceRow& row) { return row.start == moment; });
}

void change_preferences(AppState& state, const Preferences& wanted) {
    const Preferences before = preferences_of(state);
    adopt_preferences(state, wanted);
    apply_steps(state, before, [&](const PreferenceRow& row) { return row.changed(state, before); });
}

void save_preferences_now(const AppState& state, std::string_view failure_line) {
    if (!state.save->paths) return;
    if (auto saved = save_preferences(*state.save->paths, preferences_of(state), state.calls.write); !saved) {
        log_error_line(failure_line, display_text(saved.error()));
    }
}

}  // namespace numvora
