// A memo saved on a full disk, in the real window: a data folder on a small volume
// (a tmpfs of 3 MiB under Wine, given as its Windows path) with seven older versions
// of 250 KB and a memo of 500 KB, then a memo of 970 KB saved by the auto-save. Prints
// what was saved, what the status line says and which versions are left.
//   numvora-fulldisk-measure.exe DATA_ROOT
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/app/app_entry.h"
#include "platform/windows/state/app_state.h"
#include "storage/history/memo_history.h"

namespace {

namespace fs = std::filesystem;

std::string lines_of(char c, std::size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += std::string(62, c) + "\r\n";
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const fs::path data = fs::path(argv[1]) / "Numvora";
    fs::create_directories(data / "history");
    const std::int64_t now = numvora::to_seconds(numvora::local_now());
    for (int i = 7; i >= 1; --i)
        std::ofstream(data / "history" / numvora::snapshot_name(numvora::from_seconds(now - i * 3600)),
                      std::ios::binary)
            << lines_of(static_cast<char>('a' + i), 250 * 1000);
    std::ofstream(data / "memo.txt", std::ios::binary) << lines_of('o', 500 * 1000);
    SetEnvironmentVariableW(L"LOCALAPPDATA", argv[1]);
    auto instance = numvora::prepare_process();
    auto window = instance ? numvora::open_main_window(instance.value(), {})
                           : numvora::SystemResult<HWND>(fail(instance.error()));
    if (!window) return 1;
    numvora::AppState* state = numvora::app_state_of(window.value());
    ULARGE_INTEGER free{};
    GetDiskFreeSpaceExW(argv[1], &free, nullptr, nullptr);
    std::printf("free before the save: %llu bytes\n", static_cast<unsigned long long>(free.QuadPart));
    const std::string memo = lines_of('n', 970 * 1000);
    SetWindowTextW(state->memo_edit(), numvora::to_wide(memo).c_str());
    SendMessageW(window.value(), WM_TIMER, 2, 0);  // the auto-save
    std::error_code error;
    std::printf("memo.txt: %llu bytes, the new memo: %s\n",
                static_cast<unsigned long long>(fs::file_size(data / "memo.txt", error)),
                fs::file_size(data / "memo.txt", error) == memo.size() ? "yes" : "no");
    wchar_t status[256] = {};
    GetWindowTextW(state->status_label(), status, 256);
    std::printf("status line: %s\n", numvora::to_utf8(status).c_str());
    for (const auto& entry : fs::directory_iterator(data / "history"))
        std::printf("  left: %s %llu bytes\n", entry.path().filename().string().c_str(),
                    static_cast<unsigned long long>(entry.file_size()));
    SendMessageW(window.value(), WM_CLOSE, 0, 0);
    return 0;
}
