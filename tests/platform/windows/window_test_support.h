// Opens the real main window through the program's own start-up code, with
// LOCALAPPDATA pointed at a fresh folder, and records what reaches chosen windows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/state/app_state.h"
#include "ui/pixel_rect.h"

namespace numvora::testing {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Closes the window and starts again on a fresh data folder (for table rows).
    void reset();

    // Writes a file below the data folder (LOCALAPPDATA\Numvora).
    void write_data_file(const std::string& name, std::string_view content) const;
    // Opens the window as the program does; fails the test when it cannot.
    HWND open_window();
    AppState& state() const;
    // Runs the program's message loop until every posted message is handled.
    static void pump();

    std::filesystem::path local_app_data;
    HWND window = nullptr;

private:
    void close_window_and_folder();
};

std::wstring window_text(HWND window);
// A child's rectangle in its parent's client coordinates.
PixelBox child_box(HWND child);
// Resizes a top-level window so that its client area has the given size.
void set_client_size(HWND window, int width, int height);

// Records the messages that reach the windows it watches (by subclassing them).
struct Delivered {
    HWND window;
    UINT message;
    WPARAM wparam;
};
void watch(HWND window);
std::vector<Delivered>& delivered();

// A modal box's caption and text.
struct ErrorBox {
    std::wstring caption;
    std::wstring text;
};
// Runs the action, which must show a message box on this thread; another thread reads
// the box and presses its button. Empty texts when no box came within ten seconds.
ErrorBox answer_next_error_box(const std::function<void()>& action);

}  // namespace numvora::testing
