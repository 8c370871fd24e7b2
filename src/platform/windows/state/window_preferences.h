// The preferences as the window keeps them, by their rows (NUMVORA_PREFERENCES in
// storage/settings.h): each lives in its feature's record, comes from preferences.txt
// at the start and goes back there when one changes, and its feature's step makes the
// window follow it, at the start and after the settings' OK alike.
#pragma once

#include <windows.h>

#include <cstdint>

#include "storage/settings.h"

namespace numvora {

struct AppState;

// Posted at a start that shows the window: the rows applied once it answers.
inline constexpr UINT WM_PREFERENCES_ONCE_ANSWERING = WM_APP + 21;

// When the start applies a preference, its row's last column.
enum class PreferenceStart : std::uint8_t {
    OnCreate,      // with the controls, before the memo's text goes in, which then wraps once
    OnFirstPaint,  // once the window has painted
    // The icon's rows: the shell library it loads costs tens of milliseconds under Wine,
    // which a start that shows the window spends once the window answers
    // (WM_PREFERENCES_ONCE_ANSWERING); a start into the tray needs the icon at once.
    OnceAnswering,
    Never,  // what its step sets outlives the program (the Run entry)
};

// The values of the features' records, and the values into them.
Preferences preferences_of(const AppState& state);
void adopt_preferences(AppState& state, const Preferences& preferences);

// The steps of the preferences the start applies at this moment, each step once and in
// the rows' order.
void apply_preferences_at_start(AppState& state, PreferenceStart moment);

// The wanted values into the records, and the steps of those that changed, each once
// and in the rows' order. A step that could not follow has said why; the preferences it
// follows take their values from before back.
void change_preferences(AppState& state, const Preferences& wanted);

}  // namespace numvora
