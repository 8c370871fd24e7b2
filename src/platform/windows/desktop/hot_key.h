// The system-wide key: registered from its preference, it shows the window, brings it
// to the front with the focus in the expression box, and hides it again when pressed
// while the window is in front.
#pragma once

#include <windows.h>

#include <optional>

#include "storage/hot_key.h"

namespace numvora {

struct AppState;

struct HotKeyState {
    HotKey wanted = DEFAULT_HOT_KEY;  // the preference; none: no key
    HotKey registered;                // none: no key registered
    bool taken = false;               // another program has the wanted key
    bool held = false;                // pressed and not yet let go: Wine repeats a held key as new presses
};

// The wanted key registered (the one before given back first), or one taken by another
// program said once on the status line.
void register_hot_key(AppState& state);
void unregister_hot_key(AppState& state);
std::optional<LRESULT> on_hot_key(AppState& state, WPARAM id);

}  // namespace numvora
