// "설정…": the settings dialog and what its OK changes (settings_commands.cpp), and the
// preferences file carried between preferences.txt and the features' records, where
// each option lives while the program runs.
#pragma once

#include "storage/preferences.h"

namespace numvora {

struct AppState;

// The options as their features' records hold them: the margin's, the zoom's, the
// key's, the icon's and the Run entry's.
Preferences preferences_of(const AppState& state);
// The options read at the start, into those records.
void adopt_preferences(AppState& state, const Preferences& preferences);

}  // namespace numvora
