// "Windows 시작 시 실행": the user's Run entry, this program with TRAY_START_OPTION, so
// that it starts hidden when the icon is on.
#pragma once

namespace numvora {

struct AppState;

struct RunEntry {
    bool on = false;  // the preference, as the entry was last set
};

// The entry written or taken away as the record says: the preference's step. A failure
// is said on the status line.
bool write_run_entry(AppState& state);

}  // namespace numvora
