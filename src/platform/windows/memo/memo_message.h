// A message the memo control gets, as its parts see it (memo_control.cpp), and the two
// things a part may do with one: answer it before the control sees it, or act once the
// control has handled it.
#pragma once

#include <windows.h>

#include <optional>

namespace numvora {

struct AppState;

struct MemoMessage {
    HWND memo;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// An answer ends the message there: neither the control nor a later part sees it.
using BeforeMemo = std::optional<LRESULT> (*)(AppState& state, const MemoMessage& message);
using AfterMemo = void (*)(AppState& state, const MemoMessage& message);

}  // namespace numvora
