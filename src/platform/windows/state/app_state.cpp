// The window's record, and the control table's style bits checked against the system's.
#include <richedit.h>

#include "platform/windows/state/app_state.h"

namespace numvora {

// The table spells the style bits out so that it builds without the system headers.
static_assert(style::CHILD == WS_CHILD && style::VISIBLE == WS_VISIBLE && style::TABSTOP == WS_TABSTOP &&
              style::VSCROLL == WS_VSCROLL);
static_assert(style::BUTTON_AUTOCHECKBOX == BS_AUTOCHECKBOX && style::BUTTON_OWNERDRAW == BS_OWNERDRAW &&
              style::BUTTON_CENTER == BS_CENTER && style::BUTTON_VCENTER == BS_VCENTER);
static_assert(style::EDIT_CENTER == ES_CENTER && style::EDIT_MULTILINE == ES_MULTILINE &&
              style::EDIT_AUTOVSCROLL == ES_AUTOVSCROLL && style::EDIT_AUTOHSCROLL == ES_AUTOHSCROLL &&
              style::EDIT_WANTRETURN == ES_WANTRETURN && style::EDIT_NOHIDESEL == ES_NOHIDESEL);
static_assert(style::STATIC_CENTER == SS_CENTER && style::STATIC_CENTERIMAGE == SS_CENTERIMAGE &&
              style::STATIC_ENDELLIPSIS == SS_ENDELLIPSIS);
static_assert(style::LIST_NOTIFY == LBS_NOTIFY && style::LIST_HASSTRINGS == LBS_HASSTRINGS &&
              style::LIST_NOINTEGRALHEIGHT == LBS_NOINTEGRALHEIGHT);

AppState* app_state_of(HWND window) { return reinterpret_cast<AppState*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

}  // namespace numvora
