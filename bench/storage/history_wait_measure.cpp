// How long the window's thread waits on the memo history's worker, with 10,000
// versions of a 1 MiB memo: each call that waits is timed as the window makes it,
// while the worker is as busy as a user can make it (the versions dialog listing the
// folder, which compares every version of the memo's size with the memo). The versions
// are second names of one file, so that the folder takes 1 MiB of disk.
//   numvora-history-wait-measure [VERSIONS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "storage/history/history_keeper.h"
#include "storage/history/memo_history.h"

namespace {

using namespace numvora;
namespace fs = std::filesystem;

constexpr std::size_t MiB = std::size_t{1} << 20;

std::string memo_text(std::size_t bytes) {
    const std::string line = "회의 메모 12,345 * 3 = 37,035; total of the week\n";
    std::string text;
    while (text.size() + line.size() <= bytes) text += line;
    return text + std::string(bytes - text.size(), '.');
}

double milliseconds_of(const std::function<void()>& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double longest = 0;

void report(const char* what, double ms) {
    longest = std::max(longest, ms);
    std::printf("%-62s %10.1f ms\n", what, ms);
    std::fflush(stdout);
}

// The dialog's listing started, and given time to be under way.
void start_listing(HistoryKeeper& keeper, const std::string& memo) {
    keeper.versions(
        memo, [] { return true; }, [](auto) {});
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace

int main(int argc, char** argv) {
    const int versions = argc > 1 ? std::atoi(argv[1]) : 10000;
    const fs::path root = fs::temp_directory_path() / ("numvora-wait-" + std::to_string(std::random_device{}()));
    const fs::path history = root / "history";
    fs::create_directories(history);
    const std::string memo = memo_text(MiB);
    const std::string memo_path = (root / "memo.txt").string();
    std::ofstream(memo_path, std::ios::binary) << memo;
    // One every 8 seconds up to an hour ago: none is due to be pruned.
    const SnapshotTime now = local_now();
    for (int i = 0; i < versions; ++i)
        fs::create_hard_link(memo_path,
                             history / snapshot_name(from_seconds(to_seconds(now) - 3600 - std::int64_t{8} * i)));
    std::printf("%d versions of a %zu-byte memo\n", versions, memo.size());

    const std::string edited = memo.substr(0, memo.size() - 1) + "!";
    const std::string again = memo.substr(0, memo.size() - 1) + "?";
    auto keeper =
        std::make_unique<HistoryKeeper>(HistoryKeeper::Setup{history.string(), root.string(), memo, WriteCalls{}, {}});
    report("a save at the start, behind the session's one listing",
           milliseconds_of([&] { (void)keeper->before_save(now, memo_path, memo, edited, false); }));

    start_listing(*keeper, memo);
    report("a save while the versions dialog lists the folder",
           milliseconds_of([&] { (void)keeper->before_save(now, memo_path, edited, again, false); }));
    start_listing(*keeper, memo);
    report("a document opened while the dialog lists",
           milliseconds_of([&] { keeper->replacing(now, again, memo.size()); }));
    start_listing(*keeper, memo);
    report("a full disk while the dialog lists",
           milliseconds_of([&] { (void)keeper->give_up(now, root.string(), 0, memo); }));
    start_listing(*keeper, memo);
    report("the close while the dialog lists", milliseconds_of([&] { keeper.reset(); }));

    std::printf("%-62s %10.1f ms\n", "the longest wait", longest);
    fs::remove_all(root);
    return 0;
}
