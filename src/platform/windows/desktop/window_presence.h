// The window as the rest of the system reaches it: the system-wide key that shows and
// hides it, the notification area's icon, the close button that hides it there, a
// second start that fronts it and hands it a document, and the user's Run entry (each in
// a header of its own beside this one). Everything is off or idle until the user's
// preferences ask for it, but for the key (Ctrl+Alt+Space unless changed) and the answer
// to a second start.
#pragma once

#include <windows.h>

namespace numvora {

struct AppState;

// Once the window is made: the messages of Explorer and of a second start, and the icon
// when it is on, at once for a start into the tray, after the window answers for one
// that shows it (a start into the tray shows the window without it); the key follows
// the first paint. At WM_DESTROY the key and the icon go.
void enter_desktop(AppState& state, bool window_shows);
void leave_desktop(AppState& state);

// Shown, restored, in front (a dialog open over it in front instead); with focus_box,
// the focus in the expression box.
void bring_to_front(AppState& state, bool focus_box);
// Hidden when the icon is there to bring it back, otherwise minimised.
void put_away(AppState& state);

// WM_CLOSE: with the icon shown and "닫으면 알림 영역으로" on, the memo and settings are
// saved as at a close and the window hides; false when the close is to end the program
// (the icon's 종료 among them).
bool hide_instead_of_close(AppState& state);

}  // namespace numvora
