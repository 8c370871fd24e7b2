// Finding and replacing in the memo's text (as the control holds it). One matching rule
// serves find, replace and replace-all: with match case the units compare as they are,
// without it both sides go through one case fold of the whole of Unicode, which the
// platform supplies. "Replace all" is one replacement of the stretch between the first
// and the last match, so that the control takes one edit (one undo step); so are other
// changes of many places at once.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numvora {

// Maps a text to a form in which letters that differ only in case are equal, one
// UTF-16 unit for one unit (a fold that changes the length is not used).
using CaseFold = std::wstring (*)(std::wstring_view text);

struct SearchRule {
    bool match_case = false;
    CaseFold fold = nullptr;  // used without match case; none compares as with match case
};

// A text and its case fold side by side. The fold of a large text costs many times a
// search through it, so it is made once and an edit folds only what it put in and the
// units beside it (an edit can join or part the halves of a surrogate pair).
class FoldedText {
public:
    FoldedText(std::wstring text, CaseFold by);

    // [start, start + removed) of the text becomes inserted.
    void replace(std::size_t start, std::size_t removed, std::wstring_view inserted);
    const std::wstring& text() const { return text_; }
    // Nothing when the fold did not keep the length (the text is then compared as it is).
    std::optional<std::wstring_view> folded() const;
    CaseFold fold() const { return fold_; }

private:
    std::wstring text_;
    std::wstring folded_;
    CaseFold fold_ = nullptr;
    bool folds_ = false;
};

// A text and a pattern prepared once for one rule: the fold runs once for each, or only
// for the pattern when the text's fold is kept beside it.
class TextMatcher {
public:
    TextMatcher(std::wstring_view text, std::wstring_view pattern, SearchRule rule);
    TextMatcher(const FoldedText& text, std::wstring_view pattern, SearchRule rule);
    TextMatcher(FoldedText&& text, std::wstring_view pattern, SearchRule rule) = delete;  // it would dangle

    std::wstring_view text() const { return text_; }
    // Every non-overlapping match, left to right (the ones replace-all changes).
    std::vector<std::size_t> all() const;
    // The first match starting at or after from; the last one ending at or before
    // end (backward). With all()'s matches given, only the few units around them
    // where an overlapping match could start are searched again.
    std::optional<std::size_t> forward_from(std::size_t from) const;
    std::optional<std::size_t> backward_to(std::size_t end) const;
    std::optional<std::size_t> forward_from(std::size_t from, std::span<const std::size_t> all) const;
    std::optional<std::size_t> backward_to(std::size_t end, std::span<const std::size_t> all) const;
    std::size_t pattern_size() const { return pattern_.size(); }

private:
    std::wstring_view text_;
    std::wstring folded_text_;    // the fold made here, when compared_ is one
    std::wstring_view compared_;  // text_, or its fold
    std::wstring pattern_;
};

bool same_text(std::wstring_view a, std::wstring_view b, SearchRule rule);

// Where "find next" (forward) or "find previous" lands from a selection: after its end
// or before its start, then once around from the other end of the text.
struct FoundMatch {
    std::size_t start = 0;
    std::size_t index = 0;  // k of "k/n": the matches of all() that start at or before it
    std::size_t count = 0;  // n: all of them
    bool wrapped = false;

    bool operator==(const FoundMatch&) const = default;
};
std::optional<FoundMatch> find_match(std::wstring_view text, std::wstring_view pattern, std::size_t selection_start,
                                     std::size_t selection_end, bool forward, SearchRule rule);
// The same through one pass over the text.
std::optional<FoundMatch> find_match(const TextMatcher& matcher, std::size_t selection_start, std::size_t selection_end,
                                     bool forward);

struct Replacement {
    std::size_t count = 0;
    std::size_t first = 0;  // the stretch [first, last) of the text that changes
    std::size_t last = 0;
    std::wstring stretch;  // what takes its place
};

// Every match of all(); count 0 when there is none (or the pattern is empty).
Replacement replace_all(std::wstring_view text, std::wstring_view pattern, std::wstring_view replacement,
                        SearchRule rule);
Replacement replace_all(const TextMatcher& matcher, std::wstring_view replacement);

// One change of a text: [start, start + removed) becomes inserted.
struct TextSplice {
    std::size_t start = 0;
    std::size_t removed = 0;
    std::wstring_view inserted;
};

// Changes of a text, in order and apart, as one replacement of the stretch from the
// first to the last; count 0 when there is none.
Replacement replace_each(std::wstring_view text, std::span<const TextSplice> splices);

// Where a position of the text stands once the changes are made: one inside a removed
// text moves to the end of what took its place.
std::size_t position_after(std::size_t position, std::span<const TextSplice> splices);

}  // namespace numvora
