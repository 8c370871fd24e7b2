#include "platform/windows/state/window_mailbox.h"

#include <utility>

namespace numvora {

void WindowMailbox::deliver(std::function<void()> answer) {
    {
        const std::lock_guard lock(mutex_);
        if (closed_) return;
        delivered_.push_back(std::move(answer));
    }
    PostMessageW(window_, message_, 0, 0);
}

bool WindowMailbox::open() const {
    const std::lock_guard lock(mutex_);
    return !closed_;
}

void WindowMailbox::run_delivered() {
    std::vector<std::function<void()>> answers;
    {
        const std::lock_guard lock(mutex_);
        if (closed_) return;
        answers.swap(delivered_);
    }
    // Closed by one of them: the rest are dropped.
    for (std::function<void()>& answer : answers) {
        if (!open()) return;
        answer();
    }
}

void WindowMailbox::close() {
    std::vector<std::function<void()>> dropped;
    const std::lock_guard lock(mutex_);
    closed_ = true;
    dropped.swap(delivered_);
}

}  // namespace numvora
