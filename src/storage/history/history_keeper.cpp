#include "storage/history/history_keeper.h"

#include <algorithm>
#include <future>

namespace numvora {

StorageError no_room_for_snapshot_error() {
    return make_storage_error(StorageErrorKind::Other, "메모 저장에 쓸 디스크 공간을 남기려고 건너뛰었습니다.");
}

struct HistoryKeeper::Worker {
    std::string folder;
    std::string space_folder;
    WriteCalls calls;
    std::string start;  // until the first task makes the policy of it
    std::optional<SnapshotPolicy> policy;
    std::vector<SnapshotFile> files;
    bool listed = false;

    // The session's one listing; the newest snapshot is read to compare texts with it.
    void open() {
        auto opened = open_history(folder);
        std::optional<NewestSnapshot> newest;
        if (opened) {
            files = std::move(opened->files);
            newest = opened->newest;
            listed = true;
        }
        policy.emplace(std::exchange(start, {}), newest);
    }

    // The folder as known, listed again after a listing that failed.
    Result<void, StorageError> ensure_listed() {
        if (listed) return {};
        auto opened = open_history(folder);
        if (!opened) return fail(opened.error());
        files = std::move(opened->files);
        listed = true;
        return {};
    }

    // In the plan's order, stopping at a failure: the policy asks again next time, and
    // the start text must not end up newer than what followed it.
    Result<void, StorageError> write(const SnapshotTime& now, const SnapshotPlan& plan, std::string_view text,
                                     std::uint64_t memo_size) {
        for (const bool of_start : {true, false}) {
            if (!(of_start ? plan.start_text : plan.text)) continue;
            const std::string_view kept = of_start ? std::string_view(policy->start_text()) : text;
            if (auto known = ensure_listed(); !known) return known;
            // A volume whose free space cannot be read is written to as before.
            const auto free = calls.free_space(space_folder);
            if (free && !leaves_room_for_memo(free.value(), kept.size(), memo_size))
                return fail(no_room_for_snapshot_error());
            if (auto written = write_snapshot_among(folder, files, now, kept, calls); !written) {
                listed = false;  // a failed write may have left the folder other than known
                return fail(written.error());
            }
            policy->kept(now, kept);
            doomed_after(now);
        }
        return {};
    }

    // What pruning deletes leaves the known files at once; the files themselves go a few
    // at a time between other tasks (prune_some), so that a window waiting for an
    // answer never waits for thousands of deletions.
    std::vector<std::string> doomed;
    void doomed_after(const SnapshotTime& now) {
        std::vector<std::string> names = snapshots_to_delete(files, now);
        std::erase_if(files, [&](const SnapshotFile& file) {
            return std::find(names.begin(), names.end(), file.name) != names.end();
        });
        doomed.insert(doomed.end(), names.begin(), names.end());
    }
    // Deletes up to PRUNE_SLICE of them. One that cannot be deleted (open elsewhere)
    // stays until a later prune.
    static constexpr std::size_t PRUNE_SLICE = 32;
    void prune_some() {
        const std::size_t count = std::min(PRUNE_SLICE, doomed.size());
        for (std::size_t i = doomed.size() - count; i < doomed.size(); ++i)
            (void)file_primitives::remove_file(file_primitives::join_path(folder, doomed[i]));
        doomed.resize(doomed.size() - count);
    }
};

HistoryKeeper::HistoryKeeper(Setup setup) : wake_(std::move(setup.wake)), worker_(std::make_unique<Worker>()) {
    // Before the thread starts, so that only it touches the worker from then on.
    worker_->folder = std::move(setup.folder);
    worker_->space_folder = std::move(setup.space_folder);
    worker_->calls = setup.calls;
    worker_->start = std::move(setup.start);
    tasks_.push_back([](Worker& worker) { worker.open(); });
    thread_ = std::thread([this] { run(); });
}

HistoryKeeper::~HistoryKeeper() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    ready_.notify_one();
    thread_.join();
}

void HistoryKeeper::post(Task task) {
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    ready_.notify_one();
}

template <class T>
T HistoryKeeper::ask(std::function<T(Worker&)> question) {
    auto answer = std::make_shared<std::promise<T>>();
    std::future<T> future = answer->get_future();
    post([answer, question = std::move(question)](Worker& worker) { answer->set_value(question(worker)); });
    return future.get();
}

void HistoryKeeper::run() {
    for (;;) {
        Task task;
        {
            std::unique_lock lock(mutex_);
            // Pruning waits while anything else is asked, and stops with the keeper.
            const auto pruning = [this] { return !stopping_ && !worker_->doomed.empty(); };
            ready_.wait(lock, [&] { return stopping_ || !tasks_.empty() || pruning(); });
            if (tasks_.empty()) {
                if (!pruning()) return;
                lock.unlock();
                worker_->prune_some();
                continue;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task(*worker_);
    }
}

void HistoryKeeper::report(HistoryEvent event) {
    {
        const std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    if (wake_) wake_();
}

void HistoryKeeper::saved(const SnapshotTime& now, std::string previous, std::uint64_t memo_size) {
    post([this, now, previous = std::move(previous), memo_size](Worker& worker) {
        const SnapshotPlan plan = worker.policy->before_write(now, previous);
        if (auto written = worker.write(now, plan, previous, memo_size); !written) report({written.error(), false});
    });
}

void HistoryKeeper::replacing(const SnapshotTime& now, std::string current, std::uint64_t incoming_size) {
    post([this, now, current = std::move(current), incoming_size](Worker& worker) {
        const SnapshotPlan plan = worker.policy->before_replace(current);
        if (auto written = worker.write(now, plan, current, incoming_size); !written) report({written.error(), true});
    });
}

Result<void, StorageError> HistoryKeeper::keep(const SnapshotTime& now, std::string current,
                                               std::uint64_t incoming_size) {
    return ask<Result<void, StorageError>>(
        [now, current = std::move(current), incoming_size](Worker& worker) -> Result<void, StorageError> {
            return worker.write(now, worker.policy->before_replace(current), current, incoming_size);
        });
}

StorageResult<std::vector<ListedVersion>> HistoryKeeper::versions(std::string current) {
    return ask<StorageResult<std::vector<ListedVersion>>>(
        [current = std::move(current)](Worker& worker) -> StorageResult<std::vector<ListedVersion>> {
            auto listed = list_snapshots(worker.folder);
            if (!listed) return fail(listed.error());
            const std::vector<bool> same = same_as_text(worker.folder, listed.value(), current);
            std::vector<ListedVersion> versions;
            versions.reserve(listed->size());
            for (std::size_t i = 0; i < listed->size(); ++i)
                versions.push_back({std::move(listed.value()[i]), same[i]});
            return versions;
        });
}

StorageResult<bool> HistoryKeeper::give_up_duplicate(std::string memo_path) {
    return ask<StorageResult<bool>>([memo_path = std::move(memo_path)](Worker& worker) -> StorageResult<bool> {
        if (auto known = worker.ensure_listed(); !known) return fail(known.error());
        const auto memo = file_primitives::read_file(memo_path);
        if (!memo) return false;  // nothing on disk for a snapshot to copy
        auto gone = numvora::give_up_duplicate(worker.folder, worker.files, memo.value());
        if (!gone) return fail(gone.error());
        return gone->has_value();
    });
}

void HistoryKeeper::wait() {
    ask<bool>([](Worker&) { return true; });
}

std::vector<HistoryEvent> HistoryKeeper::take_events() {
    const std::lock_guard lock(mutex_);
    return std::exchange(events_, {});
}

}  // namespace numvora
