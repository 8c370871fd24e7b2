// Answers from another thread, run on a window's own: each is queued under a lock and
// the window is posted a message to take them, so that a worker never touches the
// window's state. Shared by the window and the questions it asked; once closed, later
// answers are dropped unrun.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <vector>

namespace numvora {

class WindowMailbox {
public:
    WindowMailbox(HWND window, UINT message) : window_(window), message_(message) {}

    // Any thread.
    void deliver(std::function<void()> answer);
    bool open() const;

    // The window's thread: on its message, and when it goes.
    void run_delivered();
    void close();

private:
    HWND window_;
    UINT message_;
    mutable std::mutex mutex_;
    std::vector<std::function<void()>> delivered_;
    bool closed_ = false;
};

}  // namespace numvora
