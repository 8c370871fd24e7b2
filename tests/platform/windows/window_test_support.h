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
#include "ui/command_line.h"
#include "ui/layout/pixel_rect.h"

namespace numvora::testing {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Closes the window and starts again on a fresh data folder (for table rows).
    void reset();

    // Writes a file below the data folder (LOCALAPPDATA\Numvora).
    void write_data_file(const std::string& name, std::string_view content) const;
    // Opens the window as the program does, with what a command line asked for; fails
    // the test when it cannot. The saved memo is whole in it and read as notes, unless
    // the test is about the memo going in after the first paint (memo_load.h).
    enum class Memo { Whole, AsItGoesIn };
    HWND open_window(const StartRequest& request = {}, Memo memo = Memo::Whole);
    AppState& state() const;
    // Runs the program's message loop until every posted message is handled.
    static void pump();

    std::filesystem::path local_app_data;
    HWND window = nullptr;
    SystemCalls calls;  // what the next window opened makes its system calls with

private:
    void close_window_and_folder();
};

std::wstring window_text(HWND window);
// Replaces a control's whole text as typing or pasting does (undoable, marked changed).
void type_into(HWND control, const std::wstring& text);
// The tooltip text of one of the window's labels; empty when it has none.
std::wstring label_tip(const AppState& state, HWND label);
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
    bool open_when_answered = false;  // still there after the answer's wait
};
// How to answer one box: the button, and what to do while it is open (the box is
// given, to work its controls).
struct BoxAnswer {
    int button = IDOK;
    std::function<void(HWND box)> while_open;
};
// Runs the action, which shows message boxes on this thread; another thread reads
// each box and answers it as told, in order. A box that has not come when the action
// returns (or within the state timeout, should the action hang) ends the answering:
// the result then has fewer boxes.
std::vector<ErrorBox> answer_boxes(const std::function<void()>& action, std::vector<BoxAnswer> answers);
// One box answered with its OK button; empty texts when none came.
ErrorBox answer_next_error_box(const std::function<void()>& action);

// The GDI objects this process holds, up to a constant. GetGuiResources answers 0 under
// Wine, so there it is counted from handle values instead.
long gdi_objects_in_use();
// The windows of this thread, children included: the USER objects the program makes.
long windows_in_use();
// The process's private bytes, or its working set where the system reports no private
// bytes (Wine).
std::size_t private_bytes();

// Standard error of this process, sent to a file for the object's life.
class CapturedErrors {
public:
    CapturedErrors();
    ~CapturedErrors();
    CapturedErrors(const CapturedErrors&) = delete;
    CapturedErrors& operator=(const CapturedErrors&) = delete;
    // The lines written so far, without their line feeds.
    std::vector<std::string> lines() const;

private:
    std::filesystem::path path_;
    HANDLE file_;
    HANDLE previous_;
};

}  // namespace numvora::testing
