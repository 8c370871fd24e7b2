// "Windows 시작 시 실행": the user's Run entry, this program with TRAY_START_OPTION, so
// that it starts hidden when the icon is on.
#pragma once

#include "platform/windows/base/system_error.h"

namespace numvora {

struct AppState;

struct RunEntry {
    bool on = false;  // the preference, as the entry was last set
};

SystemStatus set_start_with_windows(const AppState& state, bool on);

}  // namespace numvora
