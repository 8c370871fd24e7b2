#include "platform/windows/app/message_loop.h"

#include <windows.h>

#include "platform/windows/base/error_report.h"
#include "ui/shortcuts.h"

namespace numvora {
namespace {

constexpr LPARAM KEY_WAS_DOWN = 1 << 30;  // auto-repeat

bool is_pressed(int virtual_key) { return GetKeyState(virtual_key) < 0; }

bool is_key_for_shortcuts(const MSG& msg) {
    return msg.message == WM_KEYDOWN || (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F10);
}

// True when the key message was consumed by a shortcut.
bool handle_shortcut(const MSG& msg) {
    const auto virtual_key = static_cast<std::uint32_t>(LOWORD(msg.wParam));
    const std::optional<ShortcutAction> action =
        find_shortcut(virtual_key, is_pressed(VK_CONTROL), is_pressed(VK_SHIFT), GetDlgCtrlID(msg.hwnd));
    if (!action || action->kind == ShortcutAction::Kind::PassThrough) return false;
    // Holding a shortcut key acts once.
    if ((msg.lParam & KEY_WAS_DOWN) != 0) return true;
    if (action->kind == ShortcutAction::Kind::Press) {
        SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    if (PostMessageW(GetAncestor(msg.hwnd, GA_ROOT), WM_COMMAND, static_cast<WPARAM>(action->command_id), 0)) {
        return true;
    }
    log_error_line("키보드 명령 전달 실패: {}", display_text(last_system_error("PostMessageW")));
    return false;
}

}  // namespace

SystemStatus run_message_loop() {
    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return {};
        if (got == -1) return fail(last_system_error("GetMessageW"));
        if (is_key_for_shortcuts(msg) && handle_shortcut(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace numvora
