#include "platform/windows/window/save_all.h"

namespace numvora {

// Not written yet: the memo auto-save work brings the memo and settings writes.
// Until then closing saves nothing and reports success.
Result<void, StorageError> save_all(AppState&) {
    return {};
}

}  // namespace numvora
