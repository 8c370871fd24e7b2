// The find bar in the real main window: "find next" through a 10 MiB memo for a word
// only its last line holds, and "replace all" of that one word (the whole memo read and
// matched, one small edit), each beside a plain std::wstring_view::find of the same text
// in memory (the floor); the matching rule with the text folded at each search (as it
// was) against the fold kept with the bar's copy; a keystroke with and without that copy
// to keep in step; then the matching rule alone over the same text with a match on
// every line, and "replace all" in the window of MATCHES matches, one a line.
// With "ways" after MATCHES: only the match near the memo's end shown from its start each
// way the control offers, in the window's memo and in a bare rich edit of its style.
//   numvora-find-measure.exe [MEMO_BYTES] [RUNS] [MATCHES] [ways]
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/base/case_fold.h"
#include "platform/windows/commands/find_bar.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"
#include "ui/control_table.h"
#include "ui/memo/text_search.h"

namespace {

using numvora::AppState;
using numvora::ControlSlot;
using numvora::bench::report;
using numvora::bench::timed;

std::wstring lines_of(std::size_t bytes, const std::string& line) {
    std::string memo;
    while (memo.size() < bytes) memo += line;
    return numvora::to_wide(memo);
}

// The bar's boxes filled, then its command, as Enter or a click gives it.
void ask(AppState& state, int command, const wchar_t* find, const wchar_t* replacement = L"") {
    SetWindowTextW(state.control(ControlSlot::FindBox), find);
    SetWindowTextW(state.control(ControlSlot::ReplaceBox), replacement);
    SendMessageW(state.main_window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

// Every occurrence, as replace-all must find them: the floor for the matching rule.
std::size_t count_plain(std::wstring_view text, std::wstring_view word) {
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::wstring_view::npos; at = text.find(word, at + word.size()))
        ++count;
    return count;
}

void paint(HWND control) { RedrawWindow(control, nullptr, nullptr, RDW_UPDATENOW); }

// The memo's start in view, caret there, painted: where each way starts from.
void back_to_start(HWND control) {
    numvora::select_in_memo(control, {0, 0});
    SendMessageW(control, EM_SCROLLCARET, 0, 0);
    paint(control);
}

// The first visible line moved to the match's line, as the scroll bar would.
void scroll_to_line_of(HWND control, std::int32_t at) {
    const auto line = SendMessageW(control, EM_EXLINEFROMCHAR, 0, at);
    const auto first = SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(control, EM_LINESCROLL, 0, line - first);
}

// A step timed from the start, after what comes before it, with where it left the control.
template <class Before, class Step>
void way(HWND control, const char* name, int runs, Before before, Step step) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        back_to_start(control);
        before();
        ms.push_back(timed(step));
    }
    report(name, ms);
    const numvora::MemoSelection now = numvora::memo_selection(control);
    std::printf("    left %d-%d selected, line %d at the top, the scroll bar at %d\n", now.start, now.end,
                static_cast<int>(SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0)), GetScrollPos(control, SB_VERT));
}

// Each way of showing the match, in the window's memo and in a rich edit of the memo's
// style, font and size with nothing of the program, from the start in view.
void measure_ways(AppState& state, const std::wstring& text, numvora::MemoSelection match, int runs) {
    // The notes read beside first, so that their thread takes no core from what is timed.
    const double read = timed([&] {
        while (!state.notes->in_step()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
    });
    std::printf("notes read in %.0f ms more\n", read);
    HWND control = state.memo_edit();
    const auto nothing = [] {};
    const auto select = [&] { numvora::select_in_memo(control, match); };
    const auto scroll = [&] { SendMessageW(control, EM_SCROLLCARET, 0, 0); };
    const auto both = [&] {
        select();
        scroll();
    };
    const auto shown = [&] {
        numvora::show_in_memo(control, match);
        paint(control);
    };
    way(control, "window: EM_EXSETSEL alone", runs, nothing, select);
    way(control, "window: EM_SCROLLCARET after it", runs, select, scroll);
    way(control, "window: the paint after both", runs, both, [&] { paint(control); });
    way(control, "window: drawing off around both, one paint", runs, nothing, shown);
    way(control, "window: settle_memo_selection", runs, both, [&] { numvora::settle_memo_selection(state); });
    way(control, "window: the bar's message", runs, nothing,
        [&] { (void)numvora::set_control_text(state.control(ControlSlot::FindMessage), "1/1"); });
    way(control, "window: find next, then its paint", runs, nothing, [&] {
        ask(state, numvora::ids::FIND_NEXT, L"찾을말");
        paint(control);
    });

    RECT box{};
    GetClientRect(state.memo_edit(), &box);
    const std::size_t row = numvora::control_row_index(ControlSlot::MemoEdit);
    control = CreateWindowExW(0, MSFTEDIT_CLASS, L"", numvora::CONTROL_ROWS[row].style, 0, 0, box.right, box.bottom,
                              state.main_window, nullptr, nullptr, nullptr);
    SendMessageW(control, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
    SendMessageW(control, EM_EXLIMITTEXT, 0, numvora::MEMO_TEXT_LIMIT);
    SendMessageW(control, WM_SETFONT, SendMessageW(state.memo_edit(), WM_GETFONT, 0, 0), FALSE);
    ShowWindow(state.memo_edit(), SW_HIDE);
    ShowWindow(control, SW_SHOWNA);
    std::printf("the bare control took the memo in %.0f ms\n", timed([&] { SetWindowTextW(control, text.c_str()); }));
    way(control, "EM_EXSETSEL alone", runs, nothing, select);
    way(control, "EM_SCROLLCARET after it", runs, select, scroll);
    way(control, "the paint after both", runs, both, [&] { paint(control); });
    way(control, "EM_EXSETSEL, EM_SCROLLCARET, paint", runs, nothing, [&] {
        both();
        paint(control);
    });
    way(control, "EM_SETSEL, EM_SCROLLCARET, paint", runs, nothing, [&] {
        SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(match.start), match.end);
        scroll();
        paint(control);
    });
    way(control, "drawing off around both, one paint", runs, nothing, shown);
    way(control, "EM_HIDESELECTION around both, paint", runs, nothing, [&] {
        SendMessageW(control, EM_HIDESELECTION, TRUE, 0);
        both();
        SendMessageW(control, EM_HIDESELECTION, FALSE, 0);
        paint(control);
    });
    way(control, "the caret to the match's end, then both, paint", runs, nothing, [&] {
        numvora::select_in_memo(control, {match.end, match.end});
        both();
        paint(control);
    });
    way(control, "EM_EXLINEFROMCHAR alone", runs, nothing,
        [&] { (void)SendMessageW(control, EM_EXLINEFROMCHAR, 0, match.start); });
    way(control, "EM_LINESCROLL to its line, select, paint", runs, nothing, [&] {
        scroll_to_line_of(control, match.start);
        select();
        paint(control);
    });
    way(control, "EM_POSFROMCHAR, EM_SETSCROLLPOS, select, paint", runs, nothing, [&] {
        POINTL at{};
        SendMessageW(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), match.start);
        POINT scrolled{};
        SendMessageW(control, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
        scrolled.y += at.y;
        SendMessageW(control, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
        select();
        paint(control);
    });
    way(
        control, "the match on screen already: both, paint", runs,
        [&] {
            scroll_to_line_of(control, match.start);
            paint(control);
        },
        [&] {
            both();
            paint(control);
        });
    DestroyWindow(control);
    ShowWindow(state.memo_edit(), SW_SHOWNA);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t memo_bytes = argc > 1 ? static_cast<std::size_t>(_wtoi(argv[1])) : (10u << 20);
    const int runs = argc > 2 ? _wtoi(argv[2]) : 10;
    numvora::bench::MeasuredWindow measured(L"numvora-find-measure");
    if (measured.state() == nullptr) return 1;
    AppState& state = *measured.state();
    const HWND memo = state.memo_edit();
    SendMessageW(state.main_window, WM_COMMAND, numvora::ids::REPLACE, 0);

    const std::string line = "회의 메모 합계 1,234.50원 (12+34)*5 다음 주 확인할 것\r\n";
    std::wstring text = lines_of(memo_bytes, line);
    text += L"마지막 줄의 찾을말\r\n";
    const double set_ms = timed([&] { SetWindowTextW(memo, text.c_str()); });
    std::printf("memo of %zu characters; the control took it in %.0f ms\n", text.size(), set_ms);
    std::vector<double> find;
    std::vector<double> replace;
    std::vector<double> floor;
    std::vector<double> shown;
    std::vector<double> copy;
    std::vector<double> first;
    std::vector<double> folded_each_time;
    std::vector<double> fold_kept;
    const numvora::SearchRule folding{false, numvora::invariant_case_fold};
    for (int i = 0; i < runs; ++i) {
        numvora::select_in_memo(memo, {0, 0});
        state.find->memo.reset();  // as an edit the caret's window cannot show does
        first.push_back(timed([&] { ask(state, numvora::ids::FIND_NEXT, L"찾을말"); }));
        numvora::select_in_memo(memo, {0, 0});
        find.push_back(timed([&] { ask(state, numvora::ids::FIND_NEXT, L"찾을말"); }));
        // What the control alone takes to show the match from the memo's start.
        const numvora::MemoSelection found = numvora::memo_selection(memo);
        numvora::select_in_memo(memo, {0, 0});
        SendMessageW(memo, EM_SCROLLCARET, 0, 0);
        shown.push_back(timed([&] {
            numvora::select_in_memo(memo, found);
            SendMessageW(memo, EM_SCROLLCARET, 0, 0);
        }));
        volatile std::size_t at = 0;
        floor.push_back(timed([&] { at = std::wstring_view(text).find(L"찾을말"); }));
        copy.push_back(timed([&] { at = numvora::memo_text_range(memo, {0, numvora::memo_length(memo)}).size(); }));
        folded_each_time.push_back(
            timed([&] { at = numvora::find_match(text, L"찾을말", 0, 0, true, folding)->start; }));
        fold_kept.push_back(timed([&] {
            at = numvora::find_match(numvora::TextMatcher(*state.find->memo, L"찾을말", folding), 0, 0, true)->start;
        }));
    }
    std::printf("found at %d\n", numvora::memo_selection(memo).start);
    if (argc > 4 && std::wstring_view(argv[4]) == L"ways") {
        measure_ways(state, text, numvora::memo_selection(memo), runs);
        return 0;
    }
    // Keystrokes at the match (near the memo's end) with the bar's copy noting them, the
    // next find next bringing it in step, and the same keystrokes without a copy.
    std::vector<double> typed_following;
    std::vector<double> typed_alone;
    std::vector<double> find_after_typing;
    const std::size_t whole_reads = state.find->whole_reads;
    for (int i = 0; i < runs; ++i) {
        numvora::select_in_memo(memo, {numvora::memo_length(memo) - 20, numvora::memo_length(memo) - 20});
        for (int key = 0; key < 3; ++key)
            typed_following.push_back(timed([&] { SendMessageW(memo, WM_CHAR, L'가', 1); }));
        find_after_typing.push_back(timed([&] { ask(state, numvora::ids::FIND_NEXT, L"찾을말"); }));
    }
    std::printf("the copy kept by the keystrokes %s the control's text (%zu whole copies meanwhile)\n",
                state.find->memo->text() == numvora::memo_text_range(memo, {0, numvora::memo_length(memo)})
                    ? "equals"
                    : "DIFFERS FROM",
                state.find->whole_reads - whole_reads);
    state.find->memo.reset();
    for (int i = 0; i < runs * 3; ++i) typed_alone.push_back(timed([&] { SendMessageW(memo, WM_CHAR, L'나', 1); }));
    for (int i = 0; i < runs; ++i) {
        // Back and forth, so that every run has its one match.
        replace.push_back(timed([&] {
            ask(state, numvora::ids::REPLACE_ALL, i % 2 ? L"바꾼말" : L"찾을말", i % 2 ? L"찾을말" : L"바꾼말");
        }));
    }
    std::printf("%s\n", numvora::control_text(state.status_label()).c_str());
    report("find next, the first after the copy was dropped", first);
    report("find next again (the copy and its fold kept)", find);
    report("replace all through the memo (one match)", replace);
    report("  floor: std::wstring_view::find of the same text", floor);
    report("  the control selecting the match and scrolling to it", shown);
    report("  the control's copy of its text", copy);
    report("  matching, the text folded at each search", folded_each_time);
    report("  matching, the fold kept with the copy", fold_kept);
    report("a keystroke, the bar's copy noting it", typed_following);
    report("a keystroke, no copy", typed_alone);
    report("find next after three keystrokes (the stretch read)", find_after_typing);
    const auto median = [](std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    };
    std::printf(
        "find next again / floor: %.2f, / the floor and the control's selection: %.2f; matching folded each "
        "time / floor: %.2f; fold kept / floor: %.2f\n",
        median(find) / median(floor), median(find) / (median(floor) + median(shown)),
        median(folded_each_time) / median(floor), median(fold_kept) / median(floor));

    // The matching rule alone: a match on every line, case folded by the system.
    std::wstring every_line = lines_of(memo_bytes, "회의 메모 합계 1,234.50원 바꿀말 (12+34)*5 다음 주 확인\r\n");
    std::vector<double> rule;
    std::vector<double> plain;
    std::size_t matched = 0;
    for (int i = 0; i < runs; ++i) {
        rule.push_back(timed([&] {
            matched =
                numvora::replace_all(every_line, L"바꿀말", L"바꾼말", {false, numvora::invariant_case_fold}).count;
        }));
        plain.push_back(timed([&] { matched -= count_plain(every_line, L"바꿀말"); }));
    }
    std::printf("%zu characters, every line a match; rule minus plain count: %zu\n", every_line.size(), matched);
    report("replace_all (fold, match, build the stretch)", rule);
    report("  floor: counting with std::wstring_view::find", plain);

    const int matches = argc > 3 ? _wtoi(argv[3]) : 1'000;
    std::wstring many;
    for (int i = 0; i < matches; ++i) many += L"회의 메모 합계 1,234.50원 바꿀말 (12+34)*5 다음 주 확인\r\n";
    std::printf("memo of %zu characters for replace all; the control took it in %.0f ms\n", many.size(),
                timed([&] { SetWindowTextW(memo, many.c_str()); }));
    std::vector<double> replace_many;
    std::vector<double> undo;
    for (int i = 0; i < runs; ++i) {
        replace_many.push_back(timed([&] { ask(state, numvora::ids::REPLACE_ALL, L"바꿀말", L"바꾼말"); }));
        undo.push_back(timed([&] { SendMessageW(memo, EM_UNDO, 0, 0); }));
    }
    std::printf("%s\n", numvora::control_text(state.status_label()).c_str());
    report("replace all, a match a line (one edit, one undo step)", replace_many);
    report("  its undo", undo);
    return 0;
}
