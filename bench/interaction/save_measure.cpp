// Cost of keeping a large memo on disk, in the real main window: one auto-save tick
// with an unchanged memo (it reads and compares, and writes nothing), one with a
// changed memo (the write included), one that also keeps a snapshot of the memo in
// the history folder, and the combined save at close.
//   numvora-save-measure.exe [MEMO_BYTES] [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"

namespace {

using numvora::AppState;
using numvora::bench::report;
using numvora::bench::timed;

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t memo_bytes = argc > 1 ? static_cast<std::size_t>(_wtoi(argv[1])) : (10u << 20);
    const int runs = argc > 2 ? _wtoi(argv[2]) : 10;
    // The snapshots' clock: each tick that is to keep one is ten minutes after the last.
    numvora::SnapshotTime clock_now{2026, 12, 7, 0, 0, 0};
    numvora::SystemCalls calls;
    calls.now = [&clock_now] { return clock_now; };
    numvora::bench::MeasuredWindow measured(L"numvora-save-measure", calls);
    if (measured.state() == nullptr) return 1;
    AppState& state = *measured.state();

    // Lines of about 180 characters, Korean and digits, as notes are.
    std::string line;
    while (line.size() < 180) line += "회의 메모 합계 1,234.50원 (12+34)*5 ";
    line += "\r\n";
    std::string memo;
    memo.reserve(memo_bytes + line.size());
    while (memo.size() < memo_bytes) memo += line;
    const std::wstring wide = numvora::to_wide(memo);
    const double set_ms = timed([&] { SetWindowTextW(state.memo_edit(), wide.c_str()); });
    std::printf("memo of %zu bytes (UTF-8); setting it into the control took %.0f ms\n", memo.size(), set_ms);
    SendMessageW(state.main_window, WM_TIMER, 2, 0);  // the first write

    std::vector<double> unchanged;
    std::vector<double> changed;
    std::vector<double> with_snapshot;
    std::vector<double> at_close;
    std::vector<double> reading;  // of the changed tick: the control's copy of the text
    const auto type_a_character = [&](const wchar_t* character) {
        const LONG end = GetWindowTextLengthW(state.memo_edit());
        SendMessageW(state.memo_edit(), EM_SETSEL, end, end);
        SendMessageW(state.memo_edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character));
    };
    for (int i = 0; i < runs; ++i) {
        unchanged.push_back(timed([&] { SendMessageW(state.main_window, WM_TIMER, 2, 0); }));
        type_a_character(i % 2 == 0 ? L"x" : L"y");
        reading.push_back(timed([&] { (void)numvora::control_text(state.memo_edit()); }));
        changed.push_back(timed([&] { SendMessageW(state.main_window, WM_TIMER, 2, 0); }));
        at_close.push_back(timed([&] { (void)numvora::save_all(state); }));
        clock_now = numvora::from_seconds(numvora::to_seconds(clock_now) + numvora::SNAPSHOT_INTERVAL_SECONDS);
        type_a_character(L"z");
        with_snapshot.push_back(timed([&] { SendMessageW(state.main_window, WM_TIMER, 2, 0); }));
    }
    report("auto-save tick, memo unchanged", unchanged);
    report("auto-save tick, memo changed (write included)", changed);
    report("the same, keeping a snapshot too", with_snapshot);
    report("save_all (memo and settings, as at close)", at_close);
    report("  of which reading the memo from the control", reading);

    return 0;
}
