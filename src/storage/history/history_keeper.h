// The memo's history kept on a thread of its own, the one owner of the history folder
// and of the conflict copies beside memo.txt: listing, writing, reading and pruning
// versions never hold the window, and no other thread opens a file of theirs. The window
// hands over owned values only (times, texts, sizes); what it must hear comes back as
// answers and events, called on the worker, which only pass them on (a window is sent a
// message to take them).
//
// Three calls wait for the worker, because what the window does next needs them done:
// before_save (memo.txt's text kept before the memo replaces it), replacing (the memo
// kept before a document replaces it) and give_up (a full disk). Each goes ahead of every
// other task, so the window waits for what it asked for and at most the task in hand:
// the session's one listing of the folder, one snapshot, one version compared with the
// memo (a read of the memo's size), PRUNE_SLICE deletions, or one piece of a version
// read (VersionReader::PIECE_BYTES). With 10,000 versions of a 1 MiB memo, a save waits
// 11 to 27 ms while the versions dialog lists them, and the longest wait, a document's
// snapshot copied and flushed or a full disk's deletions, was 0.1 to 0.4 s on a loaded
// machine (bench/storage/history_wait_measure.cpp).
//
// At close the worker ends after the task in hand. What was still queued is dropped:
// answers for a dialog that is gone, and pruning, which the next snapshot written asks
// for again.
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
    // Why a snapshot was not kept; nothing when one was kept again after a failure.
    std::optional<StorageError> error;
    bool replacing = false;  // the text was about to be replaced (a document opened)

    bool operator==(const HistoryEvent&) const = default;
};

struct ListedVersion {
    SnapshotEntry entry;
    bool same_as_memo = false;  // holds exactly the memo as it is now
    bool other_window = false;  // a conflict copy beside memo.txt, not a snapshot
};

struct VersionStart {
    std::string first_line;  // as snapshot_preview gives it
    SnapshotStart start;
};

// How the worker answers a question: called on the worker, it should only hand the
// value on.
template <class T>
using Answer = std::function<void(T)>;
// Asked between the pieces of a long read: false drops the question unanswered.
using Wanted = std::function<bool()>;

// The error of a snapshot skipped to leave the memo's next save its room.
StorageError no_room_for_snapshot_error();

inline constexpr std::size_t PRUNE_SLICE = 32;

class HistoryKeeper {
public:
    struct Setup {
        std::string folder;       // the history folder
        std::string data_folder;  // memo.txt's: the conflict copies, and the free space of the volume
        std::string start;        // the memo as opened (memo.txt's text)
        WriteCalls calls;
        std::function<void()> wake;  // called on the worker after an event is added
    };
    // Starts the worker, whose first task lists the folder (the session's one listing).
    explicit HistoryKeeper(Setup setup);
    // Waits for the task in hand only; every snapshot asked for was waited for already.
    ~HistoryKeeper();
    HistoryKeeper(const HistoryKeeper&) = delete;
    HistoryKeeper& operator=(const HistoryKeeper&) = delete;

    // memo.txt (at memo_path, holding held) is about to be replaced by incoming. When
    // another writer changed it (changed_elsewhere), held is kept first as a conflict
    // copy, whose path comes back; a failure to keep it is the answer, and memo.txt must
    // then stay. When a snapshot is due, held is kept as a second name of memo.txt's file
    // where the file system allows and as a copy otherwise; a failure of that comes as an
    // event. Waits, as said above.
    StorageResult<std::optional<std::string>> before_save(const SnapshotTime& now, const std::string& memo_path,
                                                          const std::string& held, const std::string& incoming,
                                                          bool changed_elsewhere);
    // The memo (current) is about to be replaced by a text of incoming_size bytes (a
    // document opened). Waits, as said above; a failure comes as an event. True when no
    // version held current before (kept now, or lost when its keeping failed).
    bool replacing(const SnapshotTime& now, std::string current, std::uint64_t incoming_size);
    // A write into target_folder failed for lack of space: snapshots go in give_up_order,
    // never the newest one that differs from keep_text, until target_folder has needed
    // bytes free, at least one while there is one; none when target_folder lies on
    // another volume, which gains nothing. Gives how many went. Waits, as said above, and
    // for the deletions.
    std::size_t give_up(const SnapshotTime& now, const std::string& target_folder, std::uint64_t needed,
                        const std::string& keep_text);

    // The versions newest first, snapshots and conflict copies, each marked when it holds
    // exactly current: listed, then compared with current one version of its size at a
    // time, between other tasks.
    void versions(std::string current, Wanted wanted, Answer<StorageResult<std::vector<ListedVersion>>> answer);
    // What a version's list line and preview show: its first line and its first max_bytes.
    void version_start(ListedVersion version, std::size_t max_bytes, Answer<StorageResult<VersionStart>> answer);
    // Whether the whole version is memo text, read a piece between other tasks.
    void check_version(ListedVersion version, Wanted wanted, Answer<Result<void, StorageError>> answer);
    // The whole text of a version, read as check_version does, a byte-order mark left out.
    void read_version(ListedVersion version, Wanted wanted, Answer<StorageResult<std::string>> answer);
    // As replacing, but the answer says whether current is kept (or was already): a
    // restore replaces the memo only then.
    void keep(const SnapshotTime& now, std::string current, std::uint64_t incoming_size,
              Answer<Result<void, StorageError>> answer);

    // The events since the last call, oldest first.
    std::vector<HistoryEvent> take_events();

private:
    struct Worker;
    using Task = std::function<void(Worker&)>;
    void post(Task task);
    void post_first(Task task);
    template <class T>
    T ask_first(std::function<T(Worker&)> question);
    struct Listing;
    void compare_on(std::shared_ptr<Listing> listing);
    void read_on(std::shared_ptr<VersionReader> reader, Wanted wanted, Answer<StorageResult<std::string>> answer);
    void run();
    void report(HistoryEvent event);

    std::function<void()> wake_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Task> first_;  // the window waits for these
    std::deque<Task> tasks_;
    std::vector<HistoryEvent> events_;
    bool stopping_ = false;
    std::unique_ptr<Worker> worker_;  // touched by the worker thread only
    std::thread thread_;
};

}  // namespace numvora
