// The memo's text as the window last saw it, kept in step with the control one edit at
// a time, with where each of its lines begins. Under Wine a copy of the whole memo costs
// milliseconds, so an edit is found from a window of the new text around the caret: a
// keystroke reads a few hundred characters, not the memo. Positions are the control's
// own (a line break is one "\r").
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numvora {

template <class Char>
struct TextEdit {
    std::size_t start = 0;
    std::size_t removed = 0;
    std::basic_string<Char> inserted;
};

// An edit that is trusted only where this much unchanged text shows on each side of it
// inside the window (or the window reaches the text's end): a few matching characters
// could be chance.
inline constexpr std::size_t EDIT_MARGIN = 16;

// The one edit that turns before into a text of after_length characters of which
// window, at window_start, is a part. Nothing when the window does not show unchanged
// text on both sides of the edit: read a larger one.
template <class Char>
std::optional<TextEdit<Char>> find_edit(std::basic_string_view<Char> before, std::size_t after_length,
                                        std::size_t window_start, std::basic_string_view<Char> window) {
    const std::size_t window_end = window_start + window.size();
    if (window_end > after_length || window_start > before.size()) return std::nullopt;
    // Alike from the window's start: the edit begins after that.
    std::size_t same_before = 0;
    while (same_before < window.size() && window_start + same_before < before.size() &&
           window[same_before] == before[window_start + same_before])
        ++same_before;
    if (window_start > 0 && same_before < std::min(EDIT_MARGIN, window.size())) return std::nullopt;
    const auto delta = static_cast<std::ptrdiff_t>(after_length) - static_cast<std::ptrdiff_t>(before.size());
    // A change that left the text as it was (a letter typed over itself, a format): no
    // larger window would show more, so it is not looked for in the whole text.
    if (same_before == window.size() && delta == 0) return TextEdit<Char>{window_end, 0, {}};
    // Alike back from the window's end, each side at its own length.
    const std::ptrdiff_t old_end = static_cast<std::ptrdiff_t>(window_end) - delta;
    if (old_end < 0 || static_cast<std::size_t>(old_end) > before.size()) return std::nullopt;
    const std::size_t start = window_start + same_before;
    const std::size_t room = std::min(
        window_end - start, static_cast<std::size_t>(old_end) - std::min(start, static_cast<std::size_t>(old_end)));
    std::size_t same_after = 0;
    while (same_after < room &&
           window[window.size() - 1 - same_after] == before[static_cast<std::size_t>(old_end) - 1 - same_after])
        ++same_after;
    if (window_end < after_length && same_after < std::min(EDIT_MARGIN, window.size())) return std::nullopt;
    const std::size_t end_after = window_end - same_after;
    const std::size_t end_before = static_cast<std::size_t>(old_end) - same_after;
    if (end_before < start) return std::nullopt;
    return TextEdit<Char>{start, end_before - start,
                          std::basic_string<Char>(window.substr(start - window_start, end_after - start))};
}

// Where a text may differ from a copy of it, as the text is now: each change widens it,
// and one read of it (with EDIT_MARGIN and more around) finds the edit that brings the
// copy in step. A change is known only by the text's length before and after it and
// the caret after it: it is taken to end at the caret (typing, a deletion at the caret,
// a paste, an undo); a read that finds otherwise reads more.
struct ChangedStretch {
    std::size_t start = 0;
    std::size_t end = 0;

    bool operator==(const ChangedStretch&) const = default;
};

inline ChangedStretch widen(const std::optional<ChangedStretch>& stretch, std::size_t before, std::size_t after,
                            std::size_t caret) {
    const std::size_t end = std::min(caret, after);
    const std::size_t inserted = after > before ? after - before : 0;
    const std::size_t start = end - std::min(end, inserted);
    if (!stretch) return {start, end};
    // A place of the text before the change, as the text has it now.
    const auto moved = [&](std::size_t at) {
        if (at <= start) return at;
        const std::size_t now = after >= before ? at + (after - before) : at - std::min(at, before - after);
        return std::min(std::max(now, start), after);
    };
    return {std::min(moved(stretch->start), start), std::max(moved(stretch->end), end)};
}

// The edit between two whole texts: what a full read of the control finds.
template <class Char>
TextEdit<Char> edit_between(std::basic_string_view<Char> before, std::basic_string_view<Char> after) {
    std::size_t start = 0;
    while (start < before.size() && start < after.size() && before[start] == after[start]) ++start;
    std::size_t same_after = 0;
    while (same_after < before.size() - start && same_after < after.size() - start &&
           before[before.size() - 1 - same_after] == after[after.size() - 1 - same_after])
        ++same_after;
    return {start, before.size() - start - same_after,
            std::basic_string<Char>(after.substr(start, after.size() - start - same_after))};
}

// The lines an edit touched: [first, first + count) of the text before it became text.
template <class Char>
struct LineChange {
    std::size_t first = 0;
    std::size_t count = 0;
    std::basic_string<Char> text;  // the lines as they are now, without their last break
};

template <class Char>
class TextMirror {
public:
    static constexpr Char BREAK = static_cast<Char>('\r');

    void assign(std::basic_string<Char> text) {
        text_ = std::move(text);
        starts_.assign(1, 0);
        for (std::size_t i = 0; i < text_.size(); ++i) {
            if (text_[i] == BREAK) starts_.push_back(i + 1);
        }
    }

    LineChange<Char> apply(const TextEdit<Char>& edit) {
        const std::size_t first = line_of(edit.start);
        const std::size_t last = line_of(edit.start + edit.removed);
        text_.replace(edit.start, edit.removed, edit.inserted);
        // The line starts after the edit move by its length; the ones inside it are new.
        const auto delta =
            static_cast<std::ptrdiff_t>(edit.inserted.size()) - static_cast<std::ptrdiff_t>(edit.removed);
        std::vector<std::size_t> inside;
        for (std::size_t i = 0; i < edit.inserted.size(); ++i) {
            if (edit.inserted[i] == BREAK) inside.push_back(edit.start + i + 1);
        }
        starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(first + 1),
                      starts_.begin() + static_cast<std::ptrdiff_t>(last + 1));
        for (std::size_t i = first + 1; i < starts_.size(); ++i)
            starts_[i] = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(starts_[i]) + delta);
        starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(first + 1), inside.begin(), inside.end());
        const std::size_t now_last = first + inside.size();
        const std::size_t from = starts_[first];
        return {first, last - first + 1, text_.substr(from, line_end(now_last) - from)};
    }

    const std::basic_string<Char>& text() const { return text_; }
    std::size_t lines() const { return starts_.size(); }
    // The line a position lies on (a break belongs to the line it ends).
    std::size_t line_of(std::size_t position) const {
        return static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), position) - starts_.begin()) -
               1;
    }
    std::size_t line_start(std::size_t line) const { return starts_[line]; }
    std::size_t line_end(std::size_t line) const {
        return line + 1 < starts_.size() ? starts_[line + 1] - 1 : text_.size();
    }

private:
    std::basic_string<Char> text_;
    std::vector<std::size_t> starts_{0};
};

}  // namespace numvora
