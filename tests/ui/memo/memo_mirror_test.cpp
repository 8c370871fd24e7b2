// The memo's copy kept in step one edit at a time: the edit found from a window of the
// new text, the lines it touched, and a window too small to tell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/memo/memo_mirror.h"

namespace numvora {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\r')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

// Any edit that makes the new text will do; the lines it reports, put in place of the
// old ones, must make the new lines.
TEST(MemoMirror, FindsTheEditAroundTheCaretAndTheLinesItTouched) {
    const std::string filler(40, '.');  // unchanged text on both sides, past the window
    const struct {
        std::string before, after;
        std::size_t caret;  // in after
    } rows[] = {
        {filler + "\r월세 1\r" + filler, filler + "\r월세 12\r" + filler, 49},
        {filler + "\r1\r2\r" + filler, filler + "\r1\r" + filler, 43},
        {filler + "\r111\r" + filler, filler + "\r1111\r" + filler, 45},
        {filler + "\ra\r" + filler, filler + "\ra\rb\rc\r" + filler, 47},
        {filler + "\r\r" + filler, filler + "\r" + filler, 41},
        {filler + "\r같은 줄\r" + filler, filler + "\r같은 줄\r" + filler, 45},
        {"", "x", 1},
        {"abc", "", 0},
    };
    for (const auto& row : rows) {
        TextMirror<char> mirror;
        mirror.assign(row.before);
        const std::size_t from = row.caret > 20 ? row.caret - 20 : 0;
        const std::string_view window = std::string_view(row.after).substr(from, 40);
        const auto edit = find_edit<char>(mirror.text(), row.after.size(), from, window);
        ASSERT_TRUE(edit) << row.after;
        const LineChange<char> change = mirror.apply(*edit);
        EXPECT_EQ(mirror.text(), row.after);
        std::vector<std::string> lines = lines_of(row.before);
        const std::vector<std::string> now = lines_of(change.text);
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(change.first),
                    lines.begin() + static_cast<std::ptrdiff_t>(change.first + change.count));
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(change.first), now.begin(), now.end());
        EXPECT_EQ(lines, lines_of(row.after)) << row.after;
        EXPECT_EQ(mirror.lines(), lines.size());
        EXPECT_EQ(mirror.line_start(mirror.lines() - 1), row.after.rfind('\r') + 1);
    }
}

// A window that shows no unchanged text on one side of the edit cannot tell where it
// ends: the caller reads more, or the whole text.
TEST(MemoMirror, AWindowInsideTheEditTellsNothing) {
    const std::string before(100, 'a');
    const std::string after = before.substr(0, 10) + std::string(60, 'b') + before.substr(10);
    EXPECT_FALSE((find_edit<char>(before, after.size(), 30, std::string_view(after).substr(30, 20))));
    const TextEdit<char> whole = edit_between<char>(before, after);
    EXPECT_EQ(whole.start, 10U);
    EXPECT_EQ(whole.removed, 0U);
    EXPECT_EQ(whole.inserted, std::string(60, 'b'));
}

// Where a text may differ from its copy after changes known by the lengths and the caret
// after each: typing, deletions, and changes before, after and inside the stretch.
TEST(MemoMirror, TheChangedStretchWidensWithEachChange) {
    const struct {
        std::optional<ChangedStretch> stretch;
        std::size_t before, after, caret;
        ChangedStretch widened;
    } rows[] = {
        {std::nullopt, 10, 11, 5, {4, 5}},             // a character typed
        {std::nullopt, 10, 8, 3, {3, 3}},              // two deleted at the caret
        {ChangedStretch{4, 5}, 11, 12, 6, {4, 6}},     // the next one typed
        {ChangedStretch{20, 25}, 30, 33, 5, {2, 28}},  // a paste before it moves it
        {ChangedStretch{20, 25}, 30, 26, 10, {10, 21}},
        {ChangedStretch{2, 5}, 30, 31, 20, {2, 20}},  // a change after it
        {ChangedStretch{2, 9}, 30, 25, 4, {2, 4}},    // a deletion inside it
        {ChangedStretch{2, 5}, 30, 0, 0, {0, 0}},     // all deleted
    };
    for (const auto& row : rows) {
        EXPECT_EQ(widen(row.stretch, row.before, row.after, row.caret), row.widened) << row.caret;
    }
}

}  // namespace
}  // namespace numvora
