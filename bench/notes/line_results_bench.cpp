// The pure part of the margin's work: the results of a screen of notes, and of a total
// line whose block runs back over a thousand lines.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "notes/note_blocks.h"
#include "notes/notebook.h"

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

// A memo of 10,000 lines with 1,000 names, each defined once and taken by the lines
// after it; a keystroke changes one line in the middle.
std::string memo_with_names(int names) {
    std::string memo;
    for (int line = 0; line < 10'000; ++line) {
        const int name = line * names / 10'000;
        if (names > 0 && line % (10'000 / names) == 0)
            memo += "항목" + std::to_string(name) + " = " + std::to_string(1000 + line) + "원\n";
        else if (names > 0 && line % 7 == 3)
            memo += "항목" + std::to_string(name) + " * 12\n";
        else
            memo += "점심 김밥 두 줄 12,000원 (회사 앞 분식집, 카드 결제)\n";
        if (line % 10 == 9) memo += "합계\n\n";
    }
    return memo;
}

void BM_NoteBook_Keystroke(benchmark::State& state) {
    numvora::NoteBook book;
    book.assign(memo_with_names(static_cast<int>(state.range(0))));
    const std::size_t middle = book.size() / 2;
    const std::string line(book.text(middle));
    std::size_t reread = 0;
    bool odd = false;
    for (auto _ : state) {
        book.replace(middle, 1, (odd = !odd) ? line + "1" : line);
        reread += book.last_reread();
    }
    state.counters["lines read"] = static_cast<double>(reread) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_NoteBook_Keystroke)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A keystroke in the value of a name that the lines below take.
void BM_NoteBook_KeystrokeInADefinition(benchmark::State& state) {
    numvora::NoteBook book;
    book.assign(memo_with_names(1000));
    std::size_t definition = book.size() / 2;
    while (book.reading(definition).defines.empty()) ++definition;
    const std::string line(book.text(definition));
    std::size_t reread = 0;
    bool odd = false;
    for (auto _ : state) {
        book.replace(definition, 1, (odd = !odd) ? line + "1" : line);
        reread += book.last_reread();
    }
    state.counters["lines read"] = static_cast<double>(reread) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_NoteBook_KeystrokeInADefinition)->Unit(benchmark::kMicrosecond);

void BM_NoteBook_Assign_10000Lines(benchmark::State& state) {
    const std::string memo = memo_with_names(1000);
    for (auto _ : state) {
        numvora::NoteBook book;
        book.assign(memo);
        benchmark::DoNotOptimize(book.size());
    }
}
BENCHMARK(BM_NoteBook_Assign_10000Lines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
