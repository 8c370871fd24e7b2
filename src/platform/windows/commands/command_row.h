// A command row: a WM_COMMAND's id, with the notification code that counts where a
// control sends several, and its handler. Each commands file keeps the rows of its own
// handlers; the window's dispatch walks them all.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/windows/base/system_error.h"

namespace numvora {

struct AppState;

using CommandHandler = SystemStatus (*)(AppState& state, std::int32_t id);
struct CommandRow {
    std::int32_t id = 0;
    std::optional<std::uint32_t> code;  // none: any
    CommandHandler handler = nullptr;
};

// Without a code a row takes every notification: a button's click, a shortcut's
// posted command (code 0) and an accelerator's (code 1) alike.
inline constexpr std::optional<std::uint32_t> ANY_CODE;

}  // namespace numvora
