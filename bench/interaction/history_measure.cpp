// How long the real window does not answer while its memo history works: another
// thread sends WM_NULL with SendMessageTimeoutW every 2 ms, as another program would,
// and keeps the longest round trip over the window's start, the first change of the
// memo (a snapshot written, the folder pruned) and the seconds after. Then the time
// the versions dialog takes to show, and to show its list. History folders: empty,
// 10,000 snapshots of the last 22 hours (nothing to prune), and 10,000 one a minute
// (about 8,500 pruned).
// One window per process: the case is chosen by its number (0, 1, 2).
//   numvora-history-measure.exe CASE [SECONDS_AFTER]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "common/win32/wide_text.h"
#include "platform/windows/state/save_all.h"
#include "storage/history/memo_history.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"
#include "ui/control_ids.h"
#include "ui/memo/memo_versions.h"

namespace {

namespace fs = std::filesystem;

// Snapshots every step seconds back from now, each holding its number, and a memo.
void fill_history(const fs::path& data, int count, std::int64_t step) {
    fs::create_directories(data / "history");
    std::ofstream(data / "memo.txt") << "예전 메모";  // kept at the first change
    const std::int64_t now = numvora::to_seconds(numvora::local_now());
    for (int i = 1; i <= count; ++i)
        std::ofstream(data / "history" / numvora::snapshot_name(numvora::from_seconds(now - i * step))) << i;
}

// Answers messages for the time given, as the program's own loop would.
void pump_for(double ms) {
    const double end = numvora::bench::now_ms() + ms;
    while (numvora::bench::now_ms() < end) {
        const double left = end - numvora::bench::now_ms();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max(left, 1.0)), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void measure(const char* name, int count, std::int64_t step, double seconds_after) {
    numvora::bench::MeasuredWindow measured(L"numvora-history-measure", {}, [&](const fs::path& data) {
        if (count > 0) fill_history(data, count, step);
    });
    if (measured.state() == nullptr) return;
    const HWND window = measured.state()->main_window;
    std::atomic<bool> done{false};
    std::atomic<bool> probe_ended{false};
    double longest = 0;
    std::thread probe([&] {
        while (!done) {
            const double start = numvora::bench::now_ms();
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
            longest = std::max(longest, numvora::bench::now_ms() - start);
            Sleep(2);
        }
        probe_ended = true;
    });
    pump_for(300);
    SetWindowTextW(measured.state()->memo_edit(), L"새로 쓴 메모");
    SendMessageW(window, WM_TIMER, 2, 0);  // the auto-save: memo.txt, then its old text kept
    pump_for(seconds_after * 1000);
    done = true;
    while (!probe_ended) pump_for(5);  // its last message still wants an answer
    probe.join();
    const std::size_t left = numvora::list_snapshots((measured.state()->save->snapshots->folder())).value().size();

    // The dialog ends as soon as its list is there (or says there is none).
    double shown = 0;
    double listed = 0;
    const double opened = numvora::bench::now_ms();
    std::thread closer([&] {
        HWND dialog = nullptr;
        while ((dialog = FindWindowW(L"#32770", L"메모 이전 버전")) == nullptr) Sleep(1);
        shown = numvora::bench::now_ms();
        const std::wstring none = numvora::to_wide(numvora::NO_VERSIONS_TEXT);
        for (;;) {
            wchar_t preview[64] = {};
            GetDlgItemTextW(dialog, numvora::VERSIONS_PREVIEW_ID, preview, 64);
            if (SendMessageW(GetDlgItem(dialog, numvora::VERSIONS_LIST_ID), LB_GETCOUNT, 0, 0) > 0 || none == preview)
                break;
            Sleep(1);
        }
        listed = numvora::bench::now_ms();
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    SendMessageW(window, WM_SYSCOMMAND, numvora::ids::MEMO_VERSIONS, 0);
    closer.join();
    std::printf(
        "%-44s longest without an answer %8.1f ms   snapshots after %5zu   versions dialog shown %8.1f ms, "
        "listed %8.1f ms\n",
        name, longest, left, shown - opened, listed - opened);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int which = argc > 1 ? _wtoi(argv[1]) : 0;
    const double seconds_after = argc > 2 ? _wtof(argv[2]) : 5;
    if (which == 0) measure("empty history folder", 0, 60, seconds_after);
    if (which == 1) measure("10,000 snapshots of 22 hours, none pruned", 10000, 8, seconds_after);
    if (which == 2) measure("10,000 snapshots one a minute, pruned", 10000, 60, seconds_after);
    return 0;
}
