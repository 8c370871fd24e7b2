// Commands whose features are not built yet: the theme switch changes nothing and
// shows nothing until it comes.
#include "platform/windows/commands/command_handlers.h"

namespace numvora {

SystemStatus switch_theme(AppState&, std::int32_t) { return {}; }

}  // namespace numvora
