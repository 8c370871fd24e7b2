// Throughput of the engine against muparser, and of the display formatting.
// muparser has no "%" and reads "," as an argument separator, so the comparison texts
// use only + - * / and plain literals; BM_Evaluate_Typical keeps the calculator's own
// form with a thousands comma and a remainder.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "calculator/selection.h"
#include "notes/book/note_blocks.h"
#include "notes/book/notebook.h"

namespace {

using namespace numvora;

const std::string TYPICAL = "1,234*2+(5.5%2)/3";
const std::string TYPICAL_PEER = "1234*2+(5.5-2)/3";  // the same shape in muparser's grammar

// A flat expression of non-zero literals and + - * / of about the given size.
std::string flat_expression(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> integer(1, 99999);
    std::uniform_int_distribution<int> fraction(1, 999);
    std::uniform_int_distribution<int> pick(0, 3);
    std::string text;
    while (text.size() < size) {
        if (!text.empty()) text += "+-*/"[pick(rng)];
        text += std::to_string(integer(rng));
        if (pick(rng) == 0) {
            text += '.';
            text += std::to_string(fraction(rng));
        }
    }
    return text;
}

const std::string FLAT_4K = flat_expression(4096, 1);
const std::string FLAT_1M = flat_expression(1 << 20, 2);

void evaluate_bench(benchmark::State& state, const std::string& text) {
    if (!evaluate(text)) state.SkipWithError("the expression does not evaluate");
    for (auto _ : state) benchmark::DoNotOptimize(evaluate(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void muparser_bench(benchmark::State& state, const std::string& text) {
    mu::Parser parser;
    try {
        // Both must compute the same thing for the comparison to mean anything.
        parser.SetExpr(text);
        const double peer = parser.Eval();
        if (std::fabs(peer - *evaluate(text)) > 1e-9 * std::fabs(peer))
            state.SkipWithError("muparser computes a different value");
    } catch (const mu::Parser::exception_type& e) {
        state.SkipWithError(("muparser refuses the text: " + e.GetMsg()).c_str());
        return;
    }
    for (auto _ : state) {
        // A new text each time: SetExpr discards the bytecode, Eval parses again.
        parser.SetExpr(text);
        benchmark::DoNotOptimize(parser.Eval());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Evaluate_Typical(benchmark::State& s) { evaluate_bench(s, TYPICAL); }
void BM_Evaluate_TypicalPeerForm(benchmark::State& s) { evaluate_bench(s, TYPICAL_PEER); }
void BM_Muparser_TypicalPeerForm(benchmark::State& s) { muparser_bench(s, TYPICAL_PEER); }
void BM_Evaluate_Flat4K(benchmark::State& s) { evaluate_bench(s, FLAT_4K); }
void BM_Muparser_Flat4K(benchmark::State& s) { muparser_bench(s, FLAT_4K); }
void BM_Evaluate_Flat1M(benchmark::State& s) { evaluate_bench(s, FLAT_1M); }
void BM_Muparser_Flat1M(benchmark::State& s) { muparser_bench(s, FLAT_1M); }

// The floor for the 1 MiB text: only its literals converted, positions found beforehand.
void BM_FromCharsLiterals_Flat1M(benchmark::State& state) {
    std::vector<std::pair<std::size_t, std::size_t>> literals;
    for (std::size_t pos = 0; pos < FLAT_1M.size();) {
        const std::size_t end = FLAT_1M.find_first_of("+-*/", pos);
        const std::size_t stop = end == std::string::npos ? FLAT_1M.size() : end;
        literals.emplace_back(pos, stop);
        pos = stop + 1;
    }
    for (auto _ : state) {
        double sum = 0;
        for (const auto& [begin, end] : literals) {
            double value = 0;
            std::from_chars(FLAT_1M.data() + begin, FLAT_1M.data() + end, value);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FLAT_1M.size()));
}

// Whole numbers, fractions at every scale, tiny and huge values, thirds and sevenths.
std::vector<double> varied_doubles(std::size_t count) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> exponent(-16.0, 22.0);
    std::uniform_int_distribution<int> small(-100000, 100000);
    std::vector<double> values;
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        switch (i % 4) {
        case 0: values.push_back(std::pow(10.0, exponent(rng))); break;
        case 1: values.push_back(-std::pow(10.0, exponent(rng))); break;
        case 2: values.push_back(small(rng) / 7.0); break;
        default: values.push_back(small(rng)); break;
        }
    }
    return values;
}

void BM_FormatNumber_Million(benchmark::State& state) {
    const std::vector<double> values = varied_doubles(1'000'000);
    for (auto _ : state)
        for (const double v : values) benchmark::DoNotOptimize(format_number(v));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

void BM_FormatExpressionText_Flat1M(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(format_expression_text(true, FLAT_1M));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FLAT_1M.size()));
}

// A memo selection of 1 MiB characters: notes (refused at once), and one parenthesised
// expression (evaluated whole), as the selection timer classifies them.
std::string memo_notes(std::size_t characters) {
    const std::string sentence = "회의 메모 3월 12일: 합계 1,234.50원, 예산 (12+34)*5 확인. ";
    std::string text;
    std::size_t count = 0;
    while (count < characters) {
        text += sentence + sentence + sentence + sentence + "\r";
        count += 4 * 45 + 1;
    }
    return text;
}

std::string parenthesised_expression(std::size_t characters) {
    std::string text = "(";
    while (text.size() < characters - 2) text += "12.5+3*4-100/7+\r";
    return text + "0)";
}

const std::string NOTES_1M = memo_notes(1 << 20);
const std::string PARENTHESISED_1M = parenthesised_expression(1 << 20);

void classify_bench(benchmark::State& state, const std::string& text) {
    for (auto _ : state) benchmark::DoNotOptimize(classify_selection(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_ClassifySelection_Notes1M(benchmark::State& s) { classify_bench(s, NOTES_1M); }
void BM_ClassifySelection_Parenthesised1M(benchmark::State& s) { classify_bench(s, PARENTHESISED_1M); }

// A mebibyte of household notes selected for a total: amounts with 원, 만 and 천,
// refunds, and the hyphenated dates, phone numbers and names with digits passed over.
std::string household_notes(std::size_t size) {
    std::mt19937 rng(4);
    std::uniform_int_distribution<int> won(100, 999999);
    std::uniform_int_distribution<int> small(1, 99);
    const auto grouped = [&] { return add_thousands_separators(std::to_string(won(rng))); };
    std::string text;
    while (text.size() < size) {
        text += "3월 " + std::to_string(small(rng)) + "일 점심 김밥 " + grouped() + "원\n";
        text += "회비 " + std::to_string(small(rng)) + "만 " + std::to_string(small(rng) % 10) +
                "천원 (총무 010-1234-5678)\n";
        text += "환불 −" + grouped() + "\n2026-03-12 A4 용지 " + grouped() + "원, 택시 " + grouped() + "\n";
    }
    return text;
}

const std::string HOUSEHOLD_1M = household_notes(1 << 20);

// What the total command does: every line read, its results added by the engine.
void BM_MemoTotal_Notes1M(benchmark::State& state) {
    numvora::NoteBook book;
    book.assign(HOUSEHOLD_1M);  // the memo that is all selected
    if (!evaluate(sum_expression(book.selection_total(0, HOUSEHOLD_1M).added)))
        state.SkipWithError("the total does not evaluate");
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluate(sum_expression(book.selection_total(0, HOUSEHOLD_1M).added)));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * HOUSEHOLD_1M.size()));
}

BENCHMARK(BM_Evaluate_Typical);
BENCHMARK(BM_Evaluate_TypicalPeerForm);
BENCHMARK(BM_Muparser_TypicalPeerForm);
BENCHMARK(BM_Evaluate_Flat4K);
BENCHMARK(BM_Muparser_Flat4K);
BENCHMARK(BM_Evaluate_Flat1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Muparser_Flat1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromCharsLiterals_Flat1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatNumber_Million)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatExpressionText_Flat1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassifySelection_Notes1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassifySelection_Parenthesised1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoTotal_Notes1M)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
