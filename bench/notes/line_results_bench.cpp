// The pure part of the margin's work: the results of a screen of notes, and of a total
// line whose block runs back over a thousand lines.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "notes/note_blocks.h"

namespace {

using numvora::line_results;
using numvora::tally_of;

// Forty rows of a household notebook: notes, expressions, dates, totals and empty lines.
std::vector<std::string> screen_of_notes() {
    const char* lines[] = {"점심 김밥 두 줄 12,000원 (회사 앞 분식집, 카드 결제)",
                           "커피 4,500원 x 2 오후 회의 때 산 것",
                           "택시 오후 3시 8,300원 영수증 받음",
                           "12월 7일 회의록 정리, 다음 주 월요일까지 보낼 것",
                           "(12,000 + 4,500) * 3 = 49,500",
                           "관리비 12만 3천원",
                           "합계",
                           ""};
    std::vector<std::string> screen;
    for (int i = 0; i < 40; ++i) screen.emplace_back(lines[i % 8]);
    return screen;
}

std::vector<std::string_view> views_of(const std::vector<std::string>& lines) { return {lines.begin(), lines.end()}; }

void BM_LineResults_Screen40(benchmark::State& state) {
    const std::vector<std::string> screen = screen_of_notes();
    const std::vector<std::string_view> views = views_of(screen);
    for (auto _ : state) benchmark::DoNotOptimize(line_results(views));
}
BENCHMARK(BM_LineResults_Screen40)->Unit(benchmark::kMicrosecond);

// A total line's block of a thousand lines, read from nothing: what F9 on it and the
// margin's first look above the screen do.
void BM_OpenBlock_1000Lines(benchmark::State& state) {
    const std::vector<std::string> above(1000, "관리비 123,000원 나눠 낼 것");
    const std::vector<std::string_view> views = views_of(above);
    for (auto _ : state) benchmark::DoNotOptimize(tally_of(views).total(numvora::TotalWord::Grand));
}
BENCHMARK(BM_OpenBlock_1000Lines)->Unit(benchmark::kMicrosecond);

// The screen with a total on it whose block above is already read (the margin keeps it).
void BM_LineResults_Screen40AfterBlock(benchmark::State& state) {
    const std::vector<std::string> above(1000, "관리비 123,000원 나눠 낼 것");
    const numvora::BlockTally block = tally_of(views_of(above));
    std::vector<std::string> screen(39, "관리비 123,000원 나눠 낼 것");
    screen.emplace_back("합계");
    const std::vector<std::string_view> views = views_of(screen);
    for (auto _ : state) benchmark::DoNotOptimize(line_results(views, block));
}
BENCHMARK(BM_LineResults_Screen40AfterBlock)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
