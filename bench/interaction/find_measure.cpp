// Find and replace in the real main window: "find next" through a 10 MiB memo for a
// word only its last line holds, beside a plain search of the same text in memory (the
// floor), and "replace all" of 10,000 matches, one a line.
//   numvora-find-measure.exe [MEMO_BYTES] [RUNS] [MATCHES]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"

namespace {

using numvora::AppState;
using numvora::bench::report;
using numvora::bench::timed;

std::wstring lines_of(std::size_t bytes, const std::string& line) {
    std::string memo;
    while (memo.size() < bytes) memo += line;
    return numvora::to_wide(memo);
}

void ask(AppState& state, DWORD flags, const wchar_t* find, const wchar_t* replacement = L"") {
    numvora::FindState& f = state.find;
    f.find_text.fill(L'\0');
    f.replace_text.fill(L'\0');
    std::wstring(find).copy(f.find_text.data(), f.find_text.size() - 1);
    std::wstring(replacement).copy(f.replace_text.data(), f.replace_text.size() - 1);
    f.record.Flags = flags;
    SendMessageW(state.main_window, f.message, 0, reinterpret_cast<LPARAM>(&f.record));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t memo_bytes = argc > 1 ? static_cast<std::size_t>(_wtoi(argv[1])) : (10u << 20);
    const int runs = argc > 2 ? _wtoi(argv[2]) : 10;
    numvora::bench::MeasuredWindow measured(L"numvora-find-measure");
    if (measured.state() == nullptr) return 1;
    AppState& state = *measured.state();
    const HWND memo = state.memo_edit();

    std::wstring text = lines_of(memo_bytes, "회의 메모 합계 1,234.50원 (12+34)*5 다음 주 확인할 것\r\n");
    text += L"마지막 줄의 찾을말\r\n";
    const double set_ms = timed([&] { SetWindowTextW(memo, text.c_str()); });
    std::printf("memo of %zu characters; the control took it in %.0f ms\n", text.size(), set_ms);
    std::vector<double> find;
    std::vector<double> floor;
    for (int i = 0; i < runs; ++i) {
        numvora::select_in_memo(memo, {0, 0});
        find.push_back(timed([&] { ask(state, FR_FINDNEXT | FR_DOWN, L"찾을말"); }));
        volatile std::size_t at = 0;
        floor.push_back(timed([&] { at = std::wstring_view(text).find(L"찾을말"); }));
    }
    const numvora::MemoSelection found = numvora::memo_selection(memo);
    std::printf("found at %d\n", found.start);
    report("find next through the memo", find);
    report("  floor: std::wstring_view::find of the same text", floor);

    // A line for each match.
    const int matches = argc > 3 ? _wtoi(argv[3]) : 10'000;
    std::wstring many;
    for (int i = 0; i < matches; ++i) many += L"회의 메모 합계 1,234.50원 바꿀말 (12+34)*5 다음 주 확인\r\n";
    std::printf("memo of %zu characters for replace all; the control took it in %.0f ms\n", many.size(),
                timed([&] { SetWindowTextW(memo, many.c_str()); }));
    std::vector<double> replace;
    std::vector<double> undo;
    for (int i = 0; i < runs; ++i) {
        replace.push_back(timed([&] { ask(state, FR_REPLACEALL, L"바꿀말", L"바꾼말"); }));
        undo.push_back(timed([&] { SendMessageW(memo, EM_UNDO, 0, 0); }));
    }
    std::printf("%s\n", numvora::control_text(state.status_label()).c_str());
    report("replace all (one edit, one undo step)", replace);
    report("  its undo", undo);
    return 0;
}
