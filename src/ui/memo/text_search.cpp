#include "ui/memo/text_search.h"

#include <algorithm>
#include <utility>

namespace numvora {
namespace {

// The fold's answer, or nothing when it changed the length (positions in the folded
// text must be positions in the text).
std::optional<std::wstring> length_kept_fold(std::wstring_view text, CaseFold fold) {
    std::wstring result = fold(text);
    if (result.size() != text.size()) return std::nullopt;
    return result;
}

bool is_high_surrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

FoldedText::FoldedText(std::wstring text, CaseFold by) : text_(std::move(text)), fold_(by) {
    if (fold_ == nullptr) return;
    std::optional<std::wstring> whole = length_kept_fold(text_, fold_);
    folds_ = whole.has_value();
    if (whole) folded_ = std::move(*whole);
}

void FoldedText::replace(std::size_t start, std::size_t removed, std::wstring_view inserted) {
    text_.replace(start, removed, inserted);
    if (!folds_) return;
    folded_.replace(start, removed, inserted);
    // What was put in, with the high half before it that its first unit pairs with, and
    // the low half after it, which it now pairs with or parted from.
    std::size_t from = start;
    if (from > 0 && from < text_.size() && is_low_surrogate(text_[from]) && is_high_surrogate(text_[from - 1])) --from;
    std::size_t to = start + inserted.size();
    if (to < text_.size() && is_low_surrogate(text_[to])) ++to;
    const std::optional<std::wstring> piece = length_kept_fold(std::wstring_view(text_).substr(from, to - from), fold_);
    if (!piece) {
        folds_ = false;
        folded_.clear();
        return;
    }
    folded_.replace(from, to - from, *piece);
}

std::optional<std::wstring_view> FoldedText::folded() const {
    return folds_ ? std::optional<std::wstring_view>(folded_) : std::nullopt;
}

TextMatcher::TextMatcher(std::wstring_view text, std::wstring_view pattern, SearchRule rule)
    : text_(text), compared_(text), pattern_(pattern) {
    if (rule.match_case || rule.fold == nullptr || pattern.empty()) return;
    std::optional<std::wstring> folded_pattern = length_kept_fold(pattern, rule.fold);
    std::optional<std::wstring> folded_text = folded_pattern ? length_kept_fold(text, rule.fold) : std::nullopt;
    if (!folded_text) return;  // compared as they are rather than one folded and one not
    pattern_ = std::move(*folded_pattern);
    folded_text_ = std::move(*folded_text);
    compared_ = folded_text_;
}

TextMatcher::TextMatcher(const FoldedText& text, std::wstring_view pattern, SearchRule rule)
    : text_(text.text()), compared_(text.text()), pattern_(pattern) {
    if (rule.match_case || rule.fold == nullptr || pattern.empty() || rule.fold != text.fold() || !text.folded())
        return;
    if (std::optional<std::wstring> folded_pattern = length_kept_fold(pattern, rule.fold)) {
        pattern_ = std::move(*folded_pattern);
        compared_ = *text.folded();
    }
}

std::vector<std::size_t> TextMatcher::all() const {
    std::vector<std::size_t> starts;
    if (pattern_.empty()) return starts;
    for (std::size_t at = compared_.find(pattern_); at != std::wstring_view::npos; at = compared_.find(pattern_, at)) {
        starts.push_back(at);
        at += pattern_.size();
    }
    return starts;
}

std::optional<std::size_t> TextMatcher::forward_from(std::size_t from) const {
    if (pattern_.empty() || from > text_.size()) return std::nullopt;
    const std::size_t at = compared_.find(pattern_, from);
    return at == std::wstring_view::npos ? std::nullopt : std::optional(at);
}

std::optional<std::size_t> TextMatcher::backward_to(std::size_t end) const {
    if (pattern_.empty() || end < pattern_.size()) return std::nullopt;
    const std::size_t at = compared_.rfind(pattern_, end - pattern_.size());
    return at == std::wstring_view::npos ? std::nullopt : std::optional(at);
}

// A match that all() left out starts inside one it listed (it overlaps it), so the first
// match from a place is the next listed one, or one inside the listed match before it.
std::optional<std::size_t> TextMatcher::forward_from(std::size_t from, std::span<const std::size_t> all) const {
    if (pattern_.empty() || from > text_.size()) return std::nullopt;
    const auto next = std::lower_bound(all.begin(), all.end(), from);
    std::optional<std::size_t> found = next != all.end() ? std::optional(*next) : std::nullopt;
    if (next != all.begin() && *(next - 1) + pattern_.size() > from) {
        const std::size_t reach = std::min(compared_.size(), *(next - 1) + 2 * pattern_.size() - 1);
        if (const std::size_t at = compared_.substr(0, reach).find(pattern_, from); at != std::wstring_view::npos)
            found = std::min(at, found.value_or(at));
    }
    return found;
}

std::optional<std::size_t> TextMatcher::backward_to(std::size_t end, std::span<const std::size_t> all) const {
    if (pattern_.empty() || end < pattern_.size()) return std::nullopt;
    const std::size_t last_start = end - pattern_.size();
    const auto after = std::upper_bound(all.begin(), all.end(), last_start);
    if (after == all.begin()) return std::nullopt;
    const std::size_t listed = *(after - 1);
    const std::size_t reach = std::min(compared_.size(), listed + 2 * pattern_.size() - 1);
    const std::size_t at = compared_.substr(0, reach).rfind(pattern_, last_start);
    return at != std::wstring_view::npos && at > listed ? at : listed;
}

bool same_text(std::wstring_view a, std::wstring_view b, SearchRule rule) {
    if (a.size() != b.size()) return false;
    const TextMatcher matcher(a, b, rule);
    return a.empty() || matcher.forward_from(0) == 0;
}

std::optional<FoundMatch> find_match(std::wstring_view text, std::wstring_view pattern, std::size_t selection_start,
                                     std::size_t selection_end, bool forward, SearchRule rule) {
    return find_match(TextMatcher(text, pattern, rule), selection_start, selection_end, forward);
}

std::optional<FoundMatch> find_match(const TextMatcher& matcher, std::size_t selection_start, std::size_t selection_end,
                                     bool forward) {
    const std::vector<std::size_t> starts = matcher.all();
    std::optional<std::size_t> at =
        forward ? matcher.forward_from(selection_end, starts) : matcher.backward_to(selection_start, starts);
    bool wrapped = false;
    if (!at) {
        at = forward ? matcher.forward_from(0, starts) : matcher.backward_to(matcher.text().size(), starts);
        wrapped = true;
    }
    if (!at) return std::nullopt;
    const auto index = static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), *at) - starts.begin());
    return FoundMatch{*at, index, starts.size(), wrapped};
}

Replacement replace_all(std::wstring_view text, std::wstring_view pattern, std::wstring_view replacement,
                        SearchRule rule) {
    return replace_all(TextMatcher(text, pattern, rule), replacement);
}

Replacement replace_all(const TextMatcher& matcher, std::wstring_view replacement) {
    std::vector<TextSplice> splices;
    for (const std::size_t at : matcher.all()) splices.push_back({at, matcher.pattern_size(), replacement});
    return replace_each(matcher.text(), splices);
}

Replacement replace_each(std::wstring_view text, std::span<const TextSplice> splices) {
    Replacement result;
    if (splices.empty()) return result;
    result.count = splices.size();
    result.first = splices.front().start;
    result.last = splices.back().start + splices.back().removed;
    std::size_t copied = result.first;  // text before this is in the stretch already
    for (const TextSplice& splice : splices) {
        result.stretch.append(text.substr(copied, splice.start - copied));
        result.stretch.append(splice.inserted);
        copied = splice.start + splice.removed;
    }
    return result;
}

std::size_t position_after(std::size_t position, std::span<const TextSplice> splices) {
    std::size_t after = position;
    for (const TextSplice& splice : splices) {
        if (position <= splice.start) break;
        if (position < splice.start + splice.removed) return after - (position - splice.start) + splice.inserted.size();
        after = after - splice.removed + splice.inserted.size();
    }
    return after;
}

}  // namespace numvora
