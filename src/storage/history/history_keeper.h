// The memo's history kept on a thread of its own, so that listing, writing and pruning
// thousands of snapshots never hold the window. The window hands over owned values
// only (times, texts, sizes); everything the snapshots need lives on the worker, and
// what the window must hear comes back as events, announced through wake().
//
// Snapshots are taken after the memo's save: the memo always comes first, and the text
// kept is the one memo.txt held before, so that no snapshot copies what memo.txt holds.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "storage/files/file_io.h"
#include "storage/history/memo_history.h"

namespace numvora {

struct HistoryEvent {
    StorageError error;      // why a snapshot was not kept
    bool replacing = false;  // the text was about to be replaced (a document opened)

    bool operator==(const HistoryEvent&) const = default;
};

struct ListedVersion {
    SnapshotEntry entry;
    bool same_as_memo = false;  // holds exactly the memo as it is now
};

// The error of a snapshot skipped to leave the memo's next save its room.
StorageError no_room_for_snapshot_error();

class HistoryKeeper {
public:
    struct Setup {
        std::string folder;        // the history folder
        std::string space_folder;  // an existing folder on the same volume, for the free space
        std::string start;         // the memo as opened (memo.txt's text)
        WriteCalls calls;
        std::function<void()> wake;  // called on the worker after an event is added
    };
    // Starts the worker, whose first task lists the folder (the session's one listing).
    explicit HistoryKeeper(Setup setup);
    // Finishes every task handed over (no snapshot asked for is lost at close).
    ~HistoryKeeper();
    HistoryKeeper(const HistoryKeeper&) = delete;
    HistoryKeeper& operator=(const HistoryKeeper&) = delete;

    // memo.txt now holds a text of memo_size bytes in place of previous.
    void saved(const SnapshotTime& now, std::string previous, std::uint64_t memo_size);
    // The memo (current) is about to be replaced by a text of incoming_size bytes.
    void replacing(const SnapshotTime& now, std::string current, std::uint64_t incoming_size);

    // These wait for the worker: the caller needs the answer.
    // As replacing, but says whether current is kept (or was already).
    Result<void, StorageError> keep(const SnapshotTime& now, std::string current, std::uint64_t incoming_size);
    // The snapshots newest first, each marked when it holds exactly current.
    StorageResult<std::vector<ListedVersion>> versions(std::string current);
    // give_up_duplicate() of the worker's files for the text the file at memo_path holds
    // now: true when a snapshot went.
    StorageResult<bool> give_up_duplicate(std::string memo_path);
    // Returns once every task handed over so far is done.
    void wait();

    // The events since the last call, oldest first.
    std::vector<HistoryEvent> take_events();

private:
    struct Worker;
    using Task = std::function<void(Worker&)>;
    void post(Task task);
    template <class T>
    T ask(std::function<T(Worker&)> question);
    void run();
    void report(HistoryEvent event);

    std::function<void()> wake_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Task> tasks_;
    std::vector<HistoryEvent> events_;
    bool stopping_ = false;
    std::unique_ptr<Worker> worker_;  // touched by the worker thread only
    std::thread thread_;
};

}  // namespace numvora
