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

std::vector<std::string> MemoSnapshots::take_status_lines(LastingTroubles& troubles) {
    std::vector<std::string> lines;
    for (const HistoryEvent& event : keeper_.take_events()) {
        if (!event.error) {
            troubles.end(Trouble::HistoryNotKept);
            shown_.reset();
            continue;
        }
        const std::string line = format_log_line("메모 이전 버전 저장 실패: {}", display_text(*event.error));
        troubles.begin(Trouble::HistoryNotKept, line);
        // A kind is its error without the message of an Os error, which is empty anyway.
        const bool new_kind = shown_ != event.error;
        if (!new_kind && !event.replacing) continue;
        shown_ = event.error;
        lines.push_back(line);
        log_error_line("메모 이전 버전 저장 실패: {}", display_text(*event.error));
    }
    return lines;
}

}  // namespace numvora
