// The pure part of the margin's work: a total whose block runs back over a thousand
// lines, and the notebook kept as the memo changes: a keystroke, a line broken and joined
// again, and a whole memo read, at 10,000 lines and at 10 MiB.
#include <benchmark/benchmark.h>

#include <string>

#include "notes/book/notebook.h"

namespace {

// A memo of the given lines with names, each defined once and taken by the lines after
// it, in blocks of ten lines and their 합계.
std::string memo_with_names(int lines, int names) {
    std::string memo;
    const int every = names > 0 ? lines / names : 1;
    for (int line = 0; line < lines; ++line) {
        const int name = names > 0 ? line / every : 0;
        if (names > 0 && line % every == 0)
            memo += "항목" + std::to_string(name) + " = " + std::to_string(1000 + line) + "원\n";
        else if (names > 0 && line % 7 == 3)
            memo += "항목" + std::to_string(name) + " * 12\n";
        else
            memo += "점심 김밥 두 줄 12,000원 (회사 앞 분식집, 카드 결제)\n";
        if (line % 10 == 9) memo += "합계\n\n";
    }
    return memo;
}

// About 10 MiB of such lines.
constexpr int LINES_10MIB = 165'000;

// F9 on a total line whose block of a thousand lines is read from the book.
void BM_OpenBlock_1000Lines(benchmark::State& state) {
    std::string memo;
    for (int line = 0; line < 1000; ++line) memo += "관리비 123,000원 나눠 낼 것\n";
    numvora::NoteBook book;
    book.assign(memo + "합계");
    for (auto _ : state) benchmark::DoNotOptimize(book.total_at(book.size() - 1));
}
BENCHMARK(BM_OpenBlock_1000Lines)->Unit(benchmark::kMicrosecond);

// The first note of a meal at or after the middle of the book: a line no other takes.
std::size_t middle_note(const numvora::NoteBook& book) {
    std::size_t middle = book.size() / 2;
    while (!book.text(middle).starts_with("점심")) ++middle;
    return middle;
}

// A keystroke in the line: a digit typed, then taken away.
void keystrokes(benchmark::State& state, numvora::NoteBook& book, std::size_t middle) {
    const std::string line(book.text(middle));
    std::size_t reread = 0;
    bool odd = false;
    for (auto _ : state) {
        reread += book.replace(middle, 1, (odd = !odd) ? line + "1" : line);
    }
    state.counters["lines read"] = static_cast<double>(reread) / static_cast<double>(state.iterations());
}

// Enter in the middle of the line, then Backspace joining it again.
void line_breaks(benchmark::State& state, numvora::NoteBook& book, std::size_t middle) {
    const std::string line(book.text(middle));
    const std::string broken = line.substr(0, 6) + "\n" + line.substr(6);
    std::size_t reread = 0;
    bool odd = false;
    for (auto _ : state) {
        reread += (odd = !odd) ? book.replace(middle, 1, broken) : book.replace(middle, 2, line);
    }
    state.counters["lines read"] = static_cast<double>(reread) / static_cast<double>(state.iterations());
}

void BM_NoteBook_Keystroke(benchmark::State& state) {
    numvora::NoteBook book;
    book.assign(memo_with_names(10'000, static_cast<int>(state.range(0))));
    keystrokes(state, book, book.size() / 2);
}
BENCHMARK(BM_NoteBook_Keystroke)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The same line of a 10 MiB memo typed in, and broken and joined.
void BM_NoteBook_Keystroke_10MiB(benchmark::State& state) {
    numvora::NoteBook book;
    book.assign(memo_with_names(LINES_10MIB, 1000));
    keystrokes(state, book, middle_note(book));
}
BENCHMARK(BM_NoteBook_Keystroke_10MiB)->Unit(benchmark::kMicrosecond);

void BM_NoteBook_LineBreak_10MiB(benchmark::State& state) {
    numvora::NoteBook book;
    book.assign(memo_with_names(LINES_10MIB, 1000));
    line_breaks(state, book, middle_note(book));
}
BENCHMARK(BM_NoteBook_LineBreak_10MiB)->Unit(benchmark::kMicrosecond);

// A keystroke in the value of a name that the lines below take.
void BM_NoteBook_KeystrokeInADefinition(benchmark::State& state) {
    numvora::NoteBook book;
    book.assign(memo_with_names(10'000, 1000));
    std::size_t definition = book.size() / 2;
    while (book.reading(definition).defines.empty()) ++definition;
    const std::string line(book.text(definition));
    std::size_t reread = 0;
    bool odd = false;
    for (auto _ : state) {
        reread += book.replace(definition, 1, (odd = !odd) ? line + "1" : line);
    }
    state.counters["lines read"] = static_cast<double>(reread) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_NoteBook_KeystrokeInADefinition)->Unit(benchmark::kMicrosecond);

void BM_NoteBook_Assign_10000Lines(benchmark::State& state) {
    const std::string memo = memo_with_names(10'000, 1000);
    for (auto _ : state) {
        numvora::NoteBook book;
        book.assign(memo);
        benchmark::DoNotOptimize(book.size());
    }
}
BENCHMARK(BM_NoteBook_Assign_10000Lines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
