// Cost of one tick of the selection timer in the real main window, with a
// high-resolution clock:
//   - idle: the memo selection unchanged and a 10,000-character expression already in
//     its form (grouping off and on), so the tick reads and compares and writes nothing;
//   - the first tick after a new selection of a large memo text, which fetches and
//     classifies it: 1 MiB of ordinary notes, and one parenthesised expression of a
//     quarter of that.
//   numvora-tick-measure.exe [IDLE_TICKS [MEMO_CHARACTERS]]
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "calculator/selection.h"
#include "common/win32/wide_text.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"

namespace {

using numvora::AppState;

double tick(HWND window) {
    const double start = numvora::bench::now_ms() * 1000;
    SendMessageW(window, WM_TIMER, 1, 0);
    return numvora::bench::now_ms() * 1000 - start;
}

void report(const char* name, std::vector<double> us) {
    std::sort(us.begin(), us.end());
    double sum = 0;
    for (double v : us) sum += v;
    std::printf("%-52s runs %5zu  median %10.1f us  mean %10.1f us  p99 %10.1f us  max %10.1f us\n", name, us.size(),
                us[us.size() / 2], sum / static_cast<double>(us.size()),
                us[std::min(us.size() - 1, us.size() * 99 / 100)], us.back());
    std::fflush(stdout);
}

void select_memo(HWND memo, LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void idle_ticks(AppState& state, bool group, int count) {
    SendMessageW(state.thousands_checkbox(), BM_SETCHECK, group ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(state.main_window, WM_COMMAND, numvora::ids::THOUSANDS, 0);
    std::wstring expression;
    while (expression.size() < 10'000) expression += L"1234+";
    SetWindowTextW(state.expression_edit(), expression.c_str());
    tick(state.main_window);  // brings the text into its form once
    std::vector<double> us;
    for (int i = 0; i < count; ++i) us.push_back(tick(state.main_window));
    report(group ? "idle tick, 10,000-char expression, grouping on" : "idle tick, 10,000-char expression, grouping off",
           us);
}

// Lines of about 180 characters: this Wine's rich edit takes time that grows with the
// square of the line count to take a text (and is slow with one huge line as well).
void first_ticks_after_selecting(AppState& state, const char* name, const std::wstring& memo, int runs) {
    SetWindowTextW(state.memo_edit(), L"");  // replacing a long text is far slower under Wine
    const double set_start = numvora::bench::now_ms() * 1000;
    SetWindowTextW(state.memo_edit(), memo.c_str());
    std::printf("  (setting the memo text took %.0f ms)\n", (numvora::bench::now_ms() * 1000 - set_start) / 1000);
    std::fflush(stdout);
    const auto length = static_cast<LONG>(GetWindowTextLengthW(state.memo_edit()));
    std::vector<double> us;
    for (int i = 0; i < runs; ++i) {
        select_memo(state.memo_edit(), 0, 0);
        tick(state.main_window);
        select_memo(state.memo_edit(), 0, -1);  // everything: the positions differ from the last check
        us.push_back(tick(state.main_window));
    }
    // Where the time of such a tick goes: the control's copy of the text, or our work.
    const double fetch_start = numvora::bench::now_ms() * 1000;
    const std::optional<std::string> selected =
        numvora::memo_selected_text(state.memo_edit(), numvora::memo_selection(state.memo_edit()));
    const double classify_start = numvora::bench::now_ms() * 1000;
    const auto operand = numvora::classify_selection(selected.value_or(""));
    const double classify_end = numvora::bench::now_ms() * 1000;
    std::printf("  (of one such tick: fetching the selected text %.1f ms, classifying it %.1f ms)\n",
                (classify_start - fetch_start) / 1000, (classify_end - classify_start) / 1000);
    std::wstring status(40, L'\0');
    status.resize(static_cast<std::size_t>(GetWindowTextW(state.status_label(), status.data(), 40)));
    std::printf("  (%ld characters selected; status: %s)\n", length, numvora::to_utf8(status).c_str());
    report(name, us);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int idle_count = argc > 1 ? _wtoi(argv[1]) : 2000;
    const std::size_t memo_size = argc > 2 ? static_cast<std::size_t>(_wtoi(argv[2])) : (1u << 20);
    numvora::bench::MeasuredWindow measured(L"numvora-tick-measure");
    if (measured.state() == nullptr) return 1;
    AppState& state = *measured.state();

    idle_ticks(state, false, idle_count);
    idle_ticks(state, true, idle_count);

    std::wstring notes;
    const std::wstring sentence = L"회의 메모 3월 12일: 합계 1,234.50원, 예산 (12+34)*5 확인. ";
    while (notes.size() < memo_size) notes += sentence + sentence + sentence + sentence + L"\n";
    notes.resize(memo_size);
    first_ticks_after_selecting(state, "first tick after selecting the notes", notes, 5);

    // A quarter of the size: this Wine's rich edit takes minutes to take a megabyte of
    // long lines without spaces.
    std::wstring expression = L"(";
    while (expression.size() < memo_size / 4 - 1) {
        for (int i = 0; i < 12; ++i) expression += L"12.5+3*4-100/7+";
        expression += L"\n";
    }
    expression += L"0)";
    first_ticks_after_selecting(state, "first tick after selecting a (expression)", expression, 5);

    return 0;
}
