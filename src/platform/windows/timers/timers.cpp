#include "platform/windows/timers/timers.h"

#include <iterator>

namespace numvora {
namespace {

constexpr bool ids_are_unique() {
    for (std::size_t i = 0; i < std::size(TIMER_ROWS); ++i) {
        for (std::size_t j = i + 1; j < std::size(TIMER_ROWS); ++j) {
            if (TIMER_ROWS[i].id == TIMER_ROWS[j].id) return false;
        }
    }
    return true;
}
static_assert(ids_are_unique(), "two timers with one id");

}  // namespace

const TimerRow* find_timer(std::uintptr_t id) {
    for (const TimerRow& row : TIMER_ROWS) {
        if (row.id == id) return &row;
    }
    return nullptr;
}

bool start_timer(HWND window, std::uintptr_t id) {
    const TimerRow* row = find_timer(id);
    return row != nullptr && start_timer(window, id, row->period_ms);
}

bool start_timer(HWND window, std::uintptr_t id, std::uint32_t period_ms) {
    return SetTimer(window, id, period_ms, nullptr) != 0;
}

bool stop_timer(HWND window, std::uintptr_t id) { return KillTimer(window, id) != FALSE; }

}  // namespace numvora
