// WM_COMMAND: from an id and a notification code to the handler, and command failures
// to a box. A command's handler is named in its row of the command list; the keypad's
// text keys share one, from the keypad's table; the history's double click is a command
// of ours too, and the memo's notifications go to its parts.
#include <cstdint>

#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/window/memo_control.h"
#include "platform/windows/window/window_handlers.h"
#include "ui/keypad_buttons.h"

namespace numvora {
namespace {

struct Route {
    std::int32_t id;
    CommandHandler handler;
};

#define NUMVORA_ROUTE(id, label, need, check, handler, ...) Route{ids::id, handler},
constexpr Route COMMAND_ROUTES[] = {NUMVORA_COMMANDS(NUMVORA_ROUTE)};
#undef NUMVORA_ROUTE

struct Notification {
    std::int32_t id;
    std::uint32_t code;
    CommandHandler handler;
};

constexpr Notification NOTIFICATIONS[] = {
    {ids::HISTORY_LIST, LBN_DBLCLK, reuse_history_result},
};

// A command's row takes every notification of its id: a button's click, a posted
// command (code 0) and an accelerator's (code 1) alike. Every other notification, the
// expression box's included, is nothing of ours.
struct Found {
    CommandHandler handler = nullptr;
    bool notification = false;
};

Found find_command_handler(std::int32_t id, std::uint32_t code) {
    for (const Route& route : COMMAND_ROUTES) {
        if (route.id == id) return {route.handler};
    }
    if (const KeypadButton* key = find_keypad_button(id); key != nullptr && key->insert_text) {
        return {insert_keypad_text};
    }
    for (const Notification& notification : NOTIFICATIONS) {
        if (notification.id == id && notification.code == code) return {notification.handler, true};
    }
    return {};
}

}  // namespace

std::optional<LRESULT> on_command(AppState& state, std::int32_t id, std::uint32_t code) {
    if (id == ids::MEMO_EDIT) return memo_notified(state, static_cast<WORD>(code));
    const auto [handler, notification] = find_command_handler(id, code);
    if (handler == nullptr) return std::nullopt;
    // A command sees the memo whole: what is still to go in goes in first.
    if (!notification) {
        finish_memo_load(state);
        finish_memo_rebuild(state);
    }
    const HWND window = state.main_window;
    if (auto status = handler(state, id); !status)
        show_error_box(window, "명령 처리 오류", display_text(status.error()));
    return 0;
}

}  // namespace numvora
