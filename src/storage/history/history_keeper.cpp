#include "storage/history/history_keeper.h"

#include <algorithm>
#include <future>

#include "storage/files/file_primitives.h"

namespace numvora {

namespace fp = file_primitives;

StorageError no_room_for_snapshot_error() {
    return make_storage_error(StorageErrorKind::Other, "메모 저장에 쓸 디스크 공간을 남기려고 건너뛰었습니다.");
}

struct HistoryKeeper::Worker {
    std::string folder;
    std::string data_folder;
    WriteCalls calls;
    std::string start;  // until the first task makes the policy of it
    std::optional<SnapshotPolicy> policy;
    std::vector<SnapshotFile> files;
    bool listed = false;
    bool failing = false;  // the last snapshot asked for was not kept

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

    const std::string& folder_of(const ListedVersion& version) const {
        return version.other_window ? data_folder : folder;
    }

    // In the plan's order, stopping at a failure: the policy asks again next time, and
    // the start text must not end up newer than what followed it. memo_path is given
    // when text is what memo.txt holds, which then keeps it as a second name of its file.
    // True when a snapshot was written.
    StorageResult<bool> write(const SnapshotTime& now, const SnapshotPlan& plan, std::string_view text,
                              std::uint64_t memo_size, const std::string* memo_path) {
        bool wrote = false;
        for (const bool of_start : {true, false}) {
            if (!(of_start ? plan.start_text : plan.text)) continue;
            const std::string_view kept = of_start ? std::string_view(policy->start_text()) : text;
            if (auto known = ensure_listed(); !known) return fail(known.error());
            if (auto written =
                    keep_one(now, kept, memo_size, memo_path != nullptr && kept == text ? memo_path : nullptr);
                !written) {
                listed = false;  // a failed write may have left the folder other than known
                return fail(written.error());
            }
            wrote = true;
            policy->kept(now, kept);
            prune_due = now;  // decided once nothing else is asked
        }
        return wrote;
    }

    // A link takes no room; a copy must leave the memo's next save its own.
    Result<void, StorageError> keep_one(const SnapshotTime& now, std::string_view text, std::uint64_t memo_size,
                                        const std::string* memo_path) {
        if (memo_path != nullptr && link_snapshot_among(folder, files, now, *memo_path, text.size(), calls)) return {};
        // A volume whose free space cannot be read is written to as before.
        const auto free = calls.free_space(data_folder);
        if (free && !leaves_room_for_memo(free.value(), text.size(), memo_size))
            return fail(no_room_for_snapshot_error());
        if (auto written = write_snapshot_among(folder, files, now, text, calls); !written)
            return fail(written.error());
        return {};
    }

    StorageResult<bool> keep_before_replace(const SnapshotTime& now, std::string_view current,
                                            std::uint64_t incoming_size) {
        return write(now, policy->before_replace(current), current, incoming_size, nullptr);
    }

    // The versions from the folders' entries alone, none yet compared with the memo.
    StorageResult<std::vector<ListedVersion>> list_versions() const {
        auto snapshots = list_snapshots(folder);
        if (!snapshots) return fail(snapshots.error());
        // Conflict copies that cannot be listed leave the snapshots to show.
        auto listed_copies = list_conflict_copies(data_folder);
        std::vector<SnapshotEntry> copies =
            listed_copies ? std::move(listed_copies).value() : std::vector<SnapshotEntry>();
        std::vector<ListedVersion> listed_versions;
        listed_versions.reserve(snapshots->size() + copies.size());
        for (SnapshotEntry& entry : snapshots.value()) listed_versions.push_back({std::move(entry), false, false});
        for (SnapshotEntry& entry : copies) listed_versions.push_back({std::move(entry), false, true});
        std::stable_sort(listed_versions.begin(), listed_versions.end(),
                         [](const ListedVersion& a, const ListedVersion& b) { return a.entry.time > b.entry.time; });
        return listed_versions;
    }

    // The newest snapshot (as pruning ranks them) whose text is not keep_text: the
    // earlier text of a memo about to become keep_text.
    std::string newest_other_than(const SnapshotTime& now, std::string_view keep_text) const {
        const std::vector<std::string> order = give_up_order(files, now, {});
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            const auto file =
                std::find_if(files.begin(), files.end(), [&](const SnapshotFile& f) { return f.name == *it; });
            if (file->size != keep_text.size()) return *it;
            const auto bytes = fp::read_file(fp::join_path(folder, *it));
            if (!bytes || bytes.value() != keep_text) return *it;
        }
        return {};
    }

    std::size_t give_up(const SnapshotTime& now, const std::string& target, std::uint64_t needed,
                        std::string_view keep_text) {
        if (!ensure_listed()) return 0;
        const auto room = [&] {
            const auto free = calls.free_space(target);
            return free && free.value() >= needed;
        };
        // What pruning decides goes first, and is not counted as given up.
        decide_prune();
        while (!doomed.empty() && !room()) prune_some();
        // A target on another volume gains nothing from this one's room.
        const auto free_there = calls.free_space(target);
        const auto free_here = calls.free_space(data_folder);
        if (free_there && free_here && free_there.value() != free_here.value()) return 0;
        // A version that is a second name of another file frees nothing by itself: the
        // deletions go on until the room is there, not while each frees some.
        std::size_t gone = 0;
        for (const std::string& name : give_up_order(files, now, newest_other_than(now, keep_text))) {
            if (gone > 0 && room()) break;
            if (!fp::remove_file(fp::join_path(folder, name))) continue;  // open elsewhere
            std::erase_if(files, [&](const SnapshotFile& file) { return file.name == name; });
            ++gone;
        }
        return gone;
    }

    // What pruning deletes leaves the known files at once; the files themselves go a few
    // at a time between other tasks (prune_some), so that a window waiting for an
    // answer never waits for thousands of deletions, nor for the decision.
    std::optional<SnapshotTime> prune_due;  // a snapshot was written at this time
    std::vector<std::string> doomed;
    void decide_prune() {
        if (!prune_due) return;
        std::vector<std::string> names = snapshots_to_delete(files, *std::exchange(prune_due, std::nullopt));
        doomed.insert(doomed.end(), names.begin(), names.end());
        std::sort(names.begin(), names.end());
        std::erase_if(
            files, [&](const SnapshotFile& file) { return std::binary_search(names.begin(), names.end(), file.name); });
    }
    // Deletes up to PRUNE_SLICE of them. One that cannot be deleted (open elsewhere)
    // stays until a later prune.
    void prune_some() {
        const std::size_t count = std::min(PRUNE_SLICE, doomed.size());
        for (std::size_t i = doomed.size() - count; i < doomed.size(); ++i)
            (void)fp::remove_file(fp::join_path(folder, doomed[i]));
        doomed.resize(doomed.size() - count);
    }
};

HistoryKeeper::HistoryKeeper(Setup setup) : wake_(std::move(setup.wake)), worker_(std::make_unique<Worker>()) {
    // Before the thread starts, so that only it touches the worker from then on.
    worker_->folder = std::move(setup.folder);
    worker_->data_folder = std::move(setup.data_folder);
    worker_->calls = setup.calls;
    worker_->start = std::move(setup.start);
    first_.push_back([](Worker& worker) { worker.open(); });
    thread_ = std::thread([this] { run(); });
}

struct HistoryKeeper::Listing {
    std::string current;
    Wanted wanted;
    Answer<StorageResult<std::vector<ListedVersion>>> answer;
    std::vector<ListedVersion> versions;
    std::size_t next = 0;  // the next version to compare with current
};

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

void HistoryKeeper::post_first(Task task) {
    {
        const std::lock_guard lock(mutex_);
        first_.push_back(std::move(task));
    }
    ready_.notify_one();
}

template <class T>
T HistoryKeeper::ask_first(std::function<T(Worker&)> question) {
    // Shared, so that the promise outlives the worker's last touch of it.
    auto answer = std::make_shared<std::promise<T>>();
    std::future<T> future = answer->get_future();
    post_first([answer, &question](Worker& worker) { answer->set_value(question(worker)); });
    return future.get();
}

void HistoryKeeper::run() {
    for (;;) {
        Task task;
        {
            std::unique_lock lock(mutex_);
            // Pruning waits while anything else is asked.
            const auto pruning = [this] { return worker_->prune_due || !worker_->doomed.empty(); };
            ready_.wait(lock, [&] { return stopping_ || !first_.empty() || !tasks_.empty() || pruning(); });
            if (stopping_) return;
            std::deque<Task>& next = first_.empty() ? tasks_ : first_;
            if (next.empty()) {
                lock.unlock();
                worker_->decide_prune();
                worker_->prune_some();
                continue;
            }
            task = std::move(next.front());
            next.pop_front();
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

namespace {

// A failure each time; a snapshot kept once more after failures ends them.
template <class Report>
void tell(bool& failing, const StorageResult<bool>& written, bool replacing, Report report) {
    if (!written) {
        failing = true;
        report(HistoryEvent{written.error(), replacing});
    } else if (written.value() && std::exchange(failing, false)) {
        report(HistoryEvent{std::nullopt, replacing});
    }
}

}  // namespace

StorageResult<std::optional<std::string>> HistoryKeeper::before_save(const SnapshotTime& now,
                                                                     const std::string& memo_path,
                                                                     const std::string& held,
                                                                     const std::string& incoming,
                                                                     bool changed_elsewhere) {
    return ask_first<StorageResult<std::optional<std::string>>>(
        [&](Worker& worker) -> StorageResult<std::optional<std::string>> {
            std::optional<std::string> copy;
            if (changed_elsewhere) {
                auto written = write_conflict_copy(worker.data_folder, held, worker.calls);
                if (!written) return fail(written.error());
                copy = std::move(written).value();
            }
            const SnapshotPlan plan = worker.policy->before_write(now, held, incoming);
            tell(worker.failing, worker.write(now, plan, held, incoming.size(), &memo_path), false,
                 [this](HistoryEvent event) { report(std::move(event)); });
            return copy;
        });
}

bool HistoryKeeper::replacing(const SnapshotTime& now, std::string current, std::uint64_t incoming_size) {
    return ask_first<bool>([&](Worker& worker) {
        const SnapshotPlan plan = worker.policy->before_replace(current);
        tell(worker.failing, worker.write(now, plan, current, incoming_size, nullptr), true,
             [this](HistoryEvent event) { report(std::move(event)); });
        // The start text due means memo.txt alone held it: current is it or differs from it.
        return plan.text || plan.start_text;
    });
}

std::size_t HistoryKeeper::give_up(const SnapshotTime& now, const std::string& target_folder, std::uint64_t needed,
                                   const std::string& keep_text) {
    return ask_first<std::size_t>(
        [&](Worker& worker) { return worker.give_up(now, target_folder, needed, keep_text); });
}

void HistoryKeeper::versions(std::string current, Wanted wanted,
                             Answer<StorageResult<std::vector<ListedVersion>>> answer) {
    auto listing = std::make_shared<Listing>(Listing{std::move(current), std::move(wanted), std::move(answer), {}, 0});
    post([this, listing](Worker& worker) {
        if (!listing->wanted()) return;
        auto listed = worker.list_versions();
        if (!listed) return listing->answer(fail(listed.error()));
        listing->versions = std::move(listed).value();
        compare_on(listing);
    });
}

// One version of the memo's size compared a task, so that a save waits for one at most.
void HistoryKeeper::compare_on(std::shared_ptr<Listing> listing) {
    post([this, listing = std::move(listing)](Worker& worker) mutable {
        if (!listing->wanted()) return;
        std::vector<ListedVersion>& versions = listing->versions;
        std::size_t& next = listing->next;
        while (next < versions.size() && versions[next].entry.size != listing->current.size()) ++next;
        if (next == versions.size()) return listing->answer(std::move(versions));
        ListedVersion& version = versions[next++];
        version.same_as_memo = holds_text(worker.folder_of(version), version.entry, listing->current);
        compare_on(std::move(listing));
    });
}

void HistoryKeeper::version_start(ListedVersion version, std::size_t max_bytes,
                                  Answer<StorageResult<VersionStart>> answer) {
    post([version = std::move(version), max_bytes, answer = std::move(answer)](Worker& worker) {
        const std::string& folder = worker.folder_of(version);
        auto line = snapshot_preview(folder, version.entry.name);
        if (!line) return answer(fail(line.error()));
        auto start = snapshot_start(folder, version.entry.name, max_bytes);
        if (!start) return answer(fail(start.error()));
        answer(VersionStart{std::move(line).value(), std::move(start).value()});
    });
}

void HistoryKeeper::read_on(std::shared_ptr<VersionReader> reader, Wanted wanted,
                            Answer<StorageResult<std::string>> answer) {
    post([this, reader = std::move(reader), wanted = std::move(wanted), answer = std::move(answer)](Worker&) mutable {
        if (!wanted()) return;
        const auto done = reader->next();
        if (!done) return answer(fail(done.error()));
        if (done.value()) return answer(reader->take_text());
        read_on(std::move(reader), std::move(wanted), std::move(answer));
    });
}

void HistoryKeeper::check_version(ListedVersion version, Wanted wanted, Answer<Result<void, StorageError>> answer) {
    post([this, version = std::move(version), wanted = std::move(wanted), answer = std::move(answer)](Worker& worker) {
        auto reader = VersionReader::open(worker.folder_of(version), version.entry.name, false);
        if (!reader) return answer(fail(reader.error()));
        read_on(std::make_shared<VersionReader>(std::move(reader).value()), wanted,
                [answer](const StorageResult<std::string>& read) {
                    answer(read ? Result<void, StorageError>() : Result<void, StorageError>(fail(read.error())));
                });
    });
}

void HistoryKeeper::read_version(ListedVersion version, Wanted wanted, Answer<StorageResult<std::string>> answer) {
    post([this, version = std::move(version), wanted = std::move(wanted), answer = std::move(answer)](Worker& worker) {
        auto reader = VersionReader::open(worker.folder_of(version), version.entry.name, true);
        if (!reader) return answer(fail(reader.error()));
        read_on(std::make_shared<VersionReader>(std::move(reader).value()), wanted, answer);
    });
}

void HistoryKeeper::keep(const SnapshotTime& now, std::string current, std::uint64_t incoming_size,
                         Answer<Result<void, StorageError>> answer) {
    post([this, now, current = std::move(current), incoming_size, answer = std::move(answer)](Worker& worker) {
        const auto kept = worker.keep_before_replace(now, current, incoming_size);
        // A failure is the answer's to say; one kept ends the failures.
        if (kept) tell(worker.failing, kept, false, [this](HistoryEvent event) { report(std::move(event)); });
        answer(kept ? Result<void, StorageError>() : Result<void, StorageError>(fail(kept.error())));
    });
}

std::vector<HistoryEvent> HistoryKeeper::take_events() {
    const std::lock_guard lock(mutex_);
    return std::exchange(events_, {});
}

}  // namespace numvora
