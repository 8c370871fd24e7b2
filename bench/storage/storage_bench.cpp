// Throughput of the hex codec, parsing a large document, one data-file write, and the
// memo history: a folder of 10,000 snapshots listed and pruned, one snapshot written.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "storage/document.h"
#include "storage/files/file_io.h"
#include "storage/history/memo_history.h"
#include "storage/text_codec.h"

namespace {

using namespace numvora;

// Memo-like text: Latin and Hangul words, digits and line feeds.
std::string memo_text(std::size_t bytes) {
    const std::string line = "회의 메모 12,345 * 3 = 37,035; total of the week\n";
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    while (text.size() > bytes || (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80 ||
           static_cast<unsigned char>(text.back()) >= 0xC0)
        text.pop_back();  // cut on a character boundary
    return text;
}

constexpr std::size_t MiB = 1024 * 1024;

void BM_encode_hex_text(benchmark::State& state) {
    const std::string text = memo_text(static_cast<std::size_t>(state.range(0)) * MiB);
    for (auto _ : state) benchmark::DoNotOptimize(encode_hex_text(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_encode_hex_text)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

// The codec alone: the output buffer is reused, so no fresh pages are faulted in.
void BM_append_hex_text_reused_buffer(benchmark::State& state) {
    const std::string text = memo_text(static_cast<std::size_t>(state.range(0)) * MiB);
    std::string out;
    for (auto _ : state) {
        out.clear();
        append_hex_text(out, text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_append_hex_text_reused_buffer)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_decode_hex_text(benchmark::State& state) {
    const std::string hex = encode_hex_text(memo_text(static_cast<std::size_t>(state.range(0)) * MiB));
    for (auto _ : state) {
        auto decoded = decode_hex_text(hex);
        if (!decoded) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(decoded);
    }
    // Measured over the hex input, the bytes the decoder reads.
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * hex.size()));
}
BENCHMARK(BM_decode_hex_text)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_parse_document_50MiB_memo(benchmark::State& state) {
    PadDocument document;
    document.memo = memo_text(50 * MiB);
    document.expression = "1234*2";
    document.last_expression = "1234*2";
    document.last_result = "2468";
    for (int i = 0; i < 20; ++i) document.history.push_back({std::to_string(i) + "*2", std::to_string(i * 2)});
    const std::string text = format_document(document);
    for (auto _ : state) {
        auto parsed = parse_document(text);
        if (!parsed) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(parsed);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_parse_document_50MiB_memo)->Unit(benchmark::kMillisecond);

void BM_format_document_50MiB_memo(benchmark::State& state) {
    PadDocument document;
    document.memo = memo_text(50 * MiB);
    for (auto _ : state) benchmark::DoNotOptimize(format_document(document));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.memo.size()));
}
BENCHMARK(BM_format_document_50MiB_memo)->Unit(benchmark::kMillisecond);

// One auto-save of a large memo: temporary file, flush to the disk, replace.
void BM_write_data_file_10MiB(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("numvora-bench-" + std::to_string(std::random_device{}()));
    const std::string data = (folder / "Numvora").string();
    const std::string file = (folder / "Numvora" / "memo.txt").string();
    const std::string text = memo_text(10 * MiB);
    for (auto _ : state) {
        if (!write_data_file(data, file, text)) state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    fs::remove_all(folder);
}
BENCHMARK(BM_write_data_file_10MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

namespace fs = std::filesystem;

fs::path bench_folder() {
    return fs::temp_directory_path() / ("numvora-bench-" + std::to_string(std::random_device{}()));
}

const SnapshotTime HISTORY_NOW{2026, 12, 7, 12, 0, 0};

// One snapshot a minute up to HISTORY_NOW: about a week, so pruning keeps the last
// day's 1,440 and the newest of each earlier day.
std::vector<std::string> minute_snapshots(std::size_t count) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i)
        names.push_back(snapshot_name(from_seconds(to_seconds(HISTORY_NOW) - static_cast<std::int64_t>(i) * 60)));
    return names;
}

void fill_history(const fs::path& folder, const std::vector<std::string>& names) {
    fs::create_directories(folder);
    for (const std::string& name : names) std::ofstream(folder / name) << "회의 메모 " << name << "\n";
}

void BM_list_snapshots_10000(benchmark::State& state) {
    const fs::path root = bench_folder();
    fill_history(root, minute_snapshots(10000));
    for (auto _ : state) {
        auto listed = list_snapshots(root.string());
        if (!listed || listed->size() != 10000) state.SkipWithError("listing failed");
        benchmark::DoNotOptimize(listed);
    }
    fs::remove_all(root);
}
BENCHMARK(BM_list_snapshots_10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_snapshots_to_delete_10000(benchmark::State& state) {
    std::vector<SnapshotFile> files;
    for (std::string& name : minute_snapshots(10000)) files.push_back({std::move(name), 1000});
    for (auto _ : state) benchmark::DoNotOptimize(snapshots_to_delete(files, HISTORY_NOW));
}
BENCHMARK(BM_snapshots_to_delete_10000)->Unit(benchmark::kMillisecond);

// Listing, the rule and about 8,500 deletions; the folder is refilled untimed.
void BM_prune_snapshots_10000(benchmark::State& state) {
    const fs::path root = bench_folder();
    const std::vector<std::string> names = minute_snapshots(10000);
    for (auto _ : state) {
        state.PauseTiming();
        fill_history(root, names);
        state.ResumeTiming();
        auto pruned = prune_snapshots(root.string(), HISTORY_NOW);
        if (!pruned || *pruned < 8000) state.SkipWithError("pruning failed");
    }
    fs::remove_all(root);
}
BENCHMARK(BM_prune_snapshots_10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// One snapshot of a large memo (crash-safe write and the prune after it), a minute
// after the one before, so the 200 MiB limit keeps the folder bounded.
void BM_write_snapshot(benchmark::State& state) {
    const fs::path root = bench_folder();
    const std::string folder = (root / "history").string();
    const std::string text = memo_text(static_cast<std::size_t>(state.range(0)) * MiB);
    std::int64_t now = to_seconds(HISTORY_NOW);
    for (auto _ : state) {
        if (!write_snapshot(folder, from_seconds(now += 60), text)) state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    fs::remove_all(root);
}
BENCHMARK(BM_write_snapshot)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
