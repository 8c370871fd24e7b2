// Throughput of the hex codec, parsing a large document, and one data-file write.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "storage/document.h"
#include "storage/file_io.h"
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

}  // namespace

BENCHMARK_MAIN();
