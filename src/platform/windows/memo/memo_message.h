// A message the memo control gets, as its parts see it (window/memo_control.cpp), and
// the two things a part may do with one: answer it before the control sees it, or act
// once the control has handled it; a notification the control sent its parent, handed
// back to the parts; and a menu a part opens on a right click.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

namespace numvora {

struct AppState;

struct MemoMessage {
    HWND memo;
    UINT id;  // WM_…
    WPARAM wparam;
    LPARAM lparam;
};

// An answer ends the message there: neither the control nor a later part sees it.
using BeforeMemo = std::optional<LRESULT> (*)(AppState& state, const MemoMessage& message);
using AfterMemo = void (*)(AppState& state, const MemoMessage& message);
// EN_CHANGE: what the part does when the control sends its parent one.
using NotifiedMemo = void (*)(AppState& state);
// A right click at a point of the screen, or none from the keyboard: the part's menu of
// these rows of the command list opened there and true, or false to leave it to the
// parts after it.
using MemoMenu = bool (*)(AppState& state, std::span<const std::int32_t> rows, std::optional<POINT> screen);

}  // namespace numvora
