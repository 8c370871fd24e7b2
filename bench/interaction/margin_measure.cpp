// The margin of line results in the real main window: typing and scrolling in a 10 MiB
// memo with the margin off and on, and the margin's own work, a full recompute of the
// screen, alone: once in a memo of short blocks, once with a total line on screen whose
// block runs back over more than a thousand lines.
//   numvora-margin-measure.exe [MEMO_BYTES] [STEPS] [NAMES]
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"
#include "ui/control_ids.h"

namespace {

using numvora::AppState;
using numvora::bench::report;
using numvora::bench::timed;

// Blocks of nine notes and their total, an empty line between blocks; then one block of
// 1,500 lines and its total. With names, a name is defined every so many lines, spread
// over the memo, and taken by the lines after it.
std::wstring note_memo(std::size_t bytes, int names) {
    const char* lines[] = {"점심 김밥 두 줄 12,000원 (회사 앞 분식집, 카드 결제)       ",
                           "커피 4,500원 x 2 오후 회의 때 산 것                        ",
                           "택시 오후 3시 8,300원 영수증 받음                          ",
                           "12월 7일 회의록 정리, 다음 주 월요일까지 보낼 것           ",
                           "(12,000 + 4,500) * 3 = 49,500                              "};
    // About 60 bytes a line and a total every nine.
    const std::size_t every = names > 0 ? std::max<std::size_t>(2, bytes / 64 / static_cast<std::size_t>(names)) : 0;
    std::string memo;
    for (std::size_t i = 0; memo.size() < bytes; ++i) {
        const std::string name = every > 0 ? "항목" + std::to_string(i / every) : "";
        if (every > 0 && i % every == 0)
            memo += name + " = " + std::to_string(1000 + i % 9000) + "원";
        else if (every > 0 && i % every == 1)
            memo += name + " * 12";
        else
            memo += lines[i % 5];
        memo += "\r\n";
        if (i % 9 == 8) memo += "합계\r\n\r\n";
    }
    for (int i = 0; i < 1500; ++i) memo += "관리비 123,000원 나눠 낼 것\r\n";
    memo += "합계";
    return numvora::to_wide(memo);
}

struct Figures {
    std::vector<double> typing;
    std::vector<double> scrolling;
};

Figures type_and_scroll(AppState& state, int keys, int scrolls) {
    const HWND memo = state.memo_edit();
    Figures figures;
    for (int i = 0; i < keys; ++i) {
        figures.typing.push_back(timed([&] {
            SendMessageW(memo, WM_CHAR, L'1', 0);
            UpdateWindow(memo);
        }));
    }
    for (int i = 0; i < scrolls; ++i) {
        figures.scrolling.push_back(timed([&] {
            SendMessageW(memo, WM_VSCROLL, SB_LINEDOWN, 0);
            UpdateWindow(memo);
        }));
    }
    return figures;
}

// The margin reads the screen once a paint of the memo: the paints are counted from
// outside, by a subclass ahead of the program's own, in steps of their own, since
// comctl32's subclassing costs every message a look-up under Wine.
LRESULT CALLBACK count_paints(HWND memo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR count) {
    if (message == WM_PAINT) ++*reinterpret_cast<std::uint64_t*>(count);
    return DefSubclassProc(memo, message, wparam, lparam);
}

void put_caret(HWND memo, std::int32_t at) {
    numvora::select_in_memo(memo, {at, at});
    SendMessageW(memo, EM_SCROLLCARET, 0, 0);
    UpdateWindow(memo);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t memo_bytes = argc > 1 ? static_cast<std::size_t>(_wtoi(argv[1])) : (10u << 20);
    const int steps = argc > 2 ? _wtoi(argv[2]) : 60;
    const int names = argc > 3 ? _wtoi(argv[3]) : 0;
    numvora::bench::MeasuredWindow measured(L"numvora-margin-measure");
    if (measured.state() == nullptr) return 1;
    AppState& state = *measured.state();
    const HWND memo = state.memo_edit();
    const std::wstring text = note_memo(memo_bytes, names);
    std::printf("memo of %zu characters and %d names; the control took it in %.0f ms\n", text.size(), names,
                timed([&] { SetWindowTextW(memo, text.c_str()); }));
    const auto middle = static_cast<std::int32_t>(text.size() / 2);

    // The floor of a narrowed text area: the same strip taken from it, nothing drawn there.
    {
        RECT area{};
        SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        area.right -= 64;
        SendMessageW(memo, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
        put_caret(memo, middle);
        report("scroll step and paint, text area narrowed alone", type_and_scroll(state, 0, steps).scrolling);
        SendMessageW(memo, EM_SETRECT, 0, 0);
    }
    // Off and on in turns, each at a place of its own in the memo, a fresh line that
    // takes fifteen keystrokes, so that a busy machine's slow moments fall on both: the
    // lower quartile is read beside the median.
    constexpr int KEYS_A_PLACE = 15;
    const int turns = std::max(steps / KEYS_A_PLACE, 1);
    Figures off;
    Figures on;
    for (int turn = 0; turn < turns; ++turn) {
        for (const bool margin : {false, true}) {
            if (state.margin->on != margin) {
                const double switched = timed([&] {
                    SendMessageW(state.main_window, WM_COMMAND, numvora::ids::MEMO_RESULTS_MARGIN, 0);
                    UpdateWindow(memo);
                });
                if (turn == 0 && margin) std::printf("margin switched on in %.0f ms (the memo rewraps)\n", switched);
            }
            put_caret(memo, middle + (2 * turn + (margin ? 1 : 0)) * 1'001);
            const Figures figures = type_and_scroll(state, KEYS_A_PLACE, KEYS_A_PLACE);
            Figures& into = margin ? on : off;
            into.typing.insert(into.typing.end(), figures.typing.begin(), figures.typing.end());
            into.scrolling.insert(into.scrolling.end(), figures.scrolling.begin(), figures.scrolling.end());
        }
    }
    std::uint64_t paints = 0;
    SetWindowSubclass(memo, count_paints, 0, reinterpret_cast<DWORD_PTR>(&paints));
    const int counted = KEYS_A_PLACE;
    type_and_scroll(state, counted, counted);
    RemoveWindowSubclass(memo, count_paints, 0);
    std::printf("the memo painted (and the margin read the screen) %.1f times a step\n",
                static_cast<double>(paints) / static_cast<double>(2 * counted));
    const auto quantile = [](std::vector<double> ms, double q) {
        std::sort(ms.begin(), ms.end());
        return ms[static_cast<std::size_t>(q * static_cast<double>(ms.size() - 1))];
    };
    for (const auto& [name, with_off, with_on] : {std::tuple{"keystroke and paint", &off.typing, &on.typing},
                                                  std::tuple{"scroll step and paint", &off.scrolling, &on.scrolling}}) {
        std::printf("%s, margin off / on: median %.3f / %.3f ms (%.2f), lower quartile %.3f / %.3f ms (%.2f)\n", name,
                    quantile(*with_off, 0.5), quantile(*with_on, 0.5),
                    quantile(*with_on, 0.5) / quantile(*with_off, 0.5), quantile(*with_off, 0.25),
                    quantile(*with_on, 0.25), quantile(*with_on, 0.25) / quantile(*with_off, 0.25));
    }
    // A keystroke in the value of a name that a line below takes: the lines that take it
    // are read again.
    if (names > 0) {
        const std::size_t defined = text.find(L" = ", text.size() / 2);
        put_caret(memo, static_cast<std::int32_t>(defined + 4));
        report("keystroke in a name's value and paint, margin on", type_and_scroll(state, steps, 0).typing);
        // The same edit of the line in a book of the memo read anew, which answers how
        // many lines it read again.
        const numvora::MemoNotes& notes = *state.notes;
        numvora::NoteBook book;
        book.assign(numvora::to_utf8(notes.mirror().text()));
        const std::size_t line = notes.line_of(static_cast<std::int32_t>(defined + 4));
        std::printf("lines a keystroke in it reads again: %zu\n",
                    book.replace(line, 1, std::string(book.text(line)) + "1"));
    }
    std::vector<double> recompute;
    for (int i = 0; i < steps; ++i) recompute.push_back(timed([&] { numvora::refresh_results_margin(state); }));
    std::printf("%zu results on screen\n", state.margin->rows.size());
    report("the margin's own work: a screen recomputed", recompute);

    // A keystroke's share: the edit followed from a window of text around the caret,
    // then the screen read again.
    std::vector<double> own;
    for (int i = 0; i < steps; ++i) {
        own.push_back(timed([&] {
            numvora::follow_memo_change(state);
            numvora::refresh_results_margin(state);
        }));
    }
    report("the margin's own work for a keystroke", own);

    // Where it goes: the rich edit's answers to the questions the margin asks, each alone.
    const std::int32_t caret = numvora::memo_selection(memo).end;
    const struct {
        const char* name;
        std::function<void()> ask;
    } questions[] = {
        {"  the memo's length and selection",
         [&] {
             numvora::memo_length(memo);
             numvora::memo_selection(memo);
         }},
        {"  EM_GETTEXTRANGE of 512 characters at the caret",
         [&] {
             numvora::memo_text_range(memo, {std::max(caret - 256, 0), caret + 256});
         }},
        {"  EM_GETRECT",
         [&] {
             RECT area{};
             SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
         }},
        {"  EM_CHARFROMPOS of the bottom",
         [&] {
             POINTL bottom{1, 300};
             SendMessageW(memo, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottom));
         }},
        {"  EM_POSFROMCHAR of the first character (the scroll position)",
         [&] {
             POINTL at{};
             SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 0);
         }},
        {"  EM_GETSCROLLPOS (scaled to 16 bits in a tall memo)",
         [&] {
             POINT at{};
             SendMessageW(memo, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&at));
         }},
        {"  EM_POSFROMCHAR of the caret",
         [&] {
             POINTL at{};
             SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), caret);
         }},
        {"  GetDC and ReleaseDC", [&] { ReleaseDC(memo, GetDC(memo)); }},
    };
    for (const auto& question : questions) {
        std::vector<double> times;
        for (int i = 0; i < steps; ++i) times.push_back(timed(question.ask));
        report(question.name, times);
    }

    put_caret(memo, numvora::memo_length(memo));
    std::vector<double> long_block;
    for (int i = 0; i < steps; ++i) long_block.push_back(timed([&] { numvora::refresh_results_margin(state); }));
    std::printf("last result on screen: %s\n",
                state.margin->rows.empty() ? "-" : state.margin->rows.back().shown.c_str());
    report("  with a total over 1,000 lines above", long_block);
    return 0;
}
