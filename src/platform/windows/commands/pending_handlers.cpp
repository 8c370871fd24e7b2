// Commands whose features are not built yet. They change nothing and show nothing:
// the document commands, the theme switch and the memo auto-save come later.
#include "platform/windows/commands/command_handlers.h"

namespace numvora {

SystemStatus save_document(AppState&, std::int32_t) { return {}; }
SystemStatus open_document(AppState&, std::int32_t) { return {}; }
SystemStatus switch_theme(AppState&, std::int32_t) { return {}; }
void auto_save_memo(AppState&) {}

}  // namespace numvora
