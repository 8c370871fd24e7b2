// The window's record made and released with every feature's record: the one file that
// sees every record whole, so that the record's header names them without including them.
#include "platform/windows/commands/find_bar.h"
#include "platform/windows/commands/focus_commands.h"
#include "platform/windows/desktop/hot_key.h"
#include "platform/windows/desktop/run_entry.h"
#include "platform/windows/desktop/second_start.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/layout/window_layout.h"
#include "platform/windows/memo/memo_hint.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/memo/notes/stale_marks.h"
#include "platform/windows/painting/label_views.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/window/window_handlers.h"

namespace numvora {

AppState::AppState() = default;
AppState::~AppState() = default;

}  // namespace numvora
