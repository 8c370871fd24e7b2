#include "notes/book/reading_in_steps.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "notes/book/notebook_differential.h"

namespace numvora {
namespace {

std::string with_breaks(std::string_view text, std::string_view line_break) {
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out.append(line_break);
        else
            out.push_back(c);
    }
    return out;
}

// A memo read a run at a time, runs of any length and whatever its line breaks, is the
// memo read whole: random memos grown by random edits.
TEST(ReadingInSteps, RunsOfAnyLengthAreTheTextReadWhole) {
    std::mt19937 random(51);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    constexpr std::string_view BREAKS[] = {"\n", "\r\n", "\r"};
    differential::EditedNotes notes("a = 5\n점심 12,000\n+ 커피 4,500\n소계\n\n합계");
    for (std::size_t memo = 0; memo < 400; ++memo) {
        for (std::size_t edit = 0; edit < 4; ++edit) notes.apply(differential::random_edit(notes.lines(), pick));
        const std::string text = with_breaks(notes.text(), BREAKS[memo % 3]);
        ReadingInSteps reading(text, notes.today());
        const std::size_t run = 1 + pick(6);
        while (reading.step(run)) {}
        ASSERT_EQ(differential::difference(reading.take(), text, notes.today()), "")
            << "runs of " << run << " lines in\n"
            << text;
    }
}

}  // namespace
}  // namespace numvora
