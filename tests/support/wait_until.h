// Waiting for what another thread or process brings about. A busy machine outruns any
// fixed count of polls or fixed sleep, so a test waits for the state itself, bounded
// by a time that only a fault reaches.
#pragma once

#include <windows.h>

#include <functional>

namespace numvora::testing {

// Generous: with every core busy, Wine takes seconds over what a quiet machine does at once.
inline constexpr DWORD STATE_TIMEOUT_MS = 30000;

// Asks until the state is there or the time is up; true when it came. Asked once more
// after the deadline, so that a poll delayed past it still counts.
inline bool wait_until(const std::function<bool()>& state, DWORD timeout_ms = STATE_TIMEOUT_MS) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        const bool last = GetTickCount64() >= deadline;
        if (state()) return true;
        if (last) return false;
        Sleep(10);
    }
}

}  // namespace numvora::testing
