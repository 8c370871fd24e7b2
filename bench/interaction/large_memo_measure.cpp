// A large memo in the real main window: the start with it saved (the window shown, against
// the same start with an empty memo (an empty FILE), then the memo whole in its control, against a bare
// rich edit of the memo's size and font taking the same text in the same pieces), and
// its whole replaced by a paste of the same size and deleted (Ctrl+A then Ctrl+V, Ctrl+A
// then Delete), each with its undo. Another thread sends WM_NULL every 5 ms and keeps
// the longest time the window did not answer.
//   numvora-large-memo-measure.exe FILE [MARGIN]    (MARGIN 1: the margin of line results on)
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "common/win32/wide_text.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/control_text.h"
#include "storage/settings.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"
#include "ui/control_table.h"
#include "ui/memo/memo_pieces.h"

namespace {

using numvora::bench::now_ms;
using numvora::bench::timed;

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The longest time the window took to answer WM_NULL while the probe ran.
class Probe {
public:
    explicit Probe(HWND window)
        : thread_([this, window] {
              while (!done_) {
                  const double start = now_ms();
                  DWORD_PTR answer = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer);
                  longest_ = std::max(longest_.load(), now_ms() - start);
                  Sleep(5);
              }
              ended_ = true;
          }) {}
    double stop() {
        done_ = true;
        while (!ended_) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pump();
        }
        thread_.join();
        return longest_;
    }

private:
    std::atomic<bool> done_{false};
    std::atomic<bool> ended_{false};
    std::atomic<double> longest_{0};
    std::thread thread_;
};

void line(const char* what, double ms, double longest) {
    std::printf("%-52s %9.0f ms   longest without an answer %9.0f ms\n", what, ms, longest);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: numvora-large-memo-measure.exe FILE [MARGIN]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string memo{std::istreambuf_iterator<char>(in), {}};
    const bool margin = argc > 2 && _wtoi(argv[2]) != 0;
    std::printf("memo of %zu bytes, the margin of line results %s\n", memo.size(), margin ? "on" : "off");

    double opening = 0;
    const auto data_with = [&](const std::string& text) {
        return [&, text](const std::filesystem::path& data) {
            std::filesystem::create_directories(data);
            std::ofstream(data / "memo.txt", std::ios::binary) << text;
            numvora::Preferences preferences;
            preferences.results_margin = margin;
            std::ofstream(data / "preferences.txt", std::ios::binary) << numvora::format_preferences(preferences);
            opening = now_ms();
        };
    };
    numvora::bench::MeasuredWindow measured(L"numvora-large-memo-measure", {}, data_with(memo));
    if (measured.state() == nullptr) return 1;
    numvora::AppState& state = *measured.state();
    const HWND window = state.main_window;
    const double shown = now_ms() - opening;
    if (memo.empty()) {
        line("start: the window shown and painted", shown, 0);
        return 0;
    }
    Probe start_probe(window);
    const double whole = timed([&] {
        while (numvora::memo_loading(state)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pump();
        }
        UpdateWindow(window);
    });
    line("start: the window shown and painted", shown, 0);
    line("  then the memo whole in its control", whole, start_probe.stop());
    {
        // The floor: a bare rich edit of the memo's size and font, the same pieces.
        RECT box{};
        GetClientRect(state.memo_edit(), &box);
        const std::size_t row = numvora::control_row_index(numvora::ControlSlot::MemoEdit);
        const HWND bare = CreateWindowExW(0, MSFTEDIT_CLASS, L"", numvora::CONTROL_ROWS[row].style, 0, 0, box.right,
                                          box.bottom, window, nullptr, nullptr, nullptr);
        SendMessageW(bare, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
        SendMessageW(bare, EM_EXLIMITTEXT, 0, numvora::MEMO_TEXT_LIMIT);
        SendMessageW(bare, WM_SETFONT, SendMessageW(state.memo_edit(), WM_GETFONT, 0, 0), FALSE);
        UpdateWindow(bare);
        const std::wstring text = numvora::to_wide(memo);
        Probe probe(bare);
        const double filled = timed([&] {
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t end = numvora::piece_end(text, at);
                numvora::append_to_memo(bare, text.substr(at, end - at));
                at = end;
                pump();
            }
            UpdateWindow(bare);
        });
        line("  floor: a bare rich edit taking it in the same pieces", filled, probe.stop());
        DestroyWindow(bare);
    }
    const std::int32_t length = numvora::memo_length(state.memo_edit());

    // The same text again, every figure changed, as the clipboard's.
    std::string other = memo;
    std::replace(other.begin(), other.end(), '1', '2');
    (void)numvora::copy_to_clipboard(window, other);
    const auto act = [&](const char* what, auto step) {
        Probe probe(window);
        const double took = timed([&] {
            step();
            UpdateWindow(window);
        });
        line(what, took, probe.stop());
    };
    act("Ctrl+A then Ctrl+V of the same size", [&] {
        SendMessageW(state.memo_edit(), EM_SETSEL, 0, -1);
        SendMessageW(state.memo_edit(), WM_PASTE, 0, 0);
    });
    act("  its undo", [&] { SendMessageW(state.memo_edit(), EM_UNDO, 0, 0); });
    std::printf("  the memo %s after the undo\n",
                numvora::memo_length(state.memo_edit()) == length ? "is whole again" : "is NOT what it was");
    act("Ctrl+A then Delete", [&] {
        SendMessageW(state.memo_edit(), EM_SETSEL, 0, -1);
        SendMessageW(state.memo_edit(), WM_KEYDOWN, VK_DELETE, 1);
    });
    act("  its undo", [&] { SendMessageW(state.memo_edit(), EM_UNDO, 0, 0); });
    std::printf("  the memo %s after the undo\n",
                numvora::memo_length(state.memo_edit()) == length ? "is whole again" : "is NOT what it was");
    return 0;
}
