// The pure part of the margin's work: a total whose block runs back over a thousand
// lines, and the notebook kept as the memo changes: a keystroke, a line broken and joined
// again, and a whole memo read, at 10,000 lines and at 10 MiB. A whole memo read is set
// beside the least any reading costs: its text split into lines and decoded to UTF-16.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/unicode.h"
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

constexpr std::size_t MIB = 1 << 20;

// A 가계부 of about the given bytes, as a person keeps one for years: a heading per day,
// "- " lines spent and "+ " lines received, a blank line between days, CR LF breaks. The
// same text as scripts/make-large-memo.sh writes.
std::string household_memo(std::size_t bytes) {
    static const std::array<std::string, 15> SPENT = {"점심 김밥",   "커피",   "버스",   "택시",   "점심 국밥",
                                                      "저녁 장보기", "장보기", "약국",   "편의점", "주유",
                                                      "빵집",        "관리비", "통신비", "과일",   "문구"};
    static const std::array<std::string, 5> RECEIVED = {"월급", "용돈", "환급", "이자", "중고 판매"};
    static const std::array<std::string, 7> WEEKDAYS = {"월", "화", "수", "목", "금", "토", "일"};
    static constexpr std::array<int, 12> DAYS_IN = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::string memo;
    memo.reserve(bytes + 512);
    int year = 2001, month = 1, day = 1;
    std::int64_t seed = 7;
    for (int n = 0; memo.size() < bytes; ++n) {
        memo += std::to_string(year) + "년 " + std::to_string(month) + "월 " + std::to_string(day) + "일 (" +
                WEEKDAYS[static_cast<std::size_t>(n % 7)] + ")\r\n";
        const int items = 4 + n % 4;
        for (int i = 0; i < items; ++i) {
            seed = seed * 16807 % 2147483647;
            if (i == items - 1 && n % 5 == 0) {
                memo += "+ " + RECEIVED[static_cast<std::size_t>(seed % 5)] + " " + std::to_string(10 + seed % 90) +
                        ",000원\r\n";
            } else {
                const std::string hundreds = std::to_string(seed % 10 * 100);
                memo += "- " + SPENT[static_cast<std::size_t>(seed % 15)] + " " + std::to_string(1 + seed % 20) + "," +
                        std::string(3 - hundreds.size(), '0') + hundreds + "원\r\n";
            }
        }
        memo += "\r\n";
        if (++day > DAYS_IN[static_cast<std::size_t>(month - 1)]) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    return memo;
}

// The memo with names at about the given bytes.
std::string named_memo(std::size_t bytes) {
    return memo_with_names(static_cast<int>(static_cast<std::size_t>(LINES_10MIB) * bytes / (10 * MIB)), 1000);
}

std::string sized_memo(const benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(1)) * MIB;
    return state.range(0) == 0 ? household_memo(bytes) : named_memo(bytes);
}

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

// New lines typed one after another in the middle: the memo grows a line at a time.
void BM_NoteBook_NewLines_10MiB(benchmark::State& state) {
    numvora::NoteBook book;
    book.assign(memo_with_names(LINES_10MIB, 1000));
    const std::size_t middle = middle_note(book);
    const std::string line(book.text(middle));
    for (auto _ : state) book.replace(middle, 0, line);
}
BENCHMARK(BM_NoteBook_NewLines_10MiB)->Unit(benchmark::kMicrosecond);

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

// The floor under reading a memo: its lines kept as UTF-8 strings, each decoded to UTF-16
// as the window's control takes it. Args: the memo (0 a 가계부, 1 names), MiB.
void BM_SplitAndDecode(benchmark::State& state) {
    const std::string memo = sized_memo(state);
    for (auto _ : state) {
        std::vector<std::string> lines;
        std::vector<std::wstring> wide;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= memo.size(); ++i) {
            if (i < memo.size() && memo[i] != '\n') continue;
            std::size_t end = i;
            if (end > start && memo[end - 1] == '\r') --end;
            lines.emplace_back(memo, start, end - start);
            start = i + 1;
        }
        wide.reserve(lines.size());
        for (const std::string& line : lines) {
            std::wstring& out = wide.emplace_back();
            out.reserve(line.size());
            for (std::size_t pos = 0; pos < line.size();) {
                const char32_t c = numvora::decode_utf8(line, pos);
                if (c < 0x10000) {
                    out += static_cast<wchar_t>(c);
                } else {
                    out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
                    out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
                }
            }
        }
        benchmark::DoNotOptimize(wide.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * memo.size()));
}
BENCHMARK(BM_SplitAndDecode)->ArgsProduct({{0, 1}, {1, 10}})->Unit(benchmark::kMillisecond);

// The same memos read whole by the notebook.
void BM_NoteBook_Assign(benchmark::State& state) {
    const std::string memo = sized_memo(state);
    for (auto _ : state) {
        numvora::NoteBook book;
        book.assign(memo);
        benchmark::DoNotOptimize(book.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * memo.size()));
}
BENCHMARK(BM_NoteBook_Assign)->ArgsProduct({{0, 1}, {1, 10}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
