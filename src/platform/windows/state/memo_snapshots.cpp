#include "platform/windows/state/memo_snapshots.h"

#include <algorithm>

#include "platform/windows/base/error_report.h"

namespace numvora {

MemoSnapshots::MemoSnapshots(std::string folder, std::string start, Clock now, WriteCalls calls)
    : folder_(std::move(folder)), policy_(std::move(start), newest_snapshot(folder_)), now_(now), calls_(calls) {}

void MemoSnapshots::before_write(std::string_view text) {
    const SnapshotTime now = now_();
    write(now, policy_.before_write(now, text), text);
}

void MemoSnapshots::before_replace(std::string_view current) {
    write(now_(), policy_.before_replace(current), current);
}

// In the plan's order, stopping at a failure: the policy asks again next time, and the
// start text must not end up newer than what followed it.
void MemoSnapshots::write(const SnapshotTime& now, const SnapshotPlan& plan, std::string_view text) {
    for (const bool start : {true, false}) {
        if (!(start ? plan.start_text : plan.text)) continue;
        const std::string_view kept = start ? std::string_view(policy_.start_text()) : text;
        auto written = write_snapshot(folder_, now, kept, calls_);
        if (written) {
            policy_.kept(now, kept);
            continue;
        }
        const StorageError& error = written.error();
        const std::pair kind{error.kind, error.os_code};
        if (std::find(logged_.begin(), logged_.end(), kind) == logged_.end()) {
            logged_.push_back(kind);
            log_error_line("메모 이전 버전 저장 실패: {}", display_text(error));
        }
        return;
    }
}

}  // namespace numvora
