// A large memo in the real main window, each step timed with the longest time the window
// did not answer (another thread sends it WM_NULL every 5 ms), beside the same step on a
// bare rich edit of the memo's style, size and font holding the same text where there
// is one:
// - the start (the window shown), the memo whole in its control (the bare control taking
//   the same pieces), and its notes read beside until the margin of line results shows
//   them;
// - the margin switched on (the bare control's text area narrowed by the same width);
// - a few characters typed in the middle, then F9 on a total line typed there (the bare
//   control taking the text F9 writes), and 선택 영역 합계 계산 over a day's block;
// - its whole replaced by a paste of the same size and deleted, each with its undo (a
//   fresh bare control taking the new text, or made empty);
// - with PARTS recalculate, 결과 모두 다시 계산 of the whole memo (a fresh bare control
//   taking the text it writes, as the memo does for a stretch that large);
// - with PARTS paste, the start with an empty memo, then FILE pasted into it (into an
//   empty bare control, also by EM_REPLACESEL and in pieces), and its undo.
//   numvora-large-memo-measure.exe FILE [MARGIN [PARTS]]
// MARGIN 1: the margin on. PARTS: all (the default), start (the start alone),
// recalculate or paste.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

#include "common/win32/wide_text.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/notes_reading.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/window/main_window.h"
#include "storage/settings.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"
#include "ui/commands.h"
#include "ui/control_table.h"
#include "ui/memo/memo_pieces.h"

namespace {

using numvora::AppState;
using numvora::bench::now_ms;
using numvora::bench::timed;

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Pumps until done says so; false after ten minutes.
bool wait_for(const std::function<bool()>& done) {
    const double until = now_ms() + 600'000;
    while (!done()) {
        if (now_ms() > until) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        pump();
    }
    return true;
}

// A large change goes into a fresh control a piece per message: until it is in.
void wait_for_change(const AppState& state) {
    wait_for([&] { return !state.memo_rebuild->filling; });
}

// The longest time the window took to answer WM_NULL while the probe ran. Given a class,
// it finds the window as soon as it is made, so that its start counts too.
class Probe {
public:
    explicit Probe(HWND window) : Probe([window] { return window; }) {}
    explicit Probe(const wchar_t* window_class)
        : Probe([window_class] { return FindWindowW(window_class, nullptr); }) {}
    // The first answer's wait: from the window's making until it first answered.
    double first() const { return first_; }
    // The longest wait after the first answer: the window's own making left out.
    double later() const { return later_; }
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
    explicit Probe(const std::function<HWND()>& find)
        : thread_([this, find] {
              HWND window = nullptr;
              while (!done_ && (window = find()) == nullptr) Sleep(1);
              while (!done_) {
                  const double start = now_ms();
                  DWORD_PTR answer = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer);
                  const double took = now_ms() - start;
                  if (first_ < 0) {
                      first_ = took;
                  } else {
                      raise_to(later_, took);
                  }
                  raise_to(longest_, took);
                  Sleep(5);
              }
              ended_ = true;
          }) {}

    static void raise_to(std::atomic<double>& most, double took) {
        double seen = most;
        while (took > seen && !most.compare_exchange_weak(seen, took)) {}
    }

    std::atomic<bool> done_{false};
    std::atomic<bool> ended_{false};
    std::atomic<double> first_{-1};
    std::atomic<double> longest_{0};
    std::atomic<double> later_{0};
    std::thread thread_;
};

void line(const char* what, double ms, double longest) {
    // A Hangul syllable is three bytes and two columns wide.
    int width = 0;
    for (const char* at = what; *at != '\0'; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        if ((byte & 0xC0) != 0x80) width += byte >= 0xE0 ? 2 : 1;
    }
    std::printf("%s%*s %9.0f ms   longest without an answer %7.0f ms\n", what, std::max(0, 56 - width), "", ms,
                longest);
    std::fflush(stdout);
}

void said(const char* what, const std::string& text) {
    std::printf("    %s: %s\n", what, text.c_str());
    std::fflush(stdout);
}

// A step and the paints it leaves, with the longest time the window did not answer.
void act(const char* what, HWND window, const std::function<void()>& step) {
    Probe probe(window);
    const double took = timed([&] {
        step();
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    line(what, took, probe.stop());
}

// Everything pending done and painted, so that a step that follows pays only for itself.
void settle(HWND window) {
    pump();
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Keys as the message loop hands them over: Enter as its key and its character, since
// Wine's rich edit breaks the line at the key and passes over the character.
void type(HWND memo, std::wstring_view text) {
    for (const wchar_t unit : text) {
        if (unit == L'\r') SendMessageW(memo, WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(memo, WM_CHAR, unit, 1);
    }
}

// A step that may keep the window from answering for many minutes, the run's last: past
// the limit the process ends, saying so.
void act_at_most(const char* what, double limit_ms, HWND window, const std::function<void()>& step) {
    std::atomic<bool> finished{false};
    std::thread watch([&] {
        const double until = now_ms() + limit_ms;
        while (!finished && now_ms() < until) Sleep(50);
        if (finished) return;
        std::printf("%-56s over %.0f s without an answer; stopped there\n", what, limit_ms / 1000);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 0);
    });
    act(what, window, step);
    finished = true;
    watch.join();
}

// The floor: a rich edit of the memo's style, font and size, with nothing of the program.
class BareMemo {
public:
    explicit BareMemo(const AppState& state) {
        RECT box{};
        GetClientRect(state.memo_edit(), &box);
        const std::size_t row = numvora::control_row_index(numvora::ControlSlot::MemoEdit);
        control_ = CreateWindowExW(0, MSFTEDIT_CLASS, L"", numvora::CONTROL_ROWS[row].style, 0, 0, box.right,
                                   box.bottom, state.main_window, nullptr, nullptr, nullptr);
        SendMessageW(control_, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
        SendMessageW(control_, EM_EXLIMITTEXT, 0, numvora::MEMO_TEXT_LIMIT);
        SendMessageW(control_, WM_SETFONT, SendMessageW(state.memo_edit(), WM_GETFONT, 0, 0), FALSE);
        UpdateWindow(control_);
    }
    ~BareMemo() { DestroyWindow(control_); }
    BareMemo(const BareMemo&) = delete;
    BareMemo& operator=(const BareMemo&) = delete;

    HWND control() const { return control_; }
    // The memo's way with a large text: pieces of whole lines, the window answering between.
    void take_in_pieces(const std::wstring& text) const {
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = numvora::piece_end(text, at);
            numvora::append_to_memo(control_, text.substr(at, end - at));
            at = end;
            pump();
        }
    }
    // Out of the way of the window's own steps.
    void show(bool shown) const {
        ShowWindow(control_, shown ? SW_SHOWNA : SW_HIDE);
        settle(GetParent(control_));
    }

private:
    HWND control_ = nullptr;
};

// The start: the window shown, the memo whole, its notes read (and shown, with the margin).
// The wait for the window's first answer goes with the start; the steps after it, the
// longest wait since.
void measure_start(AppState& state, Probe& probe, double shown) {
    const double whole = timed([&] { wait_for([&] { return !numvora::memo_loading(state); }); });
    line("start: the window shown and painted", shown, probe.first());
    line("  then the memo whole in its control", whole, probe.later());
    const bool margin = state.margin->on;
    bool read = false;
    const double reading = timed(
        [&] { read = wait_for([&] { return state.notes->in_step() && (!margin || !state.margin->rows.empty()); }); });
    probe.stop();
    line(margin ? "  then its notes read and the margin showing them" : "  then its notes read beside", reading,
         probe.later());
    if (!read) said("NOT DONE", "the notes were not read in ten minutes");
}

// The margin switched on in a memo read with it off, until it shows results; the floor
// narrows the bare control's text area by the strip's width.
void measure_margin_switch(AppState& state, const BareMemo& bare) {
    const HWND window = state.main_window;
    act("the margin of line results switched on", window, [&] {
        SendMessageW(window, WM_COMMAND, numvora::ids::MEMO_RESULTS_MARGIN, 0);
        wait_for([&] { return !state.margin->rows.empty(); });
    });
    bare.show(true);
    act("  floor: the bare control's text area narrowed as much", bare.control(), [&] {
        RECT area{};
        SendMessageW(bare.control(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        area.right -= state.margin->width;
        SendMessageW(bare.control(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
    });
    SendMessageW(bare.control(), EM_SETRECT, 0, 0);
    bare.show(false);
    SendMessageW(window, WM_COMMAND, numvora::ids::MEMO_RESULTS_MARGIN, 0);
    settle(window);
}

// A day's block in the middle of the memo: "합계" typed on a new line under it, then F9
// there, and the block selected and totalled. The bare control takes the same keys and
// the text F9 wrote.
void measure_calculations(AppState& state, const BareMemo& bare, const std::wstring& text) {
    const HWND window = state.main_window;
    const HWND memo = state.memo_edit();
    const std::size_t block_end = text.find(L"\r\r", text.size() / 2);
    const std::size_t block_start = text.rfind(L"\r\r", block_end - 1) + 2;
    const auto end = static_cast<std::int32_t>(block_end);
    constexpr std::wstring_view TOTAL_LINE = L"\r합계";
    const auto caret = end + static_cast<std::int32_t>(TOTAL_LINE.size());
    numvora::select_in_memo(memo, {end, end});
    type(memo, TOTAL_LINE);
    settle(window);
    const std::size_t lines_before = state.notes->lines_read_here();
    const std::int32_t length = numvora::memo_length(memo);
    act("F9 on a total line typed in the middle", window,
        [&] { SendMessageW(window, WM_COMMAND, numvora::ids::MEMO_EVALUATE, 0); });
    const std::wstring written = numvora::memo_text_range(memo, {caret, caret + numvora::memo_length(memo) - length});
    said("the line now", numvora::to_utf8(numvora::memo_text_range(memo, numvora::memo_paragraph_at(memo, caret))));
    said("the status line", state.status.text());
    said("lines the window's thread read", std::to_string(state.notes->lines_read_here() - lines_before) +
                                               " (the memo has " + std::to_string(state.notes->book().size()) + ")");
    bare.show(true);
    numvora::select_in_memo(bare.control(), {end, end});
    type(bare.control(), TOTAL_LINE);
    settle(window);
    act("  floor: the bare control taking the text F9 wrote", bare.control(),
        [&] { SendMessageW(bare.control(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(written.c_str())); });
    bare.show(false);
    numvora::select_in_memo(memo, {static_cast<std::int32_t>(block_start), end});
    // The selection's own check (a timer) done first, as a person's selection would be.
    const double checked = now_ms() + 400;
    wait_for([&] { return now_ms() > checked; });
    std::string outcome;
    act("선택 영역 합계 계산 over a day's block there", window, [&] {
        SendMessageW(window, WM_COMMAND, numvora::ids::MEMO_TOTAL, 0);
        outcome = state.status.text();
    });
    said("the status line", outcome);
}

// The whole replaced by a paste and deleted, each undone.
void measure_whole_changes(AppState& state, const std::string& memo_text) {
    const HWND window = state.main_window;
    const std::int32_t length = numvora::memo_length(state.memo_edit());
    // The same text again, every figure changed, as the clipboard's.
    std::string other = memo_text;
    std::replace(other.begin(), other.end(), '1', '2');
    (void)numvora::copy_to_clipboard(window, other);
    const std::wstring clipboard = numvora::to_wide(other);
    const auto whole_again = [&] {
        std::printf("  the memo %s after the undo\n",
                    numvora::memo_length(state.memo_edit()) == length ? "is whole again" : "is NOT what it was");
    };
    act("Ctrl+A then Ctrl+V of the same size", window, [&] {
        SendMessageW(state.memo_edit(), EM_SETSEL, 0, -1);
        SendMessageW(state.memo_edit(), WM_PASTE, 0, 0);
        wait_for_change(state);
    });
    {
        const BareMemo fresh(state);
        act("  floor: a fresh bare control taking it in pieces", fresh.control(),
            [&] { fresh.take_in_pieces(clipboard); });
    }
    settle(window);
    act("  its undo", window, [&] { SendMessageW(state.memo_edit(), EM_UNDO, 0, 0); });
    whole_again();
    act("Ctrl+A then Delete", window, [&] {
        SendMessageW(state.memo_edit(), EM_SETSEL, 0, -1);
        SendMessageW(state.memo_edit(), WM_KEYDOWN, VK_DELETE, 1);
    });
    act("  floor: a fresh bare control made, empty", window, [&] { const BareMemo fresh(state); });
    settle(window);
    act("  its undo", window, [&] { SendMessageW(state.memo_edit(), EM_UNDO, 0, 0); });
    whole_again();
}

// The text pasted into the empty memo the window started with, then its undo, which the
// control makes itself, line by line: the run ends with it.
constexpr double UNDO_LIMIT_MS = 120'000;
void measure_paste_into_empty(AppState& state, const std::string& memo_text) {
    const HWND window = state.main_window;
    (void)numvora::copy_to_clipboard(window, memo_text);
    const std::wstring clipboard = numvora::to_wide(memo_text);
    const auto pasted_length = static_cast<std::int32_t>(numvora::in_control_form(clipboard).size());
    settle(window);
    act("Ctrl+V of it into the empty memo", window, [&] {
        SendMessageW(state.memo_edit(), WM_PASTE, 0, 0);
        wait_for_change(state);
    });
    std::printf("  the memo %s\n", numvora::memo_length(state.memo_edit()) == pasted_length
                                       ? "holds the text pasted"
                                       : "does NOT hold the text pasted");
    {
        const BareMemo empty(state);
        act("  floor: the same paste into an empty bare control", empty.control(),
            [&] { SendMessageW(empty.control(), WM_PASTE, 0, 0); });
    }
    {
        const BareMemo empty(state);
        act("  the bare control taking it by EM_REPLACESEL", empty.control(),
            [&] { SendMessageW(empty.control(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(clipboard.c_str())); });
    }
    {
        const BareMemo empty(state);
        act("  the bare control taking it in pieces", empty.control(), [&] { empty.take_in_pieces(clipboard); });
    }
    settle(window);
    act_at_most("  its undo", UNDO_LIMIT_MS, window, [&] { SendMessageW(state.memo_edit(), EM_UNDO, 0, 0); });
    std::printf("  the memo %s after the undo\n",
                numvora::memo_length(state.memo_edit()) == 0 ? "is empty again" : "is NOT empty");
}

// 결과 모두 다시 계산 over the whole memo; the floor is what the memo does for a stretch
// that large, a fresh control taking the text written.
void measure_recalculation(AppState& state) {
    const HWND window = state.main_window;
    numvora::select_in_memo(state.memo_edit(), {0, 0});
    settle(window);
    act("결과 모두 다시 계산", window, [&] {
        SendMessageW(window, WM_COMMAND, numvora::ids::MEMO_RECALCULATE, 0);
        wait_for_change(state);
    });
    said("the status line", state.status.text());
    const std::wstring written =
        numvora::memo_text_range(state.memo_edit(), {0, numvora::memo_length(state.memo_edit())});
    const BareMemo fresh(state);
    act("  floor: a fresh bare control taking the text it wrote in pieces", fresh.control(),
        [&] { fresh.take_in_pieces(written); });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: numvora-large-memo-measure.exe FILE [MARGIN [all|start|recalculate|paste]]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string memo{std::istreambuf_iterator<char>(in), {}};
    const bool margin = argc > 2 && _wtoi(argv[2]) != 0;
    const std::wstring parts = argc > 3 ? argv[3] : L"all";
    // To paste, the window starts with an empty memo.
    const bool paste = parts == L"paste";
    std::printf("memo of %zu bytes%s, the margin of line results %s\n", memo.size(), paste ? " to paste" : "",
                margin ? "on" : "off");

    double opening = 0;
    const auto data_with = [&](const std::filesystem::path& data) {
        std::filesystem::create_directories(data);
        std::ofstream(data / "memo.txt", std::ios::binary) << (paste ? std::string() : memo);
        numvora::Preferences preferences;
        preferences.results_margin = margin;
        std::ofstream(data / "preferences.txt", std::ios::binary) << numvora::format_preferences(preferences);
        opening = now_ms();
    };
    Probe start_probe(numvora::MAIN_WINDOW_CLASS);
    numvora::bench::MeasuredWindow measured(L"numvora-large-memo-measure", {}, data_with);
    const double shown = now_ms() - opening;
    if (measured.state() == nullptr) return 1;
    AppState& state = *measured.state();
    if (paste || memo.empty()) {
        start_probe.stop();
        line("start with an empty memo: the window shown and painted", shown, start_probe.first());
        if (!memo.empty()) measure_paste_into_empty(state, memo);
        return 0;
    }
    measure_start(state, start_probe, shown);
    const std::wstring text = numvora::in_control_form(numvora::to_wide(memo));
    const BareMemo bare(state);
    {
        Probe probe(bare.control());
        const double filled = timed([&] {
            bare.take_in_pieces(numvora::to_wide(memo));
            UpdateWindow(bare.control());
        });
        line("  floor: a bare rich edit taking it in the same pieces", filled, probe.stop());
    }
    bare.show(false);
    if (parts == L"recalculate") measure_recalculation(state);
    if (parts == L"f9") measure_calculations(state, bare, text);
    if (parts != L"all") return 0;
    if (!margin) measure_margin_switch(state, bare);
    measure_calculations(state, bare, text);
    measure_whole_changes(state, memo);
    return 0;
}
