#include "platform/windows/state/memo_snapshots.h"

#include <utility>

#include "platform/windows/base/error_report.h"

namespace numvora {

MemoSnapshots::MemoSnapshots(HWND window, std::string folder, std::string data_folder, std::string start, Clock now,
                             WriteCalls calls)
    : folder_(folder),
      now_(std::move(now)),
      keeper_({std::move(folder), std::move(data_folder), std::move(start), std::move(calls),
               [window] { PostMessageW(window, WM_HISTORY_EVENTS, 0, 0); }}) {}

void MemoSnapshots::after_save(std::string previous, std::uint64_t memo_size) {
    keeper_.saved(now_(), std::move(previous), memo_size);
}

void MemoSnapshots::before_replace(std::string current, std::uint64_t incoming_size) {
    keeper_.replacing(now_(), std::move(current), incoming_size);
}

Result<void, StorageError> MemoSnapshots::keep_before_restore(std::string current, std::uint64_t incoming_size) {
    return keeper_.keep(now_(), std::move(current), incoming_size);
}

std::vector<std::string> MemoSnapshots::take_status_lines() {
    std::vector<std::string> lines;
    for (const HistoryEvent& event : keeper_.take_events()) {
        // A kind is its error without the message of an Os error, which is empty anyway.
        const bool new_kind = shown_ != event.error;
        if (!new_kind && !event.replacing) continue;
        shown_ = event.error;
        lines.push_back(format_log_line("메모 이전 버전 저장 실패: {}", display_text(event.error)));
        log_error_line("메모 이전 버전 저장 실패: {}", display_text(event.error));
    }
    return lines;
}

}  // namespace numvora
