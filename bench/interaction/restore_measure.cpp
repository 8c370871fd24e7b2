// The restore of a large version in the real window: from the press of "이 버전으로
// 복원" until the memo holds the version (a question about its size answered at once),
// and the process's peak working set. The version is MEBIBYTES of 60-character lines.
//   numvora-restore-measure.exe [MEBIBYTES]
#include <windows.h>

#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "storage/history/memo_history.h"
#include "support/measured_window.h"
#include "support/qpc_clock.h"
#include "ui/control_ids.h"
#include "ui/memo/memo_versions.h"

namespace {

namespace fs = std::filesystem;

// The versions dialog has the list; the question about a large version does not.
HWND find_box(bool with_list) {
    for (HWND box = FindWindowW(L"#32770", nullptr); box != nullptr;
         box = FindWindowExW(nullptr, box, L"#32770", nullptr))
        if (IsWindowVisible(box) && (GetDlgItem(box, numvora::VERSIONS_LIST_ID) != nullptr) == with_list) return box;
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t mebibytes = argc > 1 ? static_cast<std::size_t>(_wtoi(argv[1])) : 50;
    numvora::bench::MeasuredWindow measured(L"numvora-restore-measure", {}, [&](const fs::path& data) {
        fs::create_directories(data / "history");
        const numvora::SnapshotTime then = numvora::from_seconds(numvora::to_seconds(numvora::local_now()) - 3600);
        std::ofstream out(data / "history" / numvora::snapshot_name(then), std::ios::binary);
        const std::string line = "2026년 12월 회의 메모 합계 1,234,500원 (12+34)*5 = 230 ......\r\n";
        for (std::size_t written = 0; written < (mebibytes << 20); written += line.size()) out << line;
    });
    if (measured.state() == nullptr) return 1;
    const HWND window = measured.state()->main_window;
    std::atomic<double> pressed{0};
    std::thread presser([&] {
        HWND dialog = nullptr;
        while ((dialog = find_box(true)) == nullptr) Sleep(5);
        const HWND list = GetDlgItem(dialog, numvora::VERSIONS_LIST_ID);
        while (SendMessageW(list, LB_GETCOUNT, 0, 0) == 0) Sleep(5);
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(numvora::VERSIONS_LIST_ID, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        while (!IsWindowEnabled(GetDlgItem(dialog, IDOK))) Sleep(5);
        pressed = numvora::bench::now_ms();
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        // A question about the size, where there is one, is answered at once.
        for (int wait = 0; wait < 400; ++wait) {
            if (const HWND question = find_box(false)) {
                PostMessageW(question, WM_COMMAND, IDOK, 0);
                break;
            }
            if (!IsWindow(dialog)) break;
            Sleep(5);
        }
    });
    SendMessageW(window, WM_SYSCOMMAND, numvora::ids::MEMO_VERSIONS, 0);
    const double restored = numvora::bench::now_ms();
    presser.join();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("%zu MiB version: restored %.1f s after the press; memo %d characters; peak working set %.2f GiB\n",
                mebibytes, (restored - pressed) / 1000, GetWindowTextLengthW(measured.state()->memo_edit()),
                static_cast<double>(memory.PeakWorkingSetSize) / (1 << 30));
    return 0;
}
